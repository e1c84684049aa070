#include "data/header_rules.h"
#include "data/adm1.h"
#include "data/message_helpers.h"
#include "data/posted_period_guard.h"
#include "data/record_codes.h"
#include "data/rule_queries.h"
#include "dataset/ww_query.h"
#include "dataset/ww_table.h"
#include "platform/db/field.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "platform/rtl/presenter.h"

namespace {

constexpr THeaderTable Tables[] = {
    {.HeaderComponent = "TblTrnLoan1A", .LineComponent = "TblTrnLoan1B", .HeaderTable = "TrnLon1A",
     .LineTable = "TrnLon1b", .CodeField = "LoanCode", .DetailsField = "LoanDetails", .TypeField = "LoanType",
     .AmountField = "LoanAmount", .TotalField = "TotalPaybackAmount", .LineAmountField = "PaybackAmount",
     .ApprovedMessage = "Approved Loans Cannot be Modified",
     .DetailsMessage = "Loan Details has to be entered", .TypeMessage = "Loan Type has to be entered",
     .StartMessage = "Loan Start Date has to be entered",
     .FinishMessage = "Loan Finish Date has to be Greater than Loan Start Date",
     .AmountMessage = "Loan Amount has to be entered", .DeleteQuestion = "Delete Loan ",
     .LineDeleteQuestion = "Delete Re-payment Of Amount ", .CountsBankTransactions = true},
    {.HeaderComponent = "TblTrnRec1A", .LineComponent = "TblTrnRec1B", .HeaderTable = "TrnRec1A",
     .LineTable = "TrnRec1b", .CodeField = "RecurCode", .DetailsField = "RecurDetails", .TypeField = "RecurType",
     .AmountField = "RecurAmount", .TotalField = "TotalRecurAmount", .LineAmountField = "RecurAmount",
     .ApprovedMessage = "Approved Recurring Transactions Cannot be Modified",
     .DetailsMessage = "Recurring Details has to be entered", .TypeMessage = "Recurring Type has to be entered",
     .StartMessage = "Start Date has to be entered",
     .FinishMessage = "Finish Date has to be Greater than Start Date",
     .AmountMessage = "Recurring Amount has to be entered", .DeleteQuestion = "Delete Recurring Item ",
     .LineDeleteQuestion = "Delete Amount ", .CountsBankTransactions = false},
};

const QString TransactionDate = QStringLiteral("TransactionDate");

const TField* Field(const TDataSet& dataSet, const char* name) {
    return dataSet.FieldByName(QString::fromLatin1(name));
}

[[noreturn]] void Refuse(const char* message) {
    ShowErrorMessage(QString::fromLatin1(message));
    Abort();
}

// The plain error dialog of the delete guards (no trailing return, help 0).
void RefuseWhenUsed(TQuery& query, const QString& table, const QString& codeField, const QVariant& code,
                    const char* message) {
    const qint64 uses = QueryCount(query,
                                   {QStringLiteral("select Count(*) from ") + table,
                                    QStringLiteral("where %1 = :Code").arg(codeField)},
                                   {{QStringLiteral("Code"), code}});
    if (uses > 0) {
        MessageDlg(QString::fromLatin1(message), TMsgDlgType::mtError, mbOK, 0);
        Abort();
    }
}

void Ask(const QString& question) {
    if (MessageDlg(question, TMsgDlgType::mtWarning, mbYesNo, 0) != mrYes)
        Abort();
}

const TDataSet& HeaderOf(const TADm1& dm, const THeaderTable& table) {
    return *dm.TableByName(QString::fromLatin1(table.HeaderComponent));
}

}  // namespace

std::span<const THeaderTable> HeaderTables() { return Tables; }

void HeaderBeforeEdit(const THeaderTable& table, TDataSet& dataSet) {
    if (Field(dataSet, "Approved")->AsBoolean())
        Refuse(table.ApprovedMessage);
}

