#include "data/record_codes.h"
#include "data/message_helpers.h"
#include "data/rule_queries.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include <limits>

namespace {

using enum TStartValueKind;

constexpr TStartValue CardStart[] = {{"CardType", Text, 0, "C"}};
constexpr TStartValue BankTranStart[] = {
    {"CreditAmount", Number}, {"DebitAmount", Number}, {"TransactionDate", Today}};
constexpr TStartValue TelTranStart[] = {{"Amount", Number}, {"TransactionDate", Today}};
constexpr TStartValue IncomeTranStart[] = {{"IncomeAmount", Number}, {"TransactionDate", Today}};
constexpr TStartValue ExpenseTranStart[] = {{"ExpenseAmount", Number}, {"TransactionDate", Today}};
constexpr TStartValue LoanStart[] = {
    {"StartDate", Today}, {"FinishDate", Today}, {"Duration", Number, 1}, {"LoanAmount", Number},
    {"InterestRate", Number}, {"InterestAmount", Number}, {"TotalPaybackAmount", Number},
    {"LoanType", Text, 0, "B"}};
constexpr TStartValue LoanLineStart[] = {{"PaybackAmount", Number}};
constexpr TStartValue RecurStart[] = {
    {"DebitCredit", Text, 0, "D"}, {"Duration", Number, 1}, {"StartDate", Today}, {"FinishDate", Today},
    {"RecurAmount", Number}, {"TotalRecurAmount", Number}, {"RecurType", Text, 0, "B"}};
constexpr TStartValue RecurLineStart[] = {{"RecurAmount", Number}};

constexpr TRecordCodeRule Adm1Rules[] = {
    {.Component = "TblBankAccounts", .Table = "BankAcnt", .CodeField = "BankAccountCode", .Format = "%.10d"},
    {.Component = "TblBankItems", .Table = "BankItm", .CodeField = "BankItemCode", .Format = "%.3d"},
    {.Component = "TblBanks", .Table = "Pbanks", .CodeField = "BankCode", .Format = "%.0d",
     .NumericMaximum = true},
    {.Component = "TblCategory", .Table = "PCatgry", .CodeField = "CategoryCode", .Format = "%.3d"},
    {.Component = "TblCard", .Table = "PCCards", .CodeField = "CardCode", .Format = "%.10d",
     .StartValues = CardStart},
    {.Component = "TblCurrency", .Table = "PCurncy", .CodeField = "CurrencyCode", .Format = "%.3d"},
    {.Component = "TblExpense", .Table = "PExpense", .CodeField = "ExpenseCode", .Format = "%.5d"},
    {.Component = "TblIncome", .Table = "PIncome", .CodeField = "IncomeCode", .Format = "%.5d"},
    {.Component = "TblTelCom", .Table = "PTelcom", .CodeField = "TelcomCode", .Format = "%.3d"},
    {.Component = "TblTelItems", .Table = "PTelItm", .CodeField = "TelItemCode", .Format = "%.3d"},
    {.Component = "TblTranBank1", .Table = "TrnBnk1a", .CodeField = "BankTranSerialNum", .Format = "%.10d",
     .ParentField = "BankAccountCode", .ParentComponent = "TblBankAccounts", .StartValues = BankTranStart},
    {.Component = "TblTranTel1", .Table = "TrnTel1a", .CodeField = "TelComSerialNum", .Format = "%.10d",
     .ParentField = "TelcomCode", .ParentComponent = "TblTelCom", .StartValues = TelTranStart},
    {.Component = "TblTranIncome", .Table = "TrnInc1a", .CodeField = "IncomeTranSerialNum", .Format = "%.10d",
     .StartValues = IncomeTranStart},
    {.Component = "TblTranExpense", .Table = "TrnExp1a", .CodeField = "ExpenseTranSerialNum", .Format = "%.10d",
     .StartValues = ExpenseTranStart},
    {.Component = "TblTrnLoan1A", .Table = "TrnLon1a", .CodeField = "LoanCode", .Format = "%.10d",
     .StartValues = LoanStart},
    {.Component = "TblTrnLoan1B", .Table = "TrnLon1b", .CodeField = "LoanTranSerialNum", .Format = "%.0d",
     .ParentField = "LoanCode", .ParentComponent = "TblTrnLoan1A", .StartValues = LoanLineStart},
    {.Component = "TblTrnRec1A", .Table = "TrnRec1a", .CodeField = "RecurCode", .Format = "%.10d",
     .StartValues = RecurStart},
    {.Component = "TblTrnRec1B", .Table = "TrnRec1b", .CodeField = "RecurTranSerialNum", .Format = "%.0d",
     .ParentField = "RecurCode", .ParentComponent = "TblTrnRec1A", .StartValues = RecurLineStart},
};

bool HasParent(const TRecordCodeRule& rule) { return *rule.ParentField != '\0'; }

bool IsIntegerType(TFieldType type) {
    return type == TFieldType::ftSmallint || type == TFieldType::ftInteger || type == TFieldType::ftWord ||
           type == TFieldType::ftAutoInc;
}

void WriteCode(TDataSet& dataSet, const TRecordCodeRule& rule, const QString& code) {
    TField* field = dataSet.FieldByName(QString::fromLatin1(rule.CodeField));
    if (IsIntegerType(field->DataType()))
        field->SetAsInteger(code.toInt());
    else
        field->SetAsString(code);
}

void WriteStartValue(TDataSet& dataSet, const TStartValue& start) {
    TField* field = dataSet.FieldByName(QString::fromLatin1(start.Field));
    switch (start.Kind) {
    case Today: field->SetAsDateTime(Date()); break;
    case Number: field->SetAsFloat(start.Number); break;
    case Text: field->SetAsString(QString::fromLatin1(start.Text)); break;
    }
}

}  // namespace

