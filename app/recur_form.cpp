#include "app/recur_form.h"
#include "app/tab_order.h"
#include "app/grid_colours.h"
#include "data/adm1.h"
#include "dataset/ww_data_source.h"
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

TFrmRecur* FrmRecur = nullptr;

namespace {

constexpr const char* LineColumns[] = {"RecurTranSerialNum\t4\tSr #", "TransactionDate\t10\tDate",
                                       "RecurAmount\t10\tAmount"};

const TScheduleFormSpec Spec{
    .Name = "FrmRecur",
    .Caption = "Recurring Transactions",
    .Rules = &HeaderTables()[1],
    .Header = &TADm1::TblTrnRec1A,
    .HeaderSource = &TADm1::DsTrnRec1A,
    .Lines = &TADm1::TblTrnRec1B,
    .LinesSource = &TADm1::DsTrnRec1B,
    .HeaderColumn = "RecurDetails\t50\tDetails",
    .LineColumns = LineColumns,
    .DetailsPage = "TabRecurDetails",
    .DetailsCaption = "Recurring Details",
    .SchedulePage = "TabRecurPayment",
    .ScheduleCaption = "Recurring Schedule",
    .DetailsLabel = " Recurring Description",
    .TotalField = "TotalRecurAmount",
    .TotalLabel = " Total Amount",
    .RePaymentCaption = "Create Recurring Schedule",
    .ApproveCaption = "Approve ",
    .ReplaceQuestion = "Previous Recurring Scheduele will be deleted, Continue ?",
    .StartMonthQuestion = "Do you want to Start the Schedule from Starting Month, ?",
    .TargetIntro = "Recurring Schedules will be posted against ",
    .ApproveQuestion = "Approve This Recurring Transaction, You will not be allowed to make any further "
                       "Modifications in the Details ? \rNote: Unposted Recurring Schedule Details can be Modified ",
    .TransferRefusal = "Sorry, Only Approved Recurring Transaction can be Tranfered ?",
    .OpenLineColour = &GridColorRecurring,
};

// One account a recurring type posts against: the header's code, where its
// name is looked up, and the box for a missing code.
struct TRecurAccount {
    const char* Caption;        // "Bank Account : "
    const char* CodeField;
    TwwTable* TADm1::*Lookup;
    const char* NameField;
    const char* Missing;
};

// What each recurring type posts to: one or two accounts and the amount field.
struct TRecurKind {
    const char* Type;
    TRecurAccount Account;
    TRecurAccount Item;         // CodeField empty for types with one account
    const char* Component;
    const char* Table;
    const char* AmountField;    // written with the signed amount; the bank row is special
};

const TRecurKind Kinds[] = {
    {"B",
     {"Bank Account : ", "BankAccountCode", &TADm1::TblBankAccounts, "AccountName",
      "Bank Account not Specified, Please Enter the details"},
     {" and Bank Item : ", "BankItemCode", &TADm1::TblBankItems, "BankItemDesc",
      "Bank Item not Specified, Please Enter the details"},
     "TblTranBank1", "TrnBnk1a", ""},
    {"I",
     {"Income Item : ", "IncomeCode", &TADm1::TblIncome, "IncomeDescription",
      "Income Item not Specified, Please Enter the details"},
     {}, "TblTranIncome", "TrnInc1a", "IncomeAmount"},
    {"E",
     {"Expense Item : ", "ExpenseCode", &TADm1::TblExpense, "ExpenseDescription",
      "Expense Item not Specified, Please Enter the details"},
     {}, "TblTranExpense", "TrnExp1a", "ExpenseAmount"},
    {"C",
     {"Communication Account : ", "TelcomCode", &TADm1::TblTelCom, "TelcomDesc",
      "Communication Account not Specified, Please Enter the details"},
     {" and Communication Item : ", "TelItemCode", &TADm1::TblTelItems, "TelItemDesc",
      "Communication Item not Specified, Please Enter the details"},
     "TblTranTel1", "TrnTel1a", "Amount"},
};

const TRecurKind* KindOf(const QString& type)
{
    for (const TRecurKind& kind : Kinds)
        if (type == QLatin1String(kind.Type))
            return &kind;
    return nullptr;
}

QString Quoted(const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

} // namespace

TFrmRecur::TFrmRecur() : TScheduleForm(Spec)
{
    FrmRecur = this;
    TabRecurDetails = DetailsSheet;
    TabRecurPayment = ScheduleSheet;
    DBEdit5 = AddEdit(DetailsSheet, "DBEdit5", "RecurAmount", " Amount", 8, 124, 90);
    DBEdit5->OnEnter = [this](QObject* sender) { DBEdit9Change(sender); };

    DBRadioGroup1->SetItems({QStringLiteral("Bank"), QStringLiteral("Income"), QStringLiteral("Communication"),
                             QStringLiteral("Expense")});
    DBRadioGroup1->SetValues({QStringLiteral("B"), QStringLiteral("I"), QStringLiteral("C"), QStringLiteral("E")});
    DBRadioGroup1->SetColumns(2);
    DBRadioGroup1->setGeometry(8, AccountTop - 8, 230, 60);
    DBRadioGroup2 = new TDBRadioGroup(DetailsSheet);
    DBRadioGroup2->setObjectName(QStringLiteral("DBRadioGroup2"));
    DBRadioGroup2->SetCaption(QStringLiteral(" Type "));
    DBRadioGroup2->SetItems({QStringLiteral("Debit"), QStringLiteral("Credit")});
    DBRadioGroup2->SetValues({QStringLiteral("D"), QStringLiteral("C")});
    DBRadioGroup2->SetColumns(2);
    DBRadioGroup2->setGeometry(8, AccountTop + 58, 230, 44);
    DBRadioGroup2->SetDataSource(DBRadioGroup1->DataSource());
    DBRadioGroup2->OnChange = [this](QObject* sender) { DBRadioGroup1Change(sender); };

    constexpr int left = 248;
    constexpr int comboLeft = left + 104;
    LblMain = AddLabel(DetailsSheet, "LblMain", " Bank Account", left, AccountTop);
    LblBankItem = AddLabel(DetailsSheet, "LblBankItem", " Bank Item", left, AccountTop + 28);
    CreateAccountCombos(DetailsSheet, ADm1->*Spec.HeaderSource, QRect(comboLeft, AccountTop, 170, 21));

    // Bound last: the choices show their account controls at once.
    DBRadioGroup1->SetDataField(QStringLiteral("RecurType"));
    DBRadioGroup2->SetDataField(QStringLiteral("DebitCredit"));
    DoCreate();
    SetTabOrderByPosition(*this);
}

TFrmRecur::~TFrmRecur()
{
    DoDestroy();
    if (FrmRecur == this)
        FrmRecur = nullptr;
}

void TFrmRecur::DBRadioGroup1Change(QObject*)
{
    ShowLineAccounts(DBRadioGroup1->Value());
}

double TFrmRecur::Instalment() const
{
    return Header().FieldByName(QStringLiteral("RecurAmount"))->AsFloat() /
           Header().FieldByName(QStringLiteral("Duration"))->AsInteger();
}

QString TFrmRecur::ApprovalTarget() const
{
    const TRecurKind* kind = KindOf(HeaderText("RecurType"));
    if (!kind)
        return QString();
    QString text;
    for (const TRecurAccount* account : {&kind->Account, &kind->Item}) {
        if (!account->CodeField)
            continue;
        const QString code = HeaderText(account->CodeField);
        if (code.isEmpty()) {
            MessageDlg(QString::fromLatin1(account->Missing), TMsgDlgType::mtWarning, mbOK, 0);
            Abort();
        }
        text += QString::fromLatin1(account->Caption) +
                Quoted(Describe(ADm1->*account->Lookup, account->CodeField, code, account->NameField));
    }
    return text;
}

TTransferTarget TFrmRecur::TransferTarget() const
{
    const TRecurKind* kind = KindOf(HeaderText("RecurType"));
    if (!kind)
        Abort();
    const bool debit = HeaderText("DebitCredit") == QLatin1String("D");
    std::vector<std::pair<QString, QString>> codes;
    for (const TRecurAccount* account : {&kind->Account, &kind->Item})
        if (account->CodeField)
            codes.emplace_back(QString::fromLatin1(account->CodeField), HeaderText(account->CodeField));
    const QString amountField = QString::fromLatin1(kind->AmountField);
    return {kind->Component, kind->Table, [codes, debit, amountField](TDataSet& row, const TDataSet& line) {
                for (const auto& [field, code] : codes)
                    row.FieldByName(field)->SetAsString(code);
                const double amount = line.FieldByName(QStringLiteral("RecurAmount"))->AsFloat();
                if (amountField.isEmpty()) {
                    // A bank row holds the amount positive, as a debit or a credit.
                    row.FieldByName(QStringLiteral("DebitAmount"))->SetAsFloat(0);
                    row.FieldByName(QStringLiteral("CreditAmount"))->SetAsFloat(0);
                    row.FieldByName(debit ? QStringLiteral("DebitAmount") : QStringLiteral("CreditAmount"))
                        ->SetAsFloat(amount);
                } else {
                    row.FieldByName(amountField)->SetAsFloat(debit ? -amount : amount);
                }
            },
            // The bank and communication rows are kept per account.
            kind->Item.CodeField ? codes.front().first : QString(),
            kind->Item.CodeField ? codes.front().second : QString()};
}
