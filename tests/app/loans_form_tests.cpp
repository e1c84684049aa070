// The loans dialog through its own controls: typing a loan, its repayment
// schedule, the approval and the transfer into the bank and income
// transactions, with a transfer that fails half-way.
#include "app/loans_form.h"
#include "app/grid_colours.h"
#include "tests/app/schedule_dialog_fixture.h"
#include "platform/rtl/exceptions.h"
#include "dataset/ww_data_source.h"
#include <QTabBar>

namespace {

class LoansDialogTest : public ScheduleDialogTest {
protected:
    TFrmLoans& Loans() { return static_cast<TFrmLoans&>(*dialog); }

    // A bank loan of 1,000 with 100 interest over 3 months from 15 March 2026,
    // paid from the Savings account as "Loan Repayment".
    void TypeBankLoan()
    {
        ShowDialog(new TFrmLoans);
        TypeHeader(QStringLiteral("Car Loan"), QStringLiteral("03/15/2026"), 3, Loans().DBEdit5, 1000);
        Type(Loans().DBEdit2, QStringLiteral("100"));
        SetHeader("BankAccountCode", QStringLiteral("0000000002"));
        SetHeader("BankItemCode", QStringLiteral("003"));
        PostHeader();
    }

    QStringList LoanBankRows()
    {
        return Rows(QStringLiteral("select BankAccountCode, BankTranSerialNum, TransactionDate, DebitAmount, "
                                   "BankItemCode, External, LoanCode from TrnBnk1a where BankAccountCode = \"0000000002\" and "
                                   "LoanCode = \"0000000001\" "
                                   "order by TransactionDate"));
    }
};

TEST_F(LoansDialogTest, ScheduleSpreadsAmountAndInterestFromTheStartOrTheNextMonth)
{
    TypeBankLoan();
    EXPECT_EQ(Loans().DBEdit4->text(), QStringLiteral("06/14/2026"));

    CreateSchedule(true);
    ASSERT_GE(presenter.shown.size(), 2u);
    EXPECT_EQ(presenter.shown[0].Text, QStringLiteral("Previous Re-Payment Scheduele will be deleted, Continue ?"));
    EXPECT_EQ(presenter.shown[1].Text, QStringLiteral("Do you want to Start Re-Payment from Loan Start Month, ?"));
    EXPECT_EQ(LineColumn("TransactionDate"),
              (QStringList{"03/15/2026", "04/14/2026", "05/14/2026"}));
    EXPECT_EQ(LineColumn("LoanTranSerialNum"), (QStringList{"1", "2", "3"}));
    for (Lines().First(); !Lines().Eof(); Lines().Next())
        EXPECT_EQ(Lines().FieldByName(QStringLiteral("PaybackAmount"))->AsFloat(), (1000.0 + 100.0) / 3);
    EXPECT_EQ(Loans().DBEdit8->text(), QStringLiteral("1,100.00"));
    EXPECT_DOUBLE_EQ(Header().FieldByName(QStringLiteral("TotalPaybackAmount"))->AsFloat(), 1100.0);
    SaveDialog(QStringLiteral("loans-schedule"));

    // No: the first instalment a month on, and the old lines gone.
    CreateSchedule(false);
    EXPECT_EQ(LineColumn("TransactionDate"),
              (QStringList{"04/14/2026", "05/14/2026", "06/14/2026"}));
    EXPECT_EQ(LineColumn("LoanTranSerialNum"), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(Loans().DBEdit8->text(), QStringLiteral("1,100.00"));

    // A No to the first question leaves the schedule alone.
    presenter.Answer(mrNo);
    Click(dialog->BtnRePayment);
    EXPECT_EQ(Rows(QStringLiteral("select count(*) from TrnLon1b")), QStringList{"3"});
}

TEST_F(LoansDialogTest, ASchedulePartlyInTheClosedPeriodIsRefusedAndTheOldOneKept)
{
    TypeBankLoan();
    CreateSchedule(false);
    CloseThrough(EncodeDate(2026, 4, 30));
    presenter.shown.clear();
    CreateSchedule(true);
    ASSERT_EQ(presenter.shown.size(), 3u);
    EXPECT_EQ(presenter.LastText(), QStringLiteral("Sorry, Only dates falling after 30, Apr, 2026  will be accepted.\r"));
    EXPECT_TRUE(presenter.errors.empty());
    EXPECT_EQ(LineColumn("TransactionDate"),
              (QStringList{"04/14/2026", "05/14/2026", "06/14/2026"}));
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(LoansDialogTest, ApprovedLoanTransfersItsOpenInstalmentsToItsOwnBankAccount)
{
    TypeBankLoan();
    CreateSchedule(true);
    presenter.shown.clear();
    Transfer();
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.LastText(), QStringLiteral("Sorry, Only Approved Loans can be Tranfered ?"));
    EXPECT_TRUE(LoanBankRows().isEmpty());

    // The names come from the codes, wherever the reference tables stand.
    adm1->TblBankAccounts->First();
    adm1->TblBankItems->First();
    presenter.shown.clear();
    dialog->PageControl1->SetActivePage(dialog->DetailsSheet);
    Approve();
    const QString text = QStringLiteral(
        "Loan will be posted against \rBank Account : \"Savings\" and Bank Item : \"Loan Repayment\"\r"
        "Approve This Loan, You will not be allowed to make any further Modifications in the Loan Details ? \r"
        "Note: Unposted Loan Re-Payment Schedule Details can be Modified ");
    ASSERT_EQ(presenter.shown.size(), 2u);
    EXPECT_EQ(presenter.shown[0].Text, QStringLiteral("Warning, ") + text);
    EXPECT_EQ(presenter.shown[1].Text, QStringLiteral("*FINAL WARNING*, ") + text);
    EXPECT_FALSE(dialog->BtnApprove->isEnabled());
    EXPECT_FALSE(dialog->BtnRePayment->isEnabled());

    // Savings holds serials 1 and 2; Household's rows (up to 4) count for nothing.
    Transfer();
    const QString due = QVariant(1100.0 / 3).toString();
    EXPECT_EQ(LoanBankRows(), (QStringList{
                                  "0000000002 0000000003 2026-03-15 " + due + " 003 true 0000000001",
                                  "0000000002 0000000004 2026-04-14 " + due + " 003 true 0000000001",
                                  "0000000002 0000000005 2026-05-14 " + due + " 003 true 0000000001",
                              }));
    EXPECT_EQ(Screen->Cursor(), crDefault);
    // The bank table was closed (no account chosen) and is again.
    EXPECT_FALSE(adm1->TblTranBank1->Active());

    // March closes: its instalment stays, the later ones are written again, once.
    CloseThrough(EncodeDate(2026, 3, 31));
    Transfer();
    EXPECT_EQ(LoanBankRows(), (QStringList{
                                  "0000000002 0000000003 2026-03-15 " + due + " 003 true 0000000001",
                                  "0000000002 0000000004 2026-04-14 " + due + " 003 true 0000000001",
                                  "0000000002 0000000005 2026-05-14 " + due + " 003 true 0000000001",
                              }));
    EXPECT_EQ(Rows(QStringLiteral("select count(*) from TrnBnk1a where BankAccountCode = \"0000000002\"")),
              QStringList{"5"});

    // The schedule shows the posted instalment in the posted colour, the rest in the loan colour.
    const QImage grid = GrabGrid(dialog->wwDBGrid2);
    EXPECT_EQ(CellColour(grid, dialog->wwDBGrid2, 2, 1), ToQColor(GridColorPosted));
    EXPECT_EQ(CellColour(grid, dialog->wwDBGrid2, 2, 2), ToQColor(GridColorLoan));
    SaveDialog(QStringLiteral("loans-transferred"));

    // The main window paints the generated rows in the loan colour.
    dialog.reset();
    ShowWindow();
    ChooseBankAccount(QStringLiteral("Savings"));
    const QImage bank = GrabGrid(window->wwDBGrid14);
    EXPECT_EQ(CellColour(bank, window->wwDBGrid14, 2, 4), ToQColor(GridColorLoan));
}

TEST_F(LoansDialogTest, WithNoLoanTheAccountControlsDoNotLieOverEachOther)
{
    ShowDialog(new TFrmLoans);
    std::vector<QWidget*> shown;
    for (QWidget* control : std::initializer_list<QWidget*>{Loans().LblBank, Loans().DbLupBankAccount,
                                                            Loans().LblBankItem, Loans().DbLupBankItem,
                                                            Loans().LblIncome, Loans().DbLupIncomeAccount})
        if (control->isVisible())
            shown.push_back(control);
    EXPECT_FALSE(shown.empty());
    for (std::size_t i = 0; i < shown.size(); ++i)
        for (std::size_t j = i + 1; j < shown.size(); ++j)
            EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
                << qPrintable(shown[i]->objectName()) << " over " << qPrintable(shown[j]->objectName());
}

TEST_F(LoansDialogTest, IncomeLoanPostsNegativeIncome)
{
    ShowDialog(new TFrmLoans);
    TypeHeader(QStringLiteral("Advance"), QStringLiteral("04/01/2026"), 2, Loans().DBEdit5, 500);
    ClickRadio(Loans().DBRadioGroup1, 1);
    EXPECT_FALSE(Loans().DbLupBankAccount->isVisible());
    EXPECT_TRUE(Loans().DbLupIncomeAccount->isVisible());
    EXPECT_EQ(Loans().DbLupIncomeAccount->pos(), Loans().DbLupBankAccount->pos());
    PostHeader();
    CreateSchedule(true);
    presenter.shown.clear();
    Click(dialog->BtnApprove);
    EXPECT_EQ(presenter.LastText(), QStringLiteral("Income Item not Specified, Please Enter the details"));
    SetHeader("IncomeCode", QStringLiteral("00001"));
    PostHeader();
    Approve();
    EXPECT_TRUE(presenter.shown.back().Text.contains(QStringLiteral("Income Item : \"Wages\"")));
    Transfer();
    EXPECT_EQ(Rows(QStringLiteral("select IncomeTranSerialNum, TransactionDate, IncomeAmount, External from "
                                  "TrnInc1a where LoanCode = \"0000000001\" order by TransactionDate")),
              (QStringList{"0000000003 2026-04-01 -250 true", "0000000004 2026-04-30 -250 true"}));
}

TEST_F(LoansDialogTest, AFailureHalfWayThroughATransferLeavesTheTablesAsTheyWere)
{
    TypeBankLoan();
    CreateSchedule(true);
    Approve();
    Transfer();
    const QStringList before = LoanBankRows();
    ASSERT_EQ(before.size(), 3);
    adm1->SetDataUpdated(false);
    Lines().First();
    Lines().Next();

    // The second row's post fails after the engine took it.
    int posts = 0;
    adm1->TblTranBank1->AfterPost = [&posts, rule = adm1->TblTranBank1->AfterPost](TDataSet& row) {
        rule(row);
        if (++posts == 2)
            throw EDatabaseError(QStringLiteral("Disk full"));
    };
    Transfer();
    ASSERT_EQ(presenter.errors, std::vector<QString>{QStringLiteral("Disk full")});
    EXPECT_EQ(LoanBankRows(), before);
    EXPECT_EQ(Rows(QStringLiteral("select DataUpdated from PConfig1")), QStringList{"false"});
    EXPECT_FALSE(adm1->TblConfig->FieldByName(QStringLiteral("DataUpdated"))->AsBoolean());
    EXPECT_EQ(Screen->Cursor(), crDefault);
    EXPECT_EQ(LineText("LoanTranSerialNum"), QStringLiteral("2"));
    EXPECT_FALSE(adm1->TblTranBank1->Active());
}

TEST_F(LoansDialogTest, AFailureHalfWayThroughAScheduleKeepsTheOldOne)
{
    TypeBankLoan();
    CreateSchedule(false);
    int posts = 0;
    adm1->TblTrnLoan1B->AfterPost = [&posts, rule = adm1->TblTrnLoan1B->AfterPost](TDataSet& line) {
        rule(line);
        if (++posts == 2)
            throw EDatabaseError(QStringLiteral("Disk full"));
    };
    CreateSchedule(true);
    ASSERT_EQ(presenter.errors, std::vector<QString>{QStringLiteral("Disk full")});
    EXPECT_EQ(LineColumn("TransactionDate"), (QStringList{"04/14/2026", "05/14/2026", "06/14/2026"}));
    EXPECT_EQ(Rows(QStringLiteral("select TransactionDate from TrnLon1b order by TransactionDate")),
              (QStringList{"2026-04-14", "2026-05-14", "2026-06-14"}));
    EXPECT_EQ(Loans().DBEdit8->text(), QStringLiteral("1,100.00"));
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(LoansDialogTest, AutoEditAndTheSchedulePageSwitchTheNavigators)
{
    ShowDialog(new TFrmLoans);
    const int withEdit = dialog->DBNavigator2->width();
    Click(dialog->CBoxBankTran);
    EXPECT_TRUE(adm1->DsTrnLoan1A->AutoEdit());
    EXPECT_TRUE(adm1->DsTrnLoan1B->AutoEdit());
    EXPECT_FALSE(dialog->DBNavigator2->VisibleButtons().Contains(nbEdit));
    EXPECT_FALSE(dialog->DBNavigator4->VisibleButtons().Contains(nbEdit));
    EXPECT_LT(dialog->DBNavigator2->width(), withEdit);

    QTest::mouseClick(dialog->PageControl1->TabBar(), Qt::LeftButton, {},
                      dialog->PageControl1->TabBar()->tabRect(1).center());
    QApplication::processEvents();
    EXPECT_EQ(dialog->PageControl1->ActivePage(), Loans().TabLoanPayment);
    EXPECT_FALSE(dialog->DBNavigator2->isEnabled());
    EXPECT_EQ(Header().State(), dsBrowse);
    EXPECT_EQ(Lines().State(), dsBrowse);
    SaveDialog(QStringLiteral("loans-autoedit"));
}

TEST_F(LoansDialogTest, CtrlLOpensTheDialogModallyOverTheHiddenMainWindow)
{
    ShowWindow();
    bool mainWindowVisible = true;
    InDialog<TFrmLoans>(Qt::Key_L, FrmLoans, [&](TFrmLoans& loans) {
        mainWindowVisible = window->isVisible();
        EXPECT_EQ(loans.Caption(), QStringLiteral("Loan Transactions"));
        EXPECT_EQ(loans.PageControl1->ActivePage(), loans.TabLoanDetails);
        QTest::mouseClick(loans.BitBtn1, Qt::LeftButton);
    });
    EXPECT_TRUE(presenter.errors.empty());
    EXPECT_FALSE(mainWindowVisible);
    EXPECT_EQ(FrmLoans, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

} // namespace
