// Showing another account while the page's row cannot go in: the row's
// refusal is one box, the page and its picker stay with the account the row
// was typed for, and the keyboard is back on the row, in the cell the user
// left, so that the user can mend it. The box is the program's real one,
// answered from inside its loop, so the focus moves it causes are the user's.
#include "tests/app/main_window_fixture.h"
#include "tests/support/real_boxes.h"

namespace {

class RefusedAccountSwitchTest : public MainWindowTest {
protected:
    void AddRows(TEngineDatabase& db) override { Put(db, "PTelcom", {{"TelcomCode", "002"}, {"TelcomDesc", "Mobile"}}); }
};

TEST_F(RefusedAccountSwitchTest, TheRefusedRowHasTheKeyboardBackAfterItsOneBox)
{
    RealBoxes boxes;
    ShowWindow();
    ChooseComAccount(QStringLiteral("Home Phone"));
    TwwDBGrid* grid = window->wwDBGrid10;
    TwwDBLookupCombo* picker = window->wwDbLupEditComAccount;

    // A new row with a date and no item; the picker is clicked, which takes
    // the date into the row, and another account is chosen.
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Insert);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("03102026"));
    const int dateCol = grid->Col();
    QTest::mouseClick(picker, Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), picker);
    ASSERT_EQ(boxes.BoxCount(), 0);
    ChooseAccount(picker, window->SpeedButton1, QStringLiteral("Mobile"));

    ASSERT_EQ(boxes.BoxCount(), 1);
    EXPECT_TRUE(boxes.LastText().startsWith(QStringLiteral("Item Description has to be entered")));
    EXPECT_EQ(picker->Text(), QStringLiteral("Home Phone"));
    EXPECT_EQ(Status(1), QStringLiteral("Detail Transactions for Home Phone"));
    ASSERT_EQ(adm1->TblTranTel1->State(), dsInsert);
    EXPECT_EQ(adm1->TblTranTel1->FieldByName(QStringLiteral("TelcomCode"))->AsString(), QStringLiteral("001"));
    QWidget* focused = QApplication::focusWidget();
    ASSERT_TRUE(focused == grid || grid->isAncestorOf(focused));
    EXPECT_EQ(grid->Col(), dateCol);

    // The keys work on the row again: Escape asks, and Yes gives the row up.
    boxes.Answer(mrYes);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    Reactivate();
    ASSERT_EQ(boxes.BoxCount(), 2);
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Discard changes to this record?"));
    EXPECT_EQ(adm1->TblTranTel1->State(), dsBrowse);
}

} // namespace
