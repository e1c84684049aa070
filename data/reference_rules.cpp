#include "data/reference_rules.h"
#include "data/adm1.h"
#include "data/message_helpers.h"
#include "data/rule_queries.h"
#include "dataset/ww_query.h"
#include "dataset/ww_table.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/table.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/presenter.h"

namespace {

constexpr TRequiredField BankAccountRequired[] = {
    {"AccountName", "Account Name has to be entered"},
    {"AccountNumber", "Account Number has to be entered"},
    {"BankCode", "Bank Name Should be Entered"},
    {"CardCode", "Card Name Should be Entered"}};
constexpr TRequiredField BankRequired[] = {{"BankDesc", "Bank Name has to be entered"}};
constexpr TRequiredField CardRequired[] = {
    {"CardName", "Card Name has to be entered"}, {"CardType", "Card Type has to be entered"}};
constexpr TRequiredField CurrencyRequired[] = {
    {"CurrencyShortName", "Currency Short Name has to be Entered"},
    {"CurrencyName", "Currency Full Name has to be Entered"}};
constexpr TRequiredField ExpenseRequired[] = {{"ExpenseDescription", "Expense Description has to be entered"}};
constexpr TRequiredField IncomeRequired[] = {{"IncomeDescription", "Income Description has to be entered"}};

constexpr TDuplicateCheck BankDuplicates[] = {{"BankCode", "Bank Code "}, {"BankDesc", "Bank Name "}};
constexpr TDuplicateCheck CardDuplicates[] = {{"CardName", "Credit Card Name "}};
constexpr TDuplicateCheck CurrencyDuplicates[] = {
    {"CurrencyCode", " "}, {"CurrencyName", "Currency Name "}, {"CurrencyShortName", "Currency Short Name "}};
constexpr TDuplicateCheck ExpenseDuplicates[] = {{"ExpenseDescription", "Expense "}};
constexpr TDuplicateCheck IncomeDuplicates[] = {{"IncomeDescription", "Income "}};
constexpr TDuplicateCheck BankItemDuplicates[] = {{"BankItemDesc", "Item Description "}};
constexpr TDuplicateCheck CategoryDuplicates[] = {{"CategoryDesc", "Category Name "}};
constexpr TDuplicateCheck TelComDuplicates[] = {{"TelcomDesc", "This Description Exists Allready "}};
constexpr TDuplicateCheck TelItemDuplicates[] = {{"TelItemDesc", "Item Description "}};

constexpr char UsedInBank[] = "This Item cannot be deleted since it is used in Bank transactions";

constexpr TReferenceTable Tables[] = {
    {.Component = "TblBankAccounts", .CodeField = "BankAccountCode", .Watched = {"BankCode", "CardCode", ""},
     .Required = BankAccountRequired, .BankCardPair = true, .GuardTable = "TRNBNK1A",
     .GuardField = "BANKACCOUNTCODE", .Refusal = UsedInBank, .Question = "Delete Bank Account Name ",
     .QuestionField = "AccountName"},
    {.Component = "TblBankItems", .CodeField = "BankItemCode", .Watched = {"BankItemDesc", "", ""},
     .Duplicates = BankItemDuplicates, .GuardTable = "TRNBNK1A", .GuardField = "BANKITEMCODE",
     .Refusal = UsedInBank, .Question = "Delete Item ", .QuestionField = "BankItemDesc"},
    {.Component = "TblBanks", .CodeField = "BankCode", .Watched = {"BankCode", "BankDesc", ""},
     .Required = BankRequired, .Duplicates = BankDuplicates, .GuardTable = "BANKACNT", .GuardField = "BankCode",
     .Refusal = "This Bank cannot be deleted since a Bank Account exists ", .Question = "Delete Bank ",
     .QuestionField = "BankDesc"},
    {.Component = "TblCategory", .CodeField = "CategoryCode", .Watched = {"CategoryDesc", "", ""},
     .Duplicates = CategoryDuplicates, .GuardTable = "PRODUCT", .GuardField = "CATEGORYCODE",
     .Refusal = "Cannot Delete This Category, Since it is used in Categorising a Product ",
     .Question = "Delete Category ", .QuestionField = "CategoryDesc"},
    {.Component = "TblCard", .CodeField = "CardCode", .Watched = {"CardName", "", ""}, .Required = CardRequired,
     .Duplicates = CardDuplicates, .GuardTable = "BANKACNT", .GuardField = "CARDCODE",
     .Refusal = "This Debit/Credit Card cannot be deleted since a Bank account exists for it",
     .Question = "Delete Card ", .QuestionField = "CardName"},
    {.Component = "TblCurrency", .CodeField = "CurrencyCode",
     .Watched = {"CurrencyCode", "CurrencyName", "CurrencyShortName"}, .Required = CurrencyRequired,
     .Duplicates = CurrencyDuplicates, .GuardTable = "BANKACNT", .GuardField = "CURRENCYCODE",
     .Refusal = "This Currency cannot be deleted since a Bank account depends on it",
     .Question = "Delete Currency ", .QuestionField = "CurrencyName"},
    {.Component = "TblExpense", .CodeField = "ExpenseCode", .Watched = {"ExpenseDescription", "", ""},
     .Required = ExpenseRequired, .Duplicates = ExpenseDuplicates, .GuardTable = "TRNEXP1A",
     .GuardField = "EXPENSECODE",
     .Refusal = "This Expense Item cannot be deleted since it is used in Expense transactions",
     .Question = "Delete Expense Item ", .QuestionField = "ExpenseDescription"},
    {.Component = "TblIncome", .CodeField = "IncomeCode", .Watched = {"IncomeDescription", "", ""},
     .Required = IncomeRequired, .Duplicates = IncomeDuplicates, .GuardTable = "TRNINC1A",
     .GuardField = "INCOMECODE",
     .Refusal = "This Income Item cannot be deleted since it is used in Income transactions",
     .Question = "Delete Income Item  ", .QuestionField = "IncomeDescription"},
    {.Component = "TblTelCom", .CodeField = "TelcomCode", .Watched = {"TelcomDesc", "", ""},
     .Duplicates = TelComDuplicates, .GuardTable = "TRNTEL1A", .GuardField = "TELCOMCODE",
     .Refusal = "This Account cannot be deleted since it is used in Communication transactions",
     .Question = " ", .QuestionField = "TelcomCode"},
    {.Component = "TblTelItems", .CodeField = "TelItemCode", .Watched = {"TelItemDesc", "", ""},
     .Duplicates = TelItemDuplicates, .GuardTable = "TRNTEL1A", .GuardField = "TELITEMCODE",
     .Refusal = "This Item cannot be deleted since it is used in Communication transactions",
     .Question = "Delete Item ", .QuestionField = "TelItemDesc"},
};

constexpr char BankCardPairPrefix[] = "Bank Account For This Card Exists Already ";

QString Text(const TDataSet& dataSet, const char* field) {
    return dataSet.FieldByName(QString::fromLatin1(field))->AsString();
}

// Counts the rows of table matching every pair, leaving the own row out.
qint64 CountMatches(TQuery& query, const QString& table, const QStringList& fieldNames,
                    const QStringList& values, const TOwnRow& own) {
    QStringList lines{QStringLiteral("Select Count(*) from ") + table, QStringLiteral("Where ")};
    TRuleParams params;
    for (qsizetype i = 0; i < fieldNames.size(); ++i) {
        if (i > 0)
            lines << QStringLiteral("And");
        const QString name = QStringLiteral("Value%1").arg(i);
        lines << QStringLiteral("%1 = :%2").arg(fieldNames[i], name);
        params.emplace_back(name, values[i]);
    }
    if (!own.CodeField.isEmpty() && !own.Code.isNull()) {
        lines << QStringLiteral("And") << QStringLiteral("%1 <> :OwnCode").arg(own.CodeField);
        params.emplace_back(QStringLiteral("OwnCode"), own.Code);
    }
    return QueryCount(query, lines, params);
}

// The refusal of a duplicate: one box, then the row's changes are dropped.
bool RefuseDuplicate(TTable& table, const QString& message) {
    if (ShowErrorMessage(message) == mrNo)
        table.Cancel();
    return false;
}

// The saved value of a watched field; empty when the field is not watched.
QString SavedValue(const TReferenceTable& table, const TSavedEditValues& saved, const char* field) {
    const QString* values[] = {&saved.Value1, &saved.Value2, &saved.Value3};
    for (int i = 0; i < 3; ++i)
        if (qstrcmp(table.Watched[i], field) == 0)
            return *values[i];
    return {};
}

TOwnRow OwnRow(const TReferenceTable& table, const TDataSet& dataSet) {
    return {QString::fromLatin1(table.CodeField),
            dataSet.FieldByName(QString::fromLatin1(table.CodeField))->Value()};
}

}  // namespace

