#include "data/transaction_rules.h"
#include "data/adm1.h"
#include "data/message_helpers.h"
#include "data/posted_period_guard.h"
#include "data/record_codes.h"
#include "dataset/ww_query.h"
#include "dataset/ww_table.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "platform/rtl/presenter.h"

namespace {

constexpr TTransactionTable Tables[] = {
    {"TblTranBank1", "BankItemCode", "Item Description has to be entered", "CalcBankItemDescription", true},
    {"TblTranTel1", "TelItemCode", "Item Description has to be entered", "CaclTelItemDesc", false},
    {"TblTranIncome", "IncomeCode", "Income Description has to be entered", "CalcIncomeItemDesc", true},
    {"TblTranExpense", "ExpenseCode", "Expense Description has to be entered", "CalcExpenseItemDesc", true},
};

const QString TransactionDate = QStringLiteral("TransactionDate");

void GuardLockedRow(const TADm1& dm, const TTransactionTable& table, const TDataSet& dataSet) {
    GuardPostedRow(dataSet, TransactionDate, dm.CurrentCloseDate);
    if (table.ExternalLock && dataSet.FieldByName(QStringLiteral("External"))->AsBoolean()) {
        ShowErrorMessage(QString::fromLatin1(ExternalRecordMessage));
        Abort();
    }
}

// The amount fields of a bank row exclude each other.
void ClearOtherAmount(TField& sender, const char* other) {
    if (sender.AsFloat() > 0)
        sender.DataSet()->FieldByName(QString::fromLatin1(other))->SetAsFloat(0);
}

}  // namespace

std::span<const TTransactionTable> TransactionTables() { return Tables; }

void TransactionBeforeEdit(const TADm1& dm, const TTransactionTable& table, TDataSet& dataSet) {
    GuardLockedRow(dm, table, dataSet);
}

void TransactionBeforeDelete(const TADm1& dm, const TTransactionTable& table, TDataSet& dataSet) {
    GuardLockedRow(dm, table, dataSet);
    const QString question =
        QStringLiteral("Delete Item \"%1\" For Date \"%2\"")
            .arg(dataSet.FieldByName(QString::fromLatin1(table.ItemLookup))->AsString(),
                 DateToStr(dataSet.FieldByName(TransactionDate)->AsDateTime()));
    if (MessageDlg(question, TMsgDlgType::mtWarning, mbYesNo, 0) != mrYes)
        Abort();
}

void TransactionBeforePost(TADm1& dm, const TTransactionTable& table, TDataSet& dataSet) {
    if (dataSet.FieldByName(QString::fromLatin1(table.ItemField))->AsString().isEmpty()) {
        ShowErrorMessage(QString::fromLatin1(table.ItemMessage));
        Abort();
    }
    GuardPostDate(dataSet, TransactionDate, dm.CurrentCloseDate);
    if (const TRecordCodeRule* rule = FindRecordCodeRule(Adm1RecordCodeRules(), dataSet.Name()))
        RenumberWithinOwnParent(dataSet, *dm.QryRT, *rule);
}

void TransactionAfterChange(TADm1& dm) { dm.SetDataUpdated(true); }

bool InOptionsDateRange(const TADm1& dm, const TDataSet& dataSet) {
    const TDateTime date = dataSet.FieldByName(TransactionDate)->AsDateTime();
    return dm.TblOptions->FieldByName(QStringLiteral("FromDate"))->AsDateTime() <= date &&
           date <= dm.TblOptions->FieldByName(QStringLiteral("ToDate"))->AsDateTime();
}

void TblTranBank1FilterRecord(const TADm1& dm, TDataSet& DataSet, bool& Accept) {
    Accept = InOptionsDateRange(dm, DataSet);
}

void TblTranTel1FilterRecord(const TADm1& dm, TDataSet& DataSet, bool& Accept) {
    Accept = InOptionsDateRange(dm, DataSet);
}

void TblTranIncomeFilterRecord(const TADm1& dm, TDataSet& DataSet, bool& Accept) {
    Accept = InOptionsDateRange(dm, DataSet);
}

void TblTranExpenseFilterRecord(const TADm1& dm, TDataSet& DataSet, bool& Accept) {
    Accept = InOptionsDateRange(dm, DataSet);
}

void TblTranBank1DebitAmountChange(TField& Sender) { ClearOtherAmount(Sender, "CreditAmount"); }

void TblTranBank1CreditAmountChange(TField& Sender) { ClearOtherAmount(Sender, "DebitAmount"); }
