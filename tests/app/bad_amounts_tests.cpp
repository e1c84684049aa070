// An amount beyond what an amount field holds, typed into the bank grid's
// debit cell, is refused with the conversion box instead of turning into
// another number.
#include "tests/app/main_window_fixture.h"
#include "platform/ui/db_navigator.h"

namespace {

class BadAmountsTest : public MainWindowTest {
protected:
    TwwDBGrid* BankGrid() { return window->wwDBGrid14; }
    TwwTable* Bank() { return adm1->TblTranBank1; }

    // Clicks the cell as the mouse does: on the editor or control that lies over it, if any.
    void ClickCell(TwwDBGrid* grid, int col, int row)
    {
        const QPoint centre = grid->CellRect(col, row).center();
        QWidget* target = grid->viewport()->childAt(centre);
        if (!target) target = grid->viewport();
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(grid->viewport(), centre));
        QApplication::processEvents();
    }
};

TEST_F(BadAmountsTest, ADebitBeyondTheFieldIsRefusedWithTheConversionBox)
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

}  // namespace