std::span<const TReferenceTable> ReferenceTables() { return Tables; }

bool CheckDuplicate(TQuery& query, TTable& table, const QString& fieldName, const QString& value,
                    const QString& prefix, const QString& suffix, const TOwnRow& own) {
    if (CountMatches(query, table.TableName(), {fieldName}, {value}, own) == 0)
        return true;
    return RefuseDuplicate(table, prefix + QLatin1Char('"') + value + QLatin1Char('"') + suffix);
}

bool CheckDuplicate2(TQuery& query, TTable& table, const QStringList& fieldNames, const QStringList& values,
                     const QString& prefix, const QString& suffix, const TOwnRow& own) {
    if (CountMatches(query, table.TableName(), fieldNames, values, own) == 0)
        return true;
    return RefuseDuplicate(table, prefix + suffix);
}

void ReferenceBeforeEdit(TADm1& dm, const TReferenceTable& table, TDataSet& dataSet) {
    TSavedEditValues& saved = dm.SavedEditValues[&dataSet];
    QString* values[] = {&saved.Value1, &saved.Value2, &saved.Value3};
    for (int i = 0; i < 3; ++i)
        *values[i] = *table.Watched[i] ? Text(dataSet, table.Watched[i]) : QString();
}

void ReferenceBeforePost(TADm1& dm, const TReferenceTable& table, TTable& dataSet) {
    for (const TRequiredField& required : table.Required)
        if (Text(dataSet, required.Field).isEmpty()) {
            ShowErrorMessage(QString::fromLatin1(required.Message));
            Abort();
        }

    const bool inserting = dataSet.State() == dsInsert;
    const TSavedEditValues saved = dm.SavedEditValues[&dataSet];
    const TOwnRow own = OwnRow(table, dataSet);
    const QString suffix = QString::fromLatin1(DuplicateSuffix);
    TQuery& query = *dm.QryRT;

    if (table.BankCardPair) {
        const QString bank = Text(dataSet, "BankCode");
        const QString card = Text(dataSet, "CardCode");
        if ((inserting || bank != saved.Value1 || card != saved.Value2) &&
            !CheckDuplicate2(query, dataSet, {QStringLiteral("BankCode"), QStringLiteral("CardCode")},
                             {bank, card}, QString::fromLatin1(BankCardPairPrefix), suffix, own))
            Abort();
    }
    for (const TDuplicateCheck& check : table.Duplicates) {
        const QString value = Text(dataSet, check.Field);
        if (!inserting && value == SavedValue(table, saved, check.Field))
            continue;
        // The key's own check must see every row, the row itself included.
        const bool onCode = qstrcmp(check.Field, table.CodeField) == 0;
        if (!CheckDuplicate(query, dataSet, QString::fromLatin1(check.Field), value,
                            QString::fromLatin1(check.Prefix), suffix, onCode ? TOwnRow{} : own))
            Abort();
    }
}

void ReferenceBeforeDelete(TADm1& dm, const TReferenceTable& table, TDataSet& dataSet) {
    const QString guardTable = QString::fromLatin1(table.GuardTable);
    // A table nothing in this database defines holds no rows that could use this one.
    if (dm.DataQuelt->EngineDatabase().TableExists(guardTable)) {
        const qint64 uses = QueryCount(
            *dm.QryRT,
            {QStringLiteral("select Count(*) from ") + guardTable,
             QStringLiteral("where %1 = :Code").arg(QString::fromLatin1(table.GuardField))},
            {{QStringLiteral("Code"), dataSet.FieldByName(QString::fromLatin1(table.CodeField))->Value()}});
        if (uses > 0) {
            MessageDlg(QString::fromLatin1(table.Refusal), TMsgDlgType::mtError, mbOK, 0);
            Abort();
        }
    }
    const QString question = QString::fromLatin1(table.Question) + QLatin1Char('"') +
                             Text(dataSet, table.QuestionField) + QStringLiteral("\", Are You Sure ?");
    if (MessageDlg(question, TMsgDlgType::mtWarning, mbYesNo, 0) != mrYes)
        Abort();
}
