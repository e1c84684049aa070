// The transaction pages through the real window: choosing an account, typing
// and posting rows, the rules of the data layer reaching the user, the row
// and title colours and title-click sorting.
#include "tests/app/main_window_fixture.h"
#include "platform/ui/page_controls.h"

namespace {

TEST_F(MainWindowTest, PickingABankAccountShowsOnlyItsTransactions)
{
    ShowWindow();
    EXPECT_EQ(Status(1), QStringLiteral("Choose Bank Account"));
    ChooseBankAccount(QStringLiteral("Savings"));
    SaveScreenshot(QStringLiteral("bank_savings"));
    EXPECT_EQ(Status(1), QStringLiteral("Detail Transactions for Bank Account Savings (333-444)"));
    EXPECT_EQ(adm1->TblTranBank1->RecordCount(), 2);
}

} // namespace
