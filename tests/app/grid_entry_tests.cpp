// Daily entry in the transaction grids through real keys and clicks: a new
// row survives its own cells' controls, a refused value says so once, and the
// grid's keys work while a cell is being edited.
#include "tests/app/main_window_fixture.h"
#include "tests/app/windowed_boxes.h"
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

// A date the calendar has not (31 February) is refused with one box, by Tab
// and by the navigator's Post alike, and the new row stays to be mended.
TEST_F(GridEntryTest, AnImpossibleDateInACellIsRefusedOnceAndTheRowStays)
{
    ShowWindow();
    WindowedBoxes boxes(window.get());
    ShowPage(3);
    ExpenseGrid()->setFocus();
    QTest::keyClick(ExpenseGrid(), Qt::Key_Insert);
    ASSERT_EQ(Expense()->State(), dsInsert);
    QTest::keyClicks(Focus(), QStringLiteral("02312026"));
    QTest::keyClick(Focus(), Qt::Key_Tab);
    ASSERT_EQ(boxes.errors.size(), 1u);
    EXPECT_EQ(boxes.errors[0], QStringLiteral("'02/31/2026' is not a valid date"));
    EXPECT_EQ(Expense()->State(), dsInsert);
    EXPECT_EQ(ExpenseGrid()->Col(), 1);

    boxes.errors.clear();
    Click(window->DBNavigator35, nbPost);
    EXPECT_EQ(boxes.errors.size(), 1u);
    EXPECT_EQ(Expense()->State(), dsInsert);

    // Mended, the row posts with the date typed.
    boxes.errors.clear();
    Reactivate();
    ClickCell(ExpenseGrid(), 1, ExpenseGrid()->Row());
    QTest::keyClick(Focus(), Qt::Key_Home);
    QTest::keyClicks(Focus(), QStringLiteral("03122026"));
    QTest::keyClick(Focus(), Qt::Key_Tab);
    EXPECT_TRUE(boxes.errors.empty());
    EXPECT_EQ(Text(Expense(), "TransactionDate"), QStringLiteral("03/12/2026"));
}

// The grid's keys work while a cell is being edited: Insert adds a row at
// once, and after a refused cell, Cancel and Insert, typing goes into the new
// row's cell.
TEST_F(GridEntryTest, InsertWorksWithTheEditorOpenAndAfterARefusedCell)
{
    ShowWindow();
    ShowPage(3);
    const int rows = Expense()->RecordCount();
    ClickCell(ExpenseGrid(), 1, 1);
    QTest::keyClick(Focus(), Qt::Key_F2);
    ASSERT_TRUE(ExpenseGrid()->InplaceEditor() && ExpenseGrid()->InplaceEditor()->isVisible());
    QTest::keyClick(Focus(), Qt::Key_Insert);
    EXPECT_EQ(Expense()->State(), dsInsert);

    QTest::keyClicks(Focus(), QStringLiteral("02312026"));
    QTest::keyClick(Focus(), Qt::Key_Tab);
    Click(window->DBNavigator35, nbCancel);
    ASSERT_EQ(Expense()->State(), dsBrowse);
    EXPECT_EQ(Expense()->RecordCount(), rows);
    Click(window->DBNavigator35, nbInsert);
    ASSERT_EQ(Expense()->State(), dsInsert);
    // The box took the keys away and gave them back to the grid, not to its editor.
    ExpenseGrid()->setFocus();
    QTest::keyClicks(Focus(), QStringLiteral("03122026"));
    QTest::keyClick(Focus(), Qt::Key_Tab);
    EXPECT_EQ(Text(Expense(), "TransactionDate"), QStringLiteral("03/12/2026"));
}

