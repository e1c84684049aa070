// The bank page's account picker names the account whose rows the page
// shows: the keys that would cut its text leave it whole while its list is
// closed, and Escape goes back to the account shown, never to nothing.
#include "tests/app/main_window_fixture.h"

namespace {

class AccountPickerTest : public MainWindowTest {
protected:
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

}  // namespace
