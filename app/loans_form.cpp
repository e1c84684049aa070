#include "app/loans_form.h"
#include "app/tab_order.h"
#include "app/grid_colours.h"
#include "data/adm1.h"
#include "data/header_rules.h"
#include "dataset/ww_table.h"
#include "grid/lookup_combo.h"
#include "platform/ui/db_controls.h"
#include "platform/db/field.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/presenter.h"
#include "platform/ui/db_controls.h"
#include "platform/ui/standard_controls.h"
#include <initializer_list>

TFrmLoans* FrmLoans = nullptr;

namespace {

constexpr const char* LineColumns[] = {"LoanTranSerialNum\t4\tSr #", "TransactionDate\t11\tDate",
                                       "PaybackAmount\t15\tAmount"};
constexpr const char* BankAccountColumns[] = {"AccountName\t15\tAccount Name", "AccountNumber\t15\tAccount Number",
                                              "CalcBankName\t15\tBank Name", "CalcCardName\t15\tCard Name"};
constexpr const char* BankItemColumns[] = {"BankItemDesc\t50\tItem Description"};
constexpr const char* IncomeColumns[] = {"IncomeDescription\t19\tIncome Description"};

const TScheduleFormSpec Spec{
    .Name = "FrmLoans",
    .Caption = "Loan Transactions",
    .Rules = &HeaderTables()[0],
    .Header = &TADm1::TblTrnLoan1A,
    .HeaderSource = &TADm1::DsTrnLoan1A,
    .Lines = &TADm1::TblTrnLoan1B,
    .LinesSource = &TADm1::DsTrnLoan1B,
    .HeaderColumn = "LoanDetails\t30\tLoan Description",
    .LineColumns = LineColumns,
    .DetailsPage = "TabLoanDetails",
    .DetailsCaption = "Loan Details",
    .SchedulePage = "TabLoanPayment",
    .ScheduleCaption = "Loan Re-Payment Schedule",
    .DetailsLabel = " Loan Description",
    .TotalField = "TotalPaybackAmount",
    .TotalLabel = " Payback Amount",
    .RePaymentCaption = "Create Re-Payment Schedule",
    .ApproveCaption = "Approve Loan",
    .ReplaceQuestion = "Previous Re-Payment Scheduele will be deleted, Continue ?",
    .StartMonthQuestion = "Do you want to Start Re-Payment from Loan Start Month, ?",
    .TargetIntro = "Loan will be posted against ",
    .ApproveQuestion = "Approve This Loan, You will not be allowed to make any further Modifications in the Loan "
                       "Details ? \rNote: Unposted Loan Re-Payment Schedule Details can be Modified ",
    .TransferRefusal = "Sorry, Only Approved Loans can be Tranfered ?",
    .OpenLineColour = &GridColorLoan,
};

[[noreturn]] void NotSpecified(const char* message)
{
    MessageDlg(QString::fromLatin1(message), TMsgDlgType::mtWarning, mbOK, 0);
    Abort();
}

QString Quoted(const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

} // namespace

TFrmLoans::TFrmLoans() : TScheduleForm(Spec)
{
    FrmLoans = this;
    TabLoanDetails = DetailsSheet;
    TabLoanPayment = ScheduleSheet;
    DBEdit5 = AddEdit(DetailsSheet, "DBEdit5", "LoanAmount", " Loan Amount", 8, 96, 90);
    DBEdit6 = AddEdit(DetailsSheet, "DBEdit6", "InterestRate", " Interest Rate", SecondColumn, 96, 90);
    DBEdit2 = AddEdit(DetailsSheet, "DBEdit2", "InterestAmount", " Interest Amount", 8, 124, 90);
    DBEdit5->OnEnter = [this](QObject* sender) { DBEdit9Change(sender); };

    DBRadioGroup1->SetItems({QStringLiteral("Bank"), QStringLiteral("Income")});
    DBRadioGroup1->SetValues({QStringLiteral("B"), QStringLiteral("I")});
    DBRadioGroup1->setGeometry(8, AccountTop - 8, 120, 60);

    LblBank = AddLabel(DetailsSheet, "LblBank", " Bank Account", 140, AccountTop);
    DbLupBankAccount = AddLookup(DetailsSheet, "DbLupBankAccount", "BankAccountCode", ADm1->TblBankAccounts,
                                 "BankAccountCode", BankAccountColumns);
    DbLupBankAccount->setGeometry(230, AccountTop, 200, 21);
    DbLupBankAccount->SetDropDownWidth(420);
    LblBankItem = AddLabel(DetailsSheet, "LblBankItem", " Bank Item", 140, AccountTop + 28);
    DbLupBankItem = AddLookup(DetailsSheet, "DbLupBankItem", "BankItemCode", ADm1->TblBankItems, "BankItemCode",
                              BankItemColumns);
    DbLupBankItem->setGeometry(230, AccountTop + 28, 200, 21);
    LblIncome = AddLabel(DetailsSheet, "LblIncome", " Income Item", 140, AccountTop + 56);
    DbLupIncomeAccount = AddLookup(DetailsSheet, "DbLupIncomeAccount", "IncomeCode", ADm1->TblIncome, "IncomeCode",
                                   IncomeColumns);
    DbLupIncomeAccount->setGeometry(230, AccountTop + 56, 200, 21);
    // The income controls take the place of the bank controls.
    LblIncome->move(LblBank->pos());
    DbLupIncomeAccount->move(DbLupBankAccount->pos());
    // Bound last: the choice shows its account controls at once.
    DBRadioGroup1->SetDataField(QStringLiteral("LoanType"));
    DoCreate();
    SetTabOrderByPosition(*this);
}

TFrmLoans::~TFrmLoans()
{
    DoDestroy();
    if (FrmLoans == this)
        FrmLoans = nullptr;
}

void TFrmLoans::DBRadioGroup1Change(QObject*)
{
    const QString type = DBRadioGroup1->Value();
    for (QWidget* control : std::initializer_list<QWidget*>{LblIncome, DbLupIncomeAccount, LblBank, DbLupBankAccount,
                                                            LblBankItem, DbLupBankItem})
        control->setVisible(true);
    if (type == QLatin1String("B")) {
        LblIncome->hide();
        DbLupIncomeAccount->hide();
    } else if (type == QLatin1String("I")) {
        for (QWidget* control : std::initializer_list<QWidget*>{LblBank, DbLupBankAccount, LblBankItem, DbLupBankItem})
            control->hide();
    } else {
        // No type (no loan chosen): the income controls sit where the bank
        // ones are, so only the bank ones show, as a new loan starts.
        LblIncome->hide();
        DbLupIncomeAccount->hide();
    }
    for (QWidget* combo : std::initializer_list<QWidget*>{DbLupBankAccount, DbLupBankItem, DbLupIncomeAccount})
        combo->update();
    ADm1->TblBankItems->Refresh();
}

double TFrmLoans::Instalment() const
{
    const TDataSet& header = Header();
    return (header.FieldByName(QStringLiteral("LoanAmount"))->AsFloat() +
            header.FieldByName(QStringLiteral("InterestAmount"))->AsFloat()) /
           header.FieldByName(QStringLiteral("Duration"))->AsInteger();
}

QString TFrmLoans::ApprovalTarget() const
{
    const QString type = HeaderText("LoanType");
    if (type == QLatin1String("B")) {
        const QString account = HeaderText("BankAccountCode");
        const QString item = HeaderText("BankItemCode");
        if (account.isEmpty())
            NotSpecified("Bank Account not Specified, Please Enter the details");
        if (item.isEmpty())
            NotSpecified("Bank Item not Specified, Please Enter the details");
        return QStringLiteral("Bank Account : ") +
               Quoted(Describe(ADm1->TblBankAccounts, "BankAccountCode", account, "AccountName")) +
               QStringLiteral(" and Bank Item : ") +
               Quoted(Describe(ADm1->TblBankItems, "BankItemCode", item, "BankItemDesc"));
    }
    if (type == QLatin1String("I")) {
        const QString income = HeaderText("IncomeCode");
        if (income.isEmpty())
            NotSpecified("Income Item not Specified, Please Enter the details");
        return QStringLiteral("Income Item : ") +
               Quoted(Describe(ADm1->TblIncome, "IncomeCode", income, "IncomeDescription"));
    }
    return QString();
}

TTransferTarget TFrmLoans::TransferTarget() const
{
    const QString type = HeaderText("LoanType");
    if (type == QLatin1String("B")) {
        const QString account = HeaderText("BankAccountCode");
        const QString item = HeaderText("BankItemCode");
        return {"TblTranBank1", "TrnBnk1a", [account, item](TDataSet& row, const TDataSet& line) {
                    row.FieldByName(QStringLiteral("BankAccountCode"))->SetAsString(account);
                    row.FieldByName(QStringLiteral("BankItemCode"))->SetAsString(item);
                    row.FieldByName(QStringLiteral("DebitAmount"))
                        ->SetAsFloat(line.FieldByName(QStringLiteral("PaybackAmount"))->AsFloat());
                },
                QStringLiteral("BankAccountCode"), account};
    }
    const QString income = HeaderText("IncomeCode");
    return {"TblTranIncome", "TrnInc1a", [income](TDataSet& row, const TDataSet& line) {
                row.FieldByName(QStringLiteral("IncomeCode"))->SetAsString(income);
                row.FieldByName(QStringLiteral("IncomeAmount"))
                    ->SetAsFloat(-line.FieldByName(QStringLiteral("PaybackAmount"))->AsFloat());
            }};
}