// A new item picked through the cell's list on a posted row is refused with
// one box, and the row keeps its item.
TEST_F(GridEntryTest, APostedRowRefusesANewItemFromItsCellsListWithOneBox)
{
    ShowWindow();
    ChooseBankAccount(QStringLiteral("Household"));
    QTest::mouseClick(window->CBoxBankTran, Qt::LeftButton);   // Auto Edit
    Bank()->First();   // posted in January
    ASSERT_EQ(Text(Bank(), "BankItemCode"), QStringLiteral("001"));
    const QStringList before = StoredRows("TrnBnk1a");
    ClickCell(BankGrid(), 2, BankGrid()->Row());
    auto* lookup = window->findChild<TwwDBLookupCombo*>(QStringLiteral("LupBankItems"));
    ASSERT_TRUE(lookup && lookup->isVisible());
    QTest::mouseClick(lookup->findChild<TwwComboButton*>(), Qt::LeftButton);
    QTest::keyClicks(lookup, QStringLiteral("gro"));
    QTest::keyClick(lookup, Qt::Key_Return);
    QApplication::setActiveWindow(window.get());
    QTest::keyClick(Focus(), Qt::Key_Tab);
    EXPECT_EQ(presenter.errors.size() + presenter.shown.size(), 1u)
        << presenter.LastText().toStdString() << (presenter.errors.empty() ? "" : presenter.errors.front().toStdString());
    EXPECT_EQ(StoredRows("TrnBnk1a"), before);
}