std::span<const TRecordCodeRule> Adm1RecordCodeRules() { return Adm1Rules; }

const TRecordCodeRule* FindRecordCodeRule(std::span<const TRecordCodeRule> rules, const QString& component) {
    for (const TRecordCodeRule& rule : rules)
        if (component == QLatin1String(rule.Component))
            return &rule;
    return nullptr;
}

qint64 LargestRecordCode(const TDataSet& dataSet, const QString& codeField) {
    const TField* field = dataSet.FieldByName(codeField);
    switch (field->DataType()) {
    case TFieldType::ftSmallint: return std::numeric_limits<qint16>::max();
    case TFieldType::ftWord: return std::numeric_limits<quint16>::max();
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc: return std::numeric_limits<qint32>::max();
    default: break;
    }
    qint64 largest = 0;
    for (int digit = 0; digit < field->Size() && largest < std::numeric_limits<qint64>::max() / 10; ++digit)
        largest = largest * 10 + 9;
    return largest;
}

QString NextRecordCode(TQuery& query, const TRecordCodeRule& rule, const QVariant& parentValue,
                       qint64 largestCode) {
    const QString field = QString::fromLatin1(rule.CodeField).toUpper();
    // Codes without leading zeros would compare as text ("9" after "10").
    const QString maximum = rule.NumericMaximum ? QStringLiteral("Max(CAST(%1 AS INTEGER))").arg(field)
                                                : QStringLiteral("Max(%1)").arg(field);
    QStringList lines{QStringLiteral("Select %1 as sq_Maxno from %2")
                          .arg(maximum, QString::fromLatin1(rule.Table).toUpper())};
    TRuleParams params;
    if (HasParent(rule)) {
        lines << QStringLiteral("where %1 = :Parent").arg(QString::fromLatin1(rule.ParentField).toUpper());
        params.emplace_back(QStringLiteral("Parent"), parentValue);
    }
    const QVariant largest = QueryValue(query, lines, params);
    const QString text = largest.isNull() ? QString() : largest.toString();
    const qint64 next = (text.isEmpty() ? 0 : StrToInt(text)) + 1;
    // A code past the field's width would be cut and collide with an older one.
    if (next > largestCode) {
        ShowErrorMessage(QStringLiteral("No new row can be added: the last code, \"%1\", is in use")
                             .arg(Format(QString::fromLatin1(rule.Format), {largestCode})));
        Abort();
    }
    return Format(QString::fromLatin1(rule.Format), {next});
}

void AssignRecordCode(TDataSet& dataSet, TQuery& query, const TRecordCodeRule& rule, const TDataSet* parent) {
    QVariant parentValue;
    if (HasParent(rule)) {
        const QString parentField = QString::fromLatin1(rule.ParentField);
        // A row begun for a given parent (a transfer names its account) is
        // counted in that parent; otherwise in the master's current row.
        const TField* own = dataSet.FieldByName(parentField);
        if (!own->IsNull())
            parentValue = own->Value();
        else if (parent)
            parentValue = parent->FieldByName(parentField)->Value();
    }
    const QString code = NextRecordCode(query, rule, parentValue,
                                        LargestRecordCode(dataSet, QString::fromLatin1(rule.CodeField)));
    WriteCode(dataSet, rule, code);
    if (HasParent(rule))
        dataSet.FieldByName(QString::fromLatin1(rule.ParentField))->SetValue(parentValue);
    for (const TStartValue& start : rule.StartValues)
        WriteStartValue(dataSet, start);
}

void RenumberWithinOwnParent(TDataSet& dataSet, TQuery& query, const TRecordCodeRule& rule) {
    if (!HasParent(rule) || dataSet.State() != dsInsert)
        return;
    const QVariant parentValue = dataSet.FieldByName(QString::fromLatin1(rule.ParentField))->Value();
    WriteCode(dataSet, rule,
              NextRecordCode(query, rule, parentValue,
                             LargestRecordCode(dataSet, QString::fromLatin1(rule.CodeField))));
}
