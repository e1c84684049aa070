// Daily entry in the transaction grids through real keys and clicks: a new
// row survives its own cells' controls, a refused value says so once, and the
// grid's keys work while a cell is being edited.
#include "tests/app/main_window_fixture.h"
#include "grid/combo_button.h"
#include "platform/ui/db_navigator.h"
#include "platform/ui/inplace_edit.h"
#include "platform/ui/page_controls.h"

namespace {

class GridEntryTest : public MainWindowTest {
protected:
    TwwDBGrid* BankGrid() { return window->wwDBGrid14; }
    TwwTable* Bank() { return adm1->TblTranBank1; }
    TwwDBGrid* ExpenseGrid() { return window->wwDBGrid18; }
    TwwTable* Expense() { return adm1->TblTranExpense; }

    QString Text(TwwTable* table, const char* field) { return table->FieldByName(QString::fromLatin1(field))->AsString(); }

    void Click(TDBNavigator* navigator, TNavigateBtn button)
    {
        QTest::mouseClick(navigator->Button(button), Qt::LeftButton);
        QApplication::processEvents();
    }

    void ClickCell(TwwDBGrid* grid, int col, int row)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(col, row).center());
        QApplication::processEvents();
    }

    void ShowPage(int index)
    {
        QTest::mouseClick(window->PageControl2->TabBar(), Qt::LeftButton, {},
                          window->PageControl2->TabBar()->tabRect(index).center());
        QApplication::processEvents();
    }

    // Every stored row of a table as text, to see that nothing else changed.
    QStringList StoredRows(const char* table)
    {
        QStringList rows;
        const auto result = adm1->DataQuelt->EngineDatabase().Query(QStringLiteral("SELECT * FROM ") + table);
        while (result->Next()) {
            QStringList values;
            for (int column = 0; column < result->ColumnCount(); ++column) values << result->Value(column).toString();
            rows << values.join(u'|');
        }
        rows.sort();
        return rows;
    }

    static QWidget* Focus() { return QApplication::focusWidget(); }
};

// Opening the item cell's own list on a new row keeps the row: the item and
// amount go into it, and the row below stays as it was.
TEST_F(GridEntryTest, ANewRowKeepsItsCellsLookupAndItsNeighbourStays)
{
    ShowWindow();
    ChooseBankAccount(QStringLiteral("Household"));
    const QStringList before = StoredRows("TrnBnk1a");
    Bank()->First();
    Click(window->DBNavigator27, nbInsert);
    ASSERT_EQ(Bank()->State(), dsInsert);
    const int row = BankGrid()->Row();
    ClickCell(BankGrid(), 2, row);
    auto* lookup = window->findChild<TwwDBLookupCombo*>(QStringLiteral("LupBankItems"));
    ASSERT_TRUE(lookup && lookup->isVisible());
    QTest::mouseClick(lookup->findChild<TwwComboButton*>(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(Bank()->State(), dsInsert);
    EXPECT_EQ(BankGrid()->Row(), row);
    QTest::keyClick(Focus(), Qt::Key_Down);
    QTest::keyClick(Focus(), Qt::Key_Return);
    QTest::keyClick(Focus(), Qt::Key_Tab);
    QTest::keyClicks(Focus(), QStringLiteral("7.5"));
    Click(window->DBNavigator27, nbPost);
    ASSERT_EQ(Bank()->State(), dsBrowse) << presenter.LastText().toStdString();
    EXPECT_EQ(Text(Bank(), "DebitAmount"), QStringLiteral("7.5"));
    const QStringList after = StoredRows("TrnBnk1a");
    EXPECT_EQ(after.size(), before.size() + 1);
    for (const QString& old : before) EXPECT_TRUE(after.contains(old)) << old.toStdString();
}

} // namespace