// A row being typed stays with the account it was typed for: choosing
// another account, or opening a window that shares the tables, posts it
// first, and a refusal keeps the page, its picker and the window as they were.
TEST_F(GridEntryTest, ARowBeingTypedStaysWithItsAccount)
{
    ShowWindow();
    ChooseBankAccount(QStringLiteral("Savings"));
    const QString savings = Status(1);
    Click(window->DBNavigator27, nbInsert);
    BankGrid()->setFocus();
    QTest::keyClicks(Focus(), QStringLiteral("03092026"));
    ChooseBankAccount(QStringLiteral("Household"));
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_TRUE(presenter.LastText().startsWith(QStringLiteral("Item Description has to be entered")));
    EXPECT_EQ(window->wwDbLupEditBankAccount->LookupValue(), QStringLiteral("0000000002"));
    EXPECT_EQ(Status(1), savings);
    EXPECT_EQ(Bank()->State(), dsInsert);
    EXPECT_EQ(Text(Bank(), "BankAccountCode"), QStringLiteral("0000000002"));

    // The recurring window stays shut while the row cannot go in.
    presenter.shown.clear();
    QTest::keyClick(window.get(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(Bank()->State(), dsInsert);
    EXPECT_FALSE(QApplication::activeModalWidget());
}

// An amount beyond what an amount field holds, typed into the debit cell, is
// refused with the conversion box instead of turning into another number.
TEST_F(GridEntryTest, ADebitBeyondTheFieldIsRefusedWithTheConversionBox)
{
    ShowWindow();
    ChooseBankAccount(QStringLiteral("Household"));
    Bank()->First();
    QTest::mouseClick(window->DBNavigator27->Button(nbInsert), Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_EQ(Bank()->State(), dsInsert);
    TField* debit = Bank()->FieldByName(QStringLiteral("DebitAmount"));
    const QVariant before = debit->Value();
    ClickCell(BankGrid(), 3, BankGrid()->Row());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("99999999999999999999"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);

    ASSERT_EQ(presenter.errors.size(), 1u);
    EXPECT_EQ(presenter.errors[0], QStringLiteral("'99999999999999999999' is not a valid floating point value"));
    EXPECT_EQ(debit->Value(), before);
    EXPECT_EQ(Bank()->State(), dsInsert);
}

// Enter closes the cell's editor with what was typed in the record: an amount
// typed over an existing one, a date typed on a new row, on the bank page and
// on the expense page alike; the amount is what is stored once posted, and a
// date the field refuses is refused with one box.
TEST_F(GridEntryTest, EnterKeepsWhatWasTypedInTheCell)
{
    ShowWindow();
    ChooseBankAccount(QStringLiteral("Household"));
    Bank()->First();
    Bank()->Next();   // 3 February, 84.50, not posted
    ClickCell(BankGrid(), 3, BankGrid()->Row());
    Click(window->DBNavigator27, nbEdit);
    BankGrid()->setFocus();
    QTest::keyClicks(Focus(), QStringLiteral("12.34"));
    QTest::keyClick(Focus(), Qt::Key_Return);
    EXPECT_EQ(Text(Bank(), "DebitAmount"), QStringLiteral("12.34"));
    Click(window->DBNavigator27, nbPost);
    EXPECT_EQ(Rows(QStringLiteral("SELECT DebitAmount FROM TrnBnk1a WHERE BankAccountCode = '0000000001'"
                                  " AND BankTranSerialNum = '0000000002'")),
              QStringList{QStringLiteral("12.34")});

    Click(window->DBNavigator27, nbInsert);
    ClickCell(BankGrid(), 1, BankGrid()->Row());
    QTest::keyClicks(Focus(), QStringLiteral("02202026"));
    QTest::keyClick(Focus(), Qt::Key_Return);
    EXPECT_EQ(Text(Bank(), "TransactionDate"), QStringLiteral("02/20/2026"));

    Click(window->DBNavigator27, nbCancel);
    EXPECT_TRUE(presenter.errors.empty() && presenter.shown.empty()) << presenter.LastText().toStdString();

    // A date the field refuses says so once and stays in the cell to be mended.
    ShowPage(3);
    ExpenseGrid()->setFocus();
    QTest::keyClick(ExpenseGrid(), Qt::Key_Insert);
    QTest::keyClicks(Focus(), QStringLiteral("02312026"));
    QTest::keyClick(Focus(), Qt::Key_Return);
    ASSERT_EQ(presenter.errors.size(), 1u);
    EXPECT_EQ(presenter.errors[0], QStringLiteral("'02/31/2026' is not a valid date"));
    ASSERT_TRUE(ExpenseGrid()->InplaceEditor()->isVisible());
    EXPECT_EQ(ExpenseGrid()->InplaceEditor()->text(), QStringLiteral("02/31/2026"));
    EXPECT_EQ(Focus(), ExpenseGrid()->InplaceEditor());
    QTest::keyClick(Focus(), Qt::Key_Home);
    QTest::keyClicks(Focus(), QStringLiteral("02202026"));
    QTest::keyClick(Focus(), Qt::Key_Return);
    EXPECT_EQ(Text(Expense(), "TransactionDate"), QStringLiteral("02/20/2026"));
    EXPECT_EQ(presenter.errors.size(), 1u);
}

// Tab past the last column of the last row posts the row, appends another and
// goes on at its first column: the next date typed is the new row's date, and
// its credit keeps the new row's nought.
TEST_F(GridEntryTest, TabPastTheLastCellOfTheLastRowStartsTheNextRowAtItsDate)
{
    ShowWindow();
    ChooseBankAccount(QStringLiteral("Household"));
    const int rows = int(StoredRows("TrnBnk1a").size());
    Click(window->DBNavigator27, nbInsert);
    ClickCell(BankGrid(), 1, BankGrid()->Row());
    QTest::keyClicks(Focus(), QStringLiteral("03102026"));
    QTest::keyClick(Focus(), Qt::Key_Tab);
    ClickCell(BankGrid(), 2, BankGrid()->Row());
    auto* lookup = window->findChild<TwwDBLookupCombo*>(QStringLiteral("LupBankItems"));
    ASSERT_TRUE(lookup && lookup->isVisible());
    QTest::keyClicks(lookup, QStringLiteral("gro"));
    QTest::keyClick(lookup, Qt::Key_Return);
    QTest::keyClick(Focus(), Qt::Key_Tab);
    QTest::keyClick(Focus(), Qt::Key_Tab);
    QTest::keyClicks(Focus(), QStringLiteral("3250"));
    QTest::keyClick(Focus(), Qt::Key_Tab);
    ASSERT_EQ(int(StoredRows("TrnBnk1a").size()), rows + 1) << presenter.LastText().toStdString();
    EXPECT_EQ(Bank()->State(), dsInsert);
    EXPECT_EQ(BankGrid()->Col(), 1);
    QTest::keyClicks(Focus(), QStringLiteral("03112026"));
    QTest::keyClick(Focus(), Qt::Key_Tab);
    EXPECT_EQ(Text(Bank(), "TransactionDate"), QStringLiteral("03/11/2026"));
    EXPECT_EQ(Bank()->FieldByName(QStringLiteral("CreditAmount"))->AsFloat(), 0.0);
}

} // namespace
