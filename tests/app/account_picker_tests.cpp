// The account pickers of the bank and communication pages: a picker names
// the account whose rows its page shows (the keys that would cut its text
// leave it whole while its list is closed, and Escape goes back to the
// account shown, never to nothing), and its list shows its columns whole.
#include "tests/app/main_window_fixture.h"
#include "grid/popup_grid.h"
#include <QScrollBar>

namespace {

class AccountPickerTest : public MainWindowTest {
protected:
    // A second communication account, so that its list has rows to scroll.
    void AddRows(TEngineDatabase& db) override { Put(db, "PTelcom", {{"TelcomCode", "002"}, {"TelcomDesc", "Mobile"}}); }

    // The accounts whose rows the bank page holds, read from the rows themselves.
    QStringList ShownAccounts()
    {
        QStringList accounts;
        TwwTable* rows = adm1->TblTranBank1;
        for (rows->First(); !rows->Eof(); rows->Next())
            accounts << rows->FieldByName(QStringLiteral("BankAccountCode"))->AsString();
        accounts.removeDuplicates();
        return accounts;
    }

    void ExpectSavingsShown(TwwDBLookupCombo* picker)
    {
        EXPECT_EQ(picker->Text(), QStringLiteral("Savings"));
        EXPECT_EQ(picker->LookupValue(), QStringLiteral("0000000002"));
        EXPECT_EQ(ShownAccounts(), QStringList{QStringLiteral("0000000002")});
        EXPECT_EQ(Status(1), QStringLiteral("Detail Transactions for Bank Account Savings (333-444)"));
    }
};

TEST_F(AccountPickerTest, ThePickerKeepsNamingTheAccountThePageShows)
{
    ShowWindow();
    TwwDBLookupCombo* picker = window->wwDbLupEditBankAccount;
    ChooseBankAccount(QStringLiteral("Savings"));
    picker->setFocus();
    ExpectSavingsShown(picker);

    // Closed, the list keeps its whole text against Backspace and Delete.
    for (const auto& [place, cut] : {std::pair{Qt::Key_End, Qt::Key_Backspace}, {Qt::Key_Home, Qt::Key_Delete}}) {
        QTest::keyClick(picker, place);
        QTest::keyClick(picker, cut);
        QTest::keyClick(picker, cut);
        EXPECT_FALSE(picker->IsDroppedDown());
        ExpectSavingsShown(picker);
    }
    QTest::keyClick(picker, Qt::Key_Escape);
    ExpectSavingsShown(picker);

    // Another account typed but not shown: Escape goes back to the one shown.
    picker->selectAll();
    QTest::keyClicks(picker, QStringLiteral("hou"));
    ASSERT_TRUE(picker->IsDroppedDown());
    QTest::keyClick(picker, Qt::Key_Escape);
    EXPECT_FALSE(picker->IsDroppedDown());
    ExpectSavingsShown(picker);

    // Shown by the go button while its list is still open, the account is
    // the one Escape comes back to.
    picker->selectAll();
    QTest::keyClicks(picker, QStringLiteral("hou"));
    picker->PerformSearch();
    ASSERT_TRUE(picker->IsDroppedDown());
    QTest::mouseClick(window->SpeedButton4, Qt::LeftButton);
    QTest::keyClick(picker, Qt::Key_Escape);
    EXPECT_FALSE(picker->IsDroppedDown());
    EXPECT_EQ(picker->Text(), QStringLiteral("Household"));
    EXPECT_EQ(picker->LookupValue(), QStringLiteral("0000000001"));
    EXPECT_EQ(ShownAccounts(), QStringList{QStringLiteral("0000000001")});
    QTest::keyClick(picker, Qt::Key_Escape);
    EXPECT_EQ(picker->Text(), QStringLiteral("Household"));
}

// The last column ends at the list's right edge, whatever its scroll bar
// leaves of the list: nothing cut off, nothing to scroll sideways.
TEST_F(AccountPickerTest, TheirListsEndTheLastColumnAtTheListsEdge)
{
    ShowWindow();
    for (const int page : {0, 1}) {
        ClickTab(window->PageControl2, page);
        TwwDBLookupCombo* picker = page == 0 ? window->wwDbLupEditBankAccount : window->wwDbLupEditComAccount;
        SCOPED_TRACE(picker->objectName().toStdString());
        picker->setFocus();
        QTest::keyClick(picker, Qt::Key_Down, Qt::AltModifier);
        ASSERT_TRUE(picker->IsDroppedDown());
        QApplication::processEvents();
        const TwwPopupGrid& list = *picker->Grid();
        EXPECT_EQ(list.RowCount(), list.TitleRows() + 2);
        EXPECT_TRUE(list.verticalScrollBar()->isVisible());
        const int line = (picker->Options() & loColLines) ? 1 : 0;
        int right = 0;
        for (int col = 0; col < list.ColCount(); ++col)
            right += list.ColWidths(col) + line;
        EXPECT_EQ(right, list.viewport()->width());
        EXPECT_EQ(list.horizontalScrollBar()->maximum(), 0);
        QTest::keyClick(picker, Qt::Key_Escape);
        EXPECT_FALSE(picker->IsDroppedDown());
    }
}

}  // namespace