void HeaderBeforeDelete(TADm1& dm, const THeaderTable& table, TDataSet& dataSet) {
    HeaderBeforeEdit(table, dataSet);
    const QVariant code = Field(dataSet, table.CodeField)->Value();
    const QString codeField = QString::fromLatin1(table.CodeField).toUpper();
    if (table.CountsBankTransactions)
        RefuseWhenUsed(*dm.QryRT, QStringLiteral("TRNBNK1A"), codeField, code,
                       "Cannot be deleted since it Appears in Bank Transactions");
    RefuseWhenUsed(*dm.QryRT, QString::fromLatin1(table.LineTable).toUpper(), codeField, code,
                   "Cannot be deleted because details exists");
    Ask(QString::fromLatin1(table.DeleteQuestion) + QLatin1Char('"') + Field(dataSet, table.DetailsField)->AsString() +
        QStringLiteral("\", Are You Sure ?"));
}

void HeaderBeforePost(const TADm1& dm, const THeaderTable& table, TDataSet& dataSet) {
    if (Field(dataSet, table.DetailsField)->AsString().isEmpty())
        Refuse(table.DetailsMessage);
    if (Field(dataSet, table.TypeField)->AsString().isEmpty())
        Refuse(table.TypeMessage);
    const TField* start = Field(dataSet, "StartDate");
    if (start->IsNull())
        Refuse(table.StartMessage);
    if (Field(dataSet, "FinishDate")->AsDateTime() <= start->AsDateTime())
        Refuse(table.FinishMessage);
    if (Field(dataSet, table.AmountField)->AsFloat() == 0)
        Refuse(table.AmountMessage);
    if (!IsAfterCloseDate(start->AsDateTime(), dm.CurrentCloseDate))
        Abort();
}

void LineBeforeEdit(const TADm1& dm, TDataSet& dataSet) {
    GuardPostedRow(dataSet, TransactionDate, dm.CurrentCloseDate);
}

void LineBeforeDelete(const TADm1& dm, const THeaderTable& table, TDataSet& dataSet) {
    LineBeforeEdit(dm, dataSet);
    Ask(QStringLiteral("%1\"%2\" On Date \"%3\"")
            .arg(QString::fromLatin1(table.LineDeleteQuestion),
                 FloatToStr(Field(dataSet, table.LineAmountField)->AsFloat()),
                 DateToStr(Field(dataSet, "TransactionDate")->AsDateTime())));
}

void LineBeforePost(TADm1& dm, TDataSet& dataSet) {
    GuardPostDate(dataSet, TransactionDate, dm.CurrentCloseDate);
    if (const TRecordCodeRule* rule = FindRecordCodeRule(Adm1RecordCodeRules(), dataSet.Name()))
        RenumberWithinOwnParent(dataSet, *dm.QryRT, *rule);
}

void RecomputeHeaderTotal(TADm1& dm, const THeaderTable& table, TQuery& query) {
    const QString codeField = QString::fromLatin1(table.CodeField);
    const QString where = QStringLiteral("where %1 = :Code").arg(codeField);
    const TRuleParams code{{QStringLiteral("Code"), Field(HeaderOf(dm, table), table.CodeField)->Value()}};
    const QVariant sum = QueryValue(
        query, {QStringLiteral("Select Sum(%1) from %2").arg(QString::fromLatin1(table.LineAmountField),
                                                              QString::fromLatin1(table.LineTable)),
                where},
        code);
    const double total = sum.isNull() ? 0.0 : sum.toDouble();
    TRuleParams params{{QStringLiteral("Total"), total}};
    params.insert(params.end(), code.begin(), code.end());
    ExecuteStatement(query,
                     {QStringLiteral("Update ") + QString::fromLatin1(table.HeaderTable),
                      QStringLiteral("Set %1 = :Total").arg(QString::fromLatin1(table.TotalField)), where},
                     params);
    TwwTable* header = dm.TableByName(QString::fromLatin1(table.HeaderComponent));
    if (IsEditState(header->State())) {
        // A refresh would post the header's pending row with the old total
        // over the new one: the pending row takes the new total instead.
        header->FieldByName(QString::fromLatin1(table.TotalField))->SetAsFloat(total);
    } else {
        header->Refresh();
    }
}

void LineAfterChange(TADm1& dm, const THeaderTable& table, TQuery& query) {
    dm.SetDataUpdated(true);
    RecomputeHeaderTotal(dm, table, query);
}
