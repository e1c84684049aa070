// The recurring transactions dialog through its own controls: one amount
// spread over twelve months on each kind of account, approved and
// transferred into the matching transaction table with its sign.
#include "app/recur_form.h"
#include "tests/app/schedule_dialog_fixture.h"
#include "tests/app/dialog_clicks.h"

namespace {

class RecurDialogTest : public ScheduleDialogTest {
protected:
    TFrmRecur& Recur() { return static_cast<TFrmRecur&>(*dialog); }

    // 1,200 over 12 months from 1 April 2026 on the type's accounts, with the
    // schedule made from the start month and approved.
    void TypeApprovedRecurring(const QString& details, int typeButton, int debitCreditButton,
                               std::initializer_list<std::pair<const char*, const char*>> codes)
    {
        TypeHeader(details, QStringLiteral("04/01/2026"), 12, Recur().DBEdit5, 1200);
        ClickRadio(Recur().DBRadioGroup1, typeButton);
        ClickRadio(Recur().DBRadioGroup2, debitCreditButton);
        for (const auto& [field, code] : codes)
            SetHeader(field, QString::fromLatin1(code));
        PostHeader();
        CreateSchedule(true);
        Approve();
    }

    // Count, sum, first and last date of the rows a recurring header wrote.
    QStringList Written(const char* table, const char* amount, const char* code)
    {
        return Rows(QStringLiteral("select count(*), sum(%1), min(%1), max(%1), min(TransactionDate), "
                                   "max(TransactionDate), min(External) from %2 where RecurCode = \"%3\"")
                        .arg(QString::fromLatin1(amount), QString::fromLatin1(table), QString::fromLatin1(code)));
    }
};

TEST_F(RecurDialogTest, TwelveMonthsOfAnAmountReachEachTableWithItsSign)
{
    ShowDialog(new TFrmRecur);
    // Buttons: Bank, Income (column one), Communication, Expense; Debit, Credit.
    TypeApprovedRecurring(QStringLiteral("Electricity"), 3, 0, {{"ExpenseCode", "00001"}});
    EXPECT_FALSE(Recur().DbLupExpenseAccount->isHidden());
    EXPECT_TRUE(Recur().DbLupBankAccount->isHidden());
    EXPECT_EQ(Recur().LblMain->Caption(), QStringLiteral("Expense"));
    EXPECT_EQ(LineColumn("RecurAmount"), QStringList(12, QStringLiteral("100")));
    EXPECT_EQ(Lines().FieldByName(QStringLiteral("TransactionDate"))->AsString(), QStringLiteral("04/01/2026"));
    Transfer();
    EXPECT_EQ(Written("TrnExp1a", "ExpenseAmount", "0000000001"),
              QStringList{"12 -1200 -100 -100 2026-04-01 2027-02-28 1"});
    SaveDialog(QStringLiteral("recur-expense"));

    TypeApprovedRecurring(QStringLiteral("Rent received"), 1, 1, {{"IncomeCode", "00001"}});
    Transfer();
    EXPECT_EQ(Written("TrnInc1a", "IncomeAmount", "0000000002"),
              QStringList{"12 1200 100 100 2026-04-01 2027-02-28 1"});

    presenter.shown.clear();
    TypeApprovedRecurring(QStringLiteral("Phone"), 2, 0, {{"TelcomCode", "001"}, {"TelItemCode", "001"}});
    EXPECT_FALSE(Recur().DbLupTelItem->isHidden());
    EXPECT_EQ(Recur().LblBankItem->Caption(), QStringLiteral("Communication Item"));
    EXPECT_EQ(presenter.LastText(),
              QStringLiteral("*FINAL WARNING*, Recurring Schedules will be posted against \r"
                             "Communication Account : \"Home Phone\" and Communication Item : \"Line Rental\"\r"
                             "Approve This Recurring Transaction, You will not be allowed to make any further "
                             "Modifications in the Details ? \r"
                             "Note: Unposted Recurring Schedule Details can be Modified "));
    Transfer();
    EXPECT_EQ(Written("TrnTel1a", "Amount", "0000000003"),
              QStringList{"12 -1200 -100 -100 2026-04-01 2027-02-28 1"});
    EXPECT_EQ(Rows(QStringLiteral("select distinct TelcomCode, TelItemCode from TrnTel1a where RecurCode = "
                                  "\"0000000003\"")),
              QStringList{"001 001"});

    TypeApprovedRecurring(QStringLiteral("Savings plan"), 0, 0,
                          {{"BankAccountCode", "0000000001"}, {"BankItemCode", "002"}});
    Transfer();
    EXPECT_EQ(Written("TrnBnk1a", "DebitAmount", "0000000004"),
              QStringList{"12 1200 100 100 2026-04-01 2027-02-28 1"});
    EXPECT_EQ(Rows(QStringLiteral("select sum(CreditAmount), min(BankTranSerialNum), max(BankTranSerialNum) "
                                  "from TrnBnk1a where RecurCode = \"0000000004\"")),
              QStringList{"0 0000000005 0000000016"});
    EXPECT_TRUE(presenter.errors.empty());
}

TEST_F(RecurDialogTest, TransferWaitsForApprovalAndApprovalForTheAccounts)
{
    ShowDialog(new TFrmRecur);
    TypeHeader(QStringLiteral("Water"), QStringLiteral("04/01/2026"), 12, Recur().DBEdit5, 1200);
    Click(Recur().DBRadioGroup1->Button(3));
    PostHeader();
    SaveDialog(QStringLiteral("recur-details"));
    CreateSchedule(false);
    EXPECT_EQ(LineText("TransactionDate"), QStringLiteral("04/30/2026"));
    presenter.shown.clear();
    Transfer();
    EXPECT_EQ(presenter.LastText(), QStringLiteral("Sorry, Only Approved Recurring Transaction can be Tranfered ?"));
    dialog->PageControl1->SetActivePage(dialog->DetailsSheet);
    Click(dialog->BtnApprove);
    EXPECT_EQ(presenter.LastText(), QStringLiteral("Expense Item not Specified, Please Enter the details"));
    EXPECT_EQ(presenter.shown.size(), 2u);
    EXPECT_FALSE(Header().FieldByName(QStringLiteral("Approved"))->AsBoolean());
    EXPECT_EQ(Rows(QStringLiteral("select count(*) from TrnExp1a")), QStringList{"1"});
}

// A header inserted in the list is filled in through the controls beside it,
// with or without Auto Edit; the saved header keeps its type, side and account.
TEST_F(RecurDialogTest, AHeaderInsertedInTheListIsTheOneItsControlsFillIn)
{
    ShowDialog(new TFrmRecur);
    TypeHeader(QStringLiteral("Electricity"), QStringLiteral("04/01/2026"), 12, Recur().DBEdit5, 1200);
    ClickRadio(Recur().DBRadioGroup1, 3);
    SetHeader("ExpenseCode", QStringLiteral("00001"));
    PostHeader();

    for (const bool autoEdit : {false, true}) {
        if (autoEdit)
            Click(dialog->CBoxBankTran);
        ClickGridCell(dialog->wwDBGrid1, 1, 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Insert);
        ASSERT_EQ(Header().State(), dsInsert);
        ClickRadio(Recur().DBRadioGroup1, 0);
        ClickRadio(Recur().DBRadioGroup2, 1);
        ChooseInCombo(Recur().DbLupBankAccount, QStringLiteral("Sav"));
        Type(dialog->DBEdit1, QStringLiteral("Standing order"));
        Type(dialog->DBEdit3, QStringLiteral("04/01/2026"));
        Type(dialog->DBEdit9, QStringLiteral("12"));
        Type(Recur().DBEdit5, QStringLiteral("600"));
        PostHeader();
    }
    EXPECT_EQ(Rows(QStringLiteral("select RecurCode, RecurDetails, RecurType, DebitCredit, BankAccountCode, "
                                  "ExpenseCode from TrnRec1a order by RecurCode")),
              (QStringList{"0000000001 Electricity E D  00001", "0000000002 Standing order B C 0000000002 ",
                           "0000000003 Standing order B C 0000000002 "}));
    EXPECT_TRUE(presenter.errors.empty());
}

} // namespace
