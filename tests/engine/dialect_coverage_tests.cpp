// Every statement shape the accounts system writes, run against a small
// database holding the tables those statements name. Each case starts from the
// same rows, so the expected results can be worked out by hand.
#include "engine_test_db.h"
#include <functional>

namespace {

struct TDialectCase {
    const char* Name;
    QString Sql;
    std::vector<QVariant> Params = {};
    std::vector<QString> Before = {};       // statements run first (forms of their own)
    int Columns = -1;                       // only this many leading columns are compared
    bool AnyOrder = false;                  // rows compared as a set (ties under the order by)
    const char* Rows = nullptr;             // a select: "v,v;v,v"; nullptr: the statement is executed
    int Changed = -1;                       // rows an executed statement changes
    const char* Check = nullptr;            // a select run afterwards ...
    const char* CheckRows = nullptr;        // ... and its rows
    const char* Error = nullptr;            // the statement must fail with this in its text
    std::function<void(TEngineDatabase&)> Verify = {};
};

void PrintTo(const TDialectCase& c, std::ostream* out) { *out << c.Name; }

QString Render(const QVariant& value) {
    if (value.isNull()) return QStringLiteral("null");
    switch (value.typeId()) {
    case QMetaType::Bool: return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QMetaType::QDate: return value.toDate().toString(Qt::ISODate);
    case QMetaType::Double: return QString::number(value.toDouble(), 'g', 15);
    default: return value.toString();
    }
}

QString Render(TResultSet& rows, int columns, bool anyOrder) {
    QStringList lines;
    const int count = columns < 0 ? rows.ColumnCount() : columns;
    while (rows.Next()) {
        QStringList values;
        for (int c = 0; c < count; ++c) values.append(Render(rows.Value(c)));
        lines.append(values.join(QLatin1Char(',')));
    }
    if (anyOrder) lines.sort();
    return lines.join(QLatin1Char(';'));
}

QString Sorted(const QString& rows) {
    QStringList lines = rows.split(QLatin1Char(';'));
    lines.sort();
    return lines.join(QLatin1Char(';'));
}

// ---- the tables -------------------------------------------------------------

using enum TFieldType;

TTableDesc Table(const QString& name, std::vector<TColumnDesc> columns, std::vector<TIndexDesc> indexes = {}) {
    TTableDesc desc;
    desc.Name = name;
    desc.Columns = std::move(columns);
    desc.Indexes = std::move(indexes);
    return desc;
}

TIndexDesc Index(const QString& name, QStringList fields) {
    return TIndexDesc{name, std::move(fields), false, false, false, false};
}

TColumnDesc Code(const QString& name, int size = 10) { return Column(name, ftString, size); }

const QString CrossTabTable = QStringLiteral(
    "Create table %1\n(\nKeyField1 character(10), KeyField2 character(10)\n"
    ",KeyField1Desc character(50), KeyField2Desc character(50)\n, col0 NUMERIC(10,2)\n, col1 NUMERIC(10,2)\n"
    ", Total1  NUMERIC(10,2)\n, PRIMARY KEY(KeyField1, KeyField2)\n)");

const QString OverviewTable = QStringLiteral(
    "Create table TempCom1\n(\nPeriodYear smallint , PeriodMonth smallint\n"
    ", KeyField1 character(10), KeyField2 character(10)\n,KeyField1Desc character(50), KeyField2Desc character(50)\n"
    ", Income NUMERIC(10,2)\n, BankBalance  NUMERIC(10,2)\n, Expense NUMERIC(10,2)\n, Communications NUMERIC(10,2)\n"
    ", Total1  NUMERIC(10,2)\n, Total2  NUMERIC(10,2)\n, Total3  NUMERIC(10,2)\n, Total4  NUMERIC(10,2)\n"
    ", PRIMARY KEY(PeriodYear, PeriodMonth)\n)");

const QString BankBalanceTable = QStringLiteral(
    "Create table TempBank1\n(\nPeriodYear smallint , PeriodMonth smallint\n"
    ", KeyField1 character(10), KeyField2 character(10)\n,KeyField1Desc character(50), KeyField2Desc character(50)\n"
    ", col0 NUMERIC(10,2)\n, col1 NUMERIC(10,2)\n, Total1  NUMERIC(10,2)\n, PRIMARY KEY(PeriodYear, PeriodMonth)\n)");

void CreateTables(TEngineDatabase& db) {
    const auto date = ftDate;
    const auto money = ftFloat;
    const auto serial = ftSmallint;
    const auto logical = ftBoolean;
    auto add = [&](const TTableDesc& desc, const std::vector<TRecordValues>& rows) {
        db.CreateTable(desc);
        for (const TRecordValues& row : rows) db.InsertRow(desc.Name, row);
    };
    const QVariant null;

    add(Table("Pbanks", {Code("BankCode"), Column("BankDesc", ftString, 50)}),
        {{"1", "First Bank"}, {"9", "Ninth Bank"}, {"10", "Tenth Bank"}});
    add(Table("BankAcnt", {Code("BankAccountCode"), Code("BankCode"), Code("CardCode"), Code("CurrencyCode", 3),
                           Column("AccountName", ftString, 50)}),
        {{"0000000001", "1", "0000000001", "001", "Current account"},
         {"0000000002", "10", "0000000002", "001", "Savings"}});
    add(Table("BankItm", {Code("BankItemCode", 3), Column("BankItemDesc", ftString, 50)}), {{"001", "Rent"}, {"002", "Salary"}});
    add(Table("PTelcom", {Code("TelcomCode", 3), Column("TelcomDesc", ftString, 50)}), {{"001", "Phone"}});
    add(Table("PTelItm", {Code("TelItemCode", 3), Column("TelItemDesc", ftString, 50)}), {{"001", "Calls"}});
    add(Table("PIncome", {Code("IncomeCode", 5), Column("IncomeDescription", ftString, 40)}), {{"00001", "Wages"}});
    add(Table("PExpense", {Code("ExpenseCode", 5), Column("ExpenseDescription", ftString, 40)}), {{"00001", "Food"}});
    add(Table("Product", {Code("ProductCode"), Code("CategoryCode", 3)}), {});

    add(Table("TrnBnk1a", {Code("BankAccountCode"), Code("BankTranSerialNum"), Column("TransactionDate", date),
                           Code("BankItemCode", 3), Column("DebitAmount", money), Column("CreditAmount", money),
                           Column("External", logical), Code("LoanCode"), Code("RecurCode"), Code("DoubleCode")},
                {TIndexDesc{QString(), {"BankAccountCode", "BankTranSerialNum"}, true, true, false, false},
                 Index("ByDate", {"BankAccountCode", "TransactionDate"})}),
        {{"0000000001", "0000000001", QDate(2024, 1, 5), "001", 100.0, 0.0, null, null, null, null},
         {"0000000001", "0000000002", QDate(2024, 1, 31), "002", 0.0, 30.0, null, null, null, null},
         {"0000000001", "0000000003", QDate(2024, 2, 1), "001", 250.5, 0.0, true, "0000000001", null, null},
         {"0000000002", "0000000001", QDate(2024, 2, 15), "001", 10.0, 0.0, true, null, "0000000001", "0000000001"},
         {"0000000002", "0000000002", QDate(2024, 3, 1), "001", 250.5, 0.0, true, "0000000001", null, null}});
    add(Table("TrnTel1a", {Code("TelcomCode", 3), Code("TelComSerialNum"), Column("TransactionDate", date),
                           Code("TelItemCode", 3), Column("Amount", money), Column("External", logical),
                           Code("RecurCode"), Code("LoanCode"), Code("DoubleCode")}),
        {{"001", "0000000001", QDate(2024, 1, 10), "001", 40.0, null, null, null, null},
         {"001", "0000000002", QDate(2024, 2, 10), "001", 45.0, true, null, null, "0000000001"}});
    add(Table("TrnInc1a", {Code("IncomeCode", 5), Code("IncomeTranSerialNum"), Column("TransactionDate", date),
                           Column("IncomeAmount", money), Column("External", logical), Code("LoanCode"),
                           Code("RecurCode"), Code("DoubleCode")}),
        {{"00001", "0000000001", QDate(2024, 1, 25), 2000.0, null, null, null, null},
         {"00001", "0000000002", QDate(2024, 2, 25), 2000.0, true, null, null, "0000000001"}});
    add(Table("TrnExp1a", {Code("ExpenseCode", 5), Code("ExpenseTranSerialNum"), Column("TransactionDate", date),
                           Column("ExpenseAmount", money), Column("External", logical), Code("LoanCode"),
                           Code("RecurCode"), Code("DoubleCode")}),
        {{"00001", "0000000001", QDate(2024, 2, 3), 75.0, true, null, null, "0000000001"}});

    add(Table("TrnLon1a", {Code("LoanCode"), Column("LoanDetails", ftString, 30), Column("TotalPaybackAmount", money),
                           Column("Approved", logical)}),
        {{"0000000001", "Car", 0.0, false}});
    add(Table("TrnLon1b", {Code("LoanCode"), Column("LoanTranSerialNum", serial), Column("TransactionDate", date),
                           Column("PaybackAmount", money)}),
        {{"0000000001", 1, QDate(2024, 2, 1), 250.5}, {"0000000001", 2, QDate(2024, 3, 1), 250.5}});
    add(Table("TrnRec1a", {Code("RecurCode"), Column("RecurDetails", ftString, 50), Column("TotalRecurAmount", money),
                           Column("Approved", logical)}),
        {{"0000000001", "Rent", 0.0, false}});
    add(Table("TrnRec1b", {Code("RecurCode"), Column("RecurTranSerialNum", serial), Column("TransactionDate", date),
                           Column("RecurAmount", money)}),
        {{"0000000001", 1, QDate(2024, 2, 15), 10.0}});
    add(Table("TrnDbl1a", {Code("DoubleCode"), Column("DoubleDetails", ftString, 30), Column("Approved", logical)}),
        {{"0000000001", "Split", true}});
    add(Table("TrnDbl1b", {Code("DoubleCode"), Column("DoubleAccountNum", serial), Code("DebitCredit", 1),
                           Code("DoubleType", 1)}),
        {{"0000000001", 1, "D", "B"}, {"0000000001", 2, "C", "I"}});
    add(Table("TrnDbl1c", {Code("DoubleCode"), Column("DoubleSerialNum", serial), Column("TransactionDate", date),
                           Column("Amount", money)}),
        {{"0000000001", 1, QDate(2024, 2, 10), 45.0}});
    add(Table("TrnAst1a", {Code("AssetCode"), Column("AssetDesc", ftString, 50)}),
        {{"0000000001", "House"}, {"0000000002", "Car"}});
    add(Table("Trnast1b", {Code("AssetCode"), Code("AssetTranSerialNum"), Column("TransactionDate", date),
                           Column("AssetAmount", money)}),
        {{"0000000001", "0000000001", QDate(2024, 1, 1), 1000.0}});

    add(Table("MthBnk1a", {Code("BankAccountCode"), Code("BankItemCode", 3), Column("PeriodYear", serial),
                           Column("PeriodMonth", serial), Column("DebitAmount", money), Column("CreditAmount", money),
                           Column("TotalAmount", money), Column("CloseDate", date)},
                {Index("ByBankCodePeriod", {"BankAccountCode", "BankItemCode", "PeriodYear", "PeriodMonth"})}),
        {{"0000000001", "001", 2023, 12, 0.0, 50.0, 50.0, QDate(2023, 12, 31)},
         {"0000000001", "001", 2024, 1, 100.0, 0.0, -100.0, QDate(2024, 1, 31)},
         {"0000000001", "002", 2024, 2, 0.0, 30.0, 30.0, QDate(2024, 1, 31)},
         {"0000000002", "001", 2024, 3, 10.0, 0.0, -10.0, QDate(2024, 1, 31)}});
    add(Table("MthTel1a", {Code("TelcomCode", 3), Code("TelItemCode", 3), Column("PeriodYear", serial),
                           Column("PeriodMonth", serial), Column("TotalAmount", money), Column("CloseDate", date)}),
        {{"001", "001", 2024, 1, 40.0, QDate(2024, 1, 31)}, {"001", "001", 2024, 2, 45.0, QDate(2024, 1, 31)}});
    add(Table("MthTel2a", {Code("TelcomCode", 3), Column("PeriodYear", serial), Column("PeriodMonth", serial),
                           Column("TotalAmount", money), Column("PaidAmount", money), Column("OldFlag", logical),
                           Column("CloseDate", date)}),
        {{"001", 2023, 10, 5.0, null, true, QDate(2023, 10, 31)},
         {"001", 2023, 11, 12.0, 12.0, false, QDate(2023, 11, 30)},
         {"001", 2024, 1, 40.0, 40.0, false, QDate(2024, 1, 31)},
         {"001", 2024, 2, 45.0, null, false, QDate(2024, 1, 31)}});
    add(Table("MthInc1a", {Code("IncomeCode", 5), Column("PeriodYear", serial), Column("PeriodMonth", serial),
                           Column("TotalAmount", money), Column("CloseDate", date)}),
        {{"00001", 2024, 1, 2000.0, QDate(2024, 1, 31)}});
    add(Table("MthExp1a", {Code("ExpenseCode", 5), Column("PeriodYear", serial), Column("PeriodMonth", serial),
                           Column("TotalAmount", money), Column("CloseDate", date)}),
        {{"00001", 2024, 2, 75.0, QDate(2024, 1, 31)}});
    add(Table("TeeData1", {Column("PeriodYear", serial), Column("PeriodMonth", serial), Column("CloseDate", date),
                           Column("Income", money), Column("Expense", money), Column("Communications", money),
                           Column("BankBalance", money), Column("RunningBankBalance", money)}),
        {{2023, 12, QDate(2023, 12, 31), 0.0, 0.0, 0.0, 50.0, 50.0},
         {2024, 1, QDate(2024, 1, 31), 2000.0, 0.0, 40.0, -70.0, -20.0}});
    add(Table("PConfig1", {Code("CurrencyCode", 3), Column("CloseDate", date), Column("DataUpdated", logical)}),
        {{"USD", QDate(2024, 1, 31), false}});
    add(Table("Mthbnk2a", {Code("BankAccountCode"), Column("UpdateDate", date), Column("TotalAmount", money),
                           Column("Remarks", ftString, 50)}),
        {{"0000000001", QDate(2024, 3, 1), 1200.25, null}, {"0000000002", QDate(2024, 3, 1), null, null}});

    // A cross tabulation built earlier, with two month columns and its rows.
    db.Execute(CrossTabTable.arg(QStringLiteral("TempBnk1")));
    db.Execute(QStringLiteral("Create Index ByCol0 On TempBnk1(col0)"));
    db.Execute(QStringLiteral("Create Index ByKeyField1 On TempBnk1(KeyField1)"));
    db.InsertRow("TempBnk1", {"0000000001", "xxx", "Current account", null, 100.5, 0.0, 100.5});
    db.InsertRow("TempBnk1", {"0000000002", "xxx", "Savings", null, -10.0, 20.25, 10.25});
}

// The statement of one case as the text a query object would hand over: lines
// joined by line breaks (the query component joins them with blanks, which the
// single-line cases stand for).
QString Lines(std::initializer_list<const char*> lines) {
    QStringList text;
    for (const char* line : lines) text.append(QString::fromUtf8(line));
    return text.join(QLatin1Char('\n'));
}

std::vector<TDialectCase> Cases() {
    std::vector<TDialectCase> cases;
    auto add = [&](TDialectCase c) { cases.push_back(std::move(c)); };

    // Next record code: the largest code, over the table or within a parent row.
    add({.Name = "MaxCodeWithinParent",
         .Sql = Lines({"Select Max(BANKTRANSERIALNUM) as sq_Maxno from TRNBNK1A", "where BANKACCOUNTCODE = \"0000000001\""}),
         .Rows = "0000000003"});
    add({.Name = "MaxCodeWithinBoundParent",
         .Sql = Lines({"Select Max(TELCOMSERIALNUM) as sq_Maxno from TRNTEL1A", "where TELCOMCODE = :Parent"}),
         .Params = {QString("001")}, .Rows = "0000000002"});
    add({.Name = "MaxCodeOfAParentWithoutRows",
         .Sql = Lines({"Select Max(BANKTRANSERIALNUM) as sq_Maxno from TRNBNK1A", "where BANKACCOUNTCODE = \"0000000009\""}),
         .Rows = "null"});
    add({.Name = "MaxShortIntegerSerial",
         .Sql = Lines({"Select Max(LOANTRANSERIALNUM) as sq_Maxno from TRNLON1B", "where LOANCODE = \"0000000001\""}),
         .Rows = "2"});
    add({.Name = "MaxCodeOfWholeTable", .Sql = "Select Max(ASSETCODE) as sq_Maxno from TRNAST1A", .Rows = "0000000002"});
    add({.Name = "MaxCodeOfAssetLines",
         .Sql = Lines({"Select Max(ASSETTRANSERIALNUM) as sq_Maxno from TRNAST1B", "where ASSETCODE = \"0000000001\""}),
         .Rows = "0000000001"});
    add({.Name = "MaxMultipleEntryLines",
         .Sql = Lines({"Select Max(DOUBLEACCOUNTNUM) as sq_Maxno from TRNDBL1B", "where DOUBLECODE = \"0000000001\""}),
         .Rows = "2"});
    add({.Name = "MaxCodeWrittenWithoutLeadingZeros",
         .Sql = "Select Max(CAST(BANKCODE AS INTEGER)) as sq_Maxno from PBANKS", .Rows = "10"});

    // Duplicate checks name the table with its extension; pairs are joined by And.
    add({.Name = "DuplicateCheckOnTableWithExtension",
         .Sql = Lines({"Select Count(*) from Pbanks.DB", "Where BankDesc = \"Ninth Bank\""}), .Rows = "1"});
    add({.Name = "DuplicateCheckWithLowerCaseExtension",
         .Sql = "Select Count(*) from pbanks.db Where BankDesc = \"Eleventh Bank\"", .Rows = "0"});
    add({.Name = "DuplicateCheckOfAPair",
         .Sql = Lines({"Select Count(*) from BankAcnt.DB", "Where ", "BankCode = \"10\"", "And", "CardCode = \"0000000002\""}),
         .Rows = "1"});
    add({.Name = "DuplicateCheckBoundLeavingTheOwnRowOut",
         .Sql = "Select Count(*) from Pbanks.DB Where  BankDesc = :Value0 And BankCode <> :OwnCode",
         .Params = {QString("Tenth Bank"), QString("10")}, .Rows = "0"});

    // Delete guards count the rows that use a code.
    add({.Name = "GuardCountsUses", .Sql = Lines({"select Count(*) from TRNBNK1A", "where BANKITEMCODE = \"002\""}),
         .Rows = "1"});
    add({.Name = "GuardOnMixedCaseField", .Sql = Lines({"select Count(*) from BANKACNT", "where BankCode = \"10\""}),
         .Rows = "1"});
    add({.Name = "GuardOverAnEmptyTable", .Sql = Lines({"select Count(*) from PRODUCT", "where CATEGORYCODE = \"001\""}),
         .Rows = "0"});
    add({.Name = "GuardOverAMissingTableFails",
         .Sql = Lines({"select Count(*) from PRODUCT", "where CATEGORYCODE = \"001\""}), .Before = {"Drop table Product"},
         .Rows = "", .Error = "Table PRODUCT does not exist"});
    add({.Name = "GuardOfALoan", .Sql = Lines({"select Count(*) from TRNBNK1A", "where LOANCODE = \"0000000001\""}),
         .Rows = "2"});
    add({.Name = "GuardOfScheduleLines", .Sql = Lines({"select Count(*) from TRNREC1B", "where RECURCODE = \"0000000001\""}),
         .Rows = "1"});
    add({.Name = "GuardOfMultipleEntryLines",
         .Sql = Lines({"select Count(*) from TRNDBL1C", "where DOUBLECODE = \"0000000001\""}), .Rows = "1"});

    // Header totals from their schedule lines.
    add({.Name = "SumOfScheduleLines",
         .Sql = Lines({"Select Sum(PaybackAmount) from TrnLon1b", "where LoanCode = \"0000000001\""}), .Rows = "501"});
    add({.Name = "SumOverNoLinesIsOneNullRow",
         .Sql = Lines({"Select Sum(RecurAmount) from TrnRec1b", "where RecurCode = \"0000000009\""}), .Rows = "null"});
    add({.Name = "HeaderTotalWithADecimalNumber",
         .Sql = Lines({"Update TrnRec1A", "Set TotalRecurAmount = 1234.56", "where RecurCode = \"0000000001\""}),
         .Changed = 1, .Check = "select TotalRecurAmount from TrnRec1a", .CheckRows = "1234.56"});
    add({.Name = "HeaderTotalInExponentForm",
         .Sql = Lines({"Update TrnLon1A", "Set TotalPaybackAmount = 1E15", "where LoanCode = \"0000000001\""}),
         .Changed = 1, .Check = "select TotalPaybackAmount from TrnLon1a", .CheckRows = "1e+15"});
    add({.Name = "HeaderTotalBound",
         .Sql = Lines({"Update TrnLon1A", "Set TotalPaybackAmount = :Total", "where LoanCode = :Code"}),
         .Params = {501.0, QString("0000000001")}, .Changed = 1,
         .Check = "select TotalPaybackAmount from TrnLon1a", .CheckRows = "501"});

    // Summary rebuild: the target clause deletes, the source clause selects.
    add({.Name = "SummaryDeleteByCloseDate", .Sql = Lines({"Delete from MTHBNK1A", "where Closedate = \"01/31/2024\""}),
         .Changed = 3, .Check = "select PeriodYear from MthBnk1a", .CheckRows = "2023"});
    add({.Name = "SummaryDeleteByUnpaddedCloseDate", .Sql = "Delete from MTHExp1A where Closedate = \"1/31/2024\"",
         .Changed = 1});
    add({.Name = "SummaryDeleteWithEmptyClause", .Sql = "Delete from MTHINC1A", .Changed = 1});
    add({.Name = "TransactionsAfterTheCloseDate",
         .Sql = Lines({"Select * from TrnBnk1a", "where TransactionDate > \"01/31/2024\""}), .Columns = 3,
         .AnyOrder = true,
         .Rows = "0000000001,0000000003,2024-02-01;0000000002,0000000001,2024-02-15;0000000002,0000000002,2024-03-01"});
    add({.Name = "TransactionsOfTheClosedRange",
         .Sql = Lines({"Select * from TrnTel1a",
                       "where TransactionDate > \"12/31/2023\"  and TransactionDate <= \"01/31/2024\""}),
         .Columns = 4, .Rows = "001,0000000001,2024-01-10,001"});
    add({.Name = "TransactionsOnTheBoundary",
         .Sql = "Select * from TrnBnk1a where TransactionDate > \"01/05/2024\"  and TransactionDate <= \"01/31/2024\"",
         .Columns = 2, .Rows = "0000000001,0000000002"});
    add({.Name = "BillsMarkedOld",
         .Sql = Lines({"Update MTHTEL2A", "Set OldFlag = True, TotalAmount = 0", "where Closedate = \"01/31/2024\""}),
         .Changed = 2, .Check = "select Count(*) from MthTel2a where OldFlag = True and TotalAmount = 0",
         .CheckRows = "2"});
    add({.Name = "OldBillsDeleted", .Sql = Lines({"delete from MTHTEL2A", "where OldFlag = True"}), .Changed = 1,
         .Check = "select Sum(PaidAmount) from MthTel2a", .CheckRows = "52"});
    add({.Name = "ChartRowsDeleted", .Sql = Lines({"Delete from TeeData1", "where Closedate = \"01/31/2024\""}),
         .Changed = 1});
    add({.Name = "ChartUnionOfFourSummaries",
         .Sql = Lines({"select periodyear, periodmonth,",
                       "sum(totalamount) as income, 0 as expense, 0 as Communications, 0 as BankBalance",
                       "from mthinc1a", "where Closedate = \"01/31/2024\"", "group by periodyear, periodmonth union",
                       "select periodyear, periodmonth,",
                       "0 as income, sum(totalamount) as expense, 0 as Communications, 0 as BankBalance",
                       "from mthexp1a", "where Closedate = \"01/31/2024\"", "group by periodyear, periodmonth union",
                       "select periodyear, periodmonth,",
                       "0 as income, 0 as expense, sum(totalamount) as Communications, 0 as BankBalance",
                       "from mthtel1a", "where Closedate = \"01/31/2024\"", "group by periodyear, periodmonth union",
                       "select periodyear, periodmonth,",
                       "0 as income, 0 as expense, 0 as Communications, sum(totalamount) as BankBalance",
                       "from mthbnk1a", "where Closedate = \"01/31/2024\"", "group by periodyear, periodmonth",
                       "order by periodyear, periodmonth"}),
         .AnyOrder = true,
         .Rows = "2024,1,0,0,0,-100;2024,1,0,0,40,0;2024,1,2000,0,0,0;"
                 "2024,2,0,0,0,30;2024,2,0,0,45,0;2024,2,0,75,0,0;2024,3,0,0,0,-10"});
    add({.Name = "ChartUnionWithEmptyClauses",
         .Sql = "select periodyear, periodmonth, sum(totalamount) as income, 0 as expense from mthinc1a "
                "group by periodyear, periodmonth union "
                "select periodyear, periodmonth, 0 as income, sum(totalamount) as expense from mthbnk1a "
                "group by periodyear, periodmonth order by periodyear, periodmonth",
         .Columns = 2, .Rows = "2023,12;2024,1;2024,1;2024,2;2024,3"});
    add({.Name = "YearRangeOfTheChart",
         .Sql = "select Min(PeriodYear) as MinYear, Max(PeriodYear) as MaxYear from TeeData1", .Rows = "2023,2024"});

    // Cross tabulations: the months, the report table and its rows.
    add({.Name = "MonthsOfASummary",
         .Sql = Lines({"Select Distinct PeriodYear, PeriodMonth ", "from MTHBNK1A", "order by PeriodYear, PeriodMonth"}),
         .Rows = "2023,12;2024,1;2024,2;2024,3"});
    add({.Name = "MonthsWithinTheFilterRange",
         .Sql = Lines({"Select Distinct PeriodYear, PeriodMonth ", "from MTHBNK1A",
                       " where ((PeriodYear > 2023) or (PeriodYear = 2023 and PeriodMonth >= 12))"
                       " and ((PeriodYear < 2024) or (PeriodYear = 2024 and PeriodMonth <= 2))",
                       "order by PeriodYear, PeriodMonth"}),
         .Rows = "2023,12;2024,1;2024,2"});
    add({.Name = "DropOfAReportTable", .Sql = "Drop table TempBnk1", .Verify = [](TEngineDatabase& db) {
             EXPECT_FALSE(db.TableExists("TempBnk1"));
             EXPECT_NO_THROW(db.Execute(CrossTabTable.arg("TempBnk1"))) << "its index names went with it";
             EXPECT_NO_THROW(db.Execute("Create Index ByCol0 On TempBnk1(col0)"));
         }});
    add({.Name = "DropOfAMissingTableFails", .Sql = "Drop table TempTel1", .Error = "TempTel1"});
    add({.Name = "CreateOfACrossTabulation", .Sql = CrossTabTable.arg("TempTel1"), .Verify = [](TEngineDatabase& db) {
             const TTableDesc desc = db.DescribeTable("TempTel1.DB");
             ASSERT_EQ(desc.Columns.size(), 7u);
             EXPECT_EQ(desc.Columns[0].Type, ftString);
             EXPECT_EQ(desc.Columns[3].Size, 50);
             EXPECT_EQ(desc.Columns[4].Type, ftBCD);
             EXPECT_EQ(desc.Columns[6].Name, "Total1");
             ASSERT_FALSE(desc.Indexes.empty());
             EXPECT_TRUE(desc.Indexes[0].Primary);
             EXPECT_EQ(desc.Indexes[0].Fields, (QStringList{"KeyField1", "KeyField2"}));
         }});
    add({.Name = "CreateOfACrossTabulationWithoutMonths",
         .Sql = Lines({"Create table TempInc1", "(", "KeyField1 character(10), KeyField2 character(10)",
                       ",KeyField1Desc character(50), KeyField2Desc character(50)", ", Total1  NUMERIC(10,2)",
                       ", PRIMARY KEY(KeyField1, KeyField2)", ")"}),
         .Check = "select Count(*) from TempInc1", .CheckRows = "0"});
    add({.Name = "IndexNamesArePerTable", .Sql = "Create Index ByKeyField1 On TempTel1(KeyField1)",
         .Before = {CrossTabTable.arg("TempTel1")}, .Verify = [](TEngineDatabase& db) {
             const TTableDesc tel = db.DescribeTable("TempTel1");
             const TIndexDesc* own = tel.FindIndex("ByKeyField1");
             ASSERT_NE(own, nullptr);
             EXPECT_EQ(own->Fields, QStringList{"KeyField1"});
             EXPECT_NE(db.DescribeTable("TempBnk1").FindIndex("ByKeyField1"), nullptr);
         }});
    add({.Name = "IndexOnAMonthColumn", .Sql = "Create Index ByCol1 On TempBnk1(col1)",
         .Verify = [](TEngineDatabase& db) {
             const TTableDesc bank = db.DescribeTable("TempBnk1");
             const TIndexDesc* index = bank.FindIndex("bycol1");
             ASSERT_NE(index, nullptr);
             EXPECT_EQ(index->Fields, QStringList{"col1"});
         }});
    add({.Name = "RowsOfACrossTabulationByBothKeys",
         .Sql = Lines({"Select BankAccountCode as KeyField1, ", "BankItemCode as KeyField2,",
                       "TotalAmount as AmountField, PeriodYear, PeriodMonth ", "from MTHBNK1A",
                       "order by PeriodYear, PeriodMonth"}),
         .Rows = "0000000001,001,50,2023,12;0000000001,001,-100,2024,1;0000000001,002,30,2024,2;"
                 "0000000002,001,-10,2024,3"});
    add({.Name = "RowsOfACrossTabulationByOneKey",
         .Sql = Lines({"Select IncomeCode as KeyField1, ", "\"xxx\" as KeyField2,",
                       "TotalAmount as AmountField, PeriodYear, PeriodMonth ", "from MTHINC1A",
                       " where ((PeriodYear > 2024) or (PeriodYear = 2024 and PeriodMonth >= 1))"
                       " and ((PeriodYear < 2024) or (PeriodYear = 2024 and PeriodMonth <= 1))",
                       "order by PeriodYear, PeriodMonth"}),
         .Rows = "00001,xxx,2000,2024,1"});
    add({.Name = "GrandTotalOfACrossTabulation",
         .Sql = Lines({" Select \"dummy\" as sq_dummy ", ", sum(col0) as col0", ", sum(col1) as col1",
                       ", sum(Total1) as Total1 ", " from TempBnk1"}),
         .Rows = "dummy,90.5,20.25,110.75"});
    add({.Name = "DescriptionOfABankAccount",
         .Sql = Lines({"select AccountName from BankAcnt", "where BankAccountCode=\"0000000002\""}), .Rows = "Savings"});
    add({.Name = "DescriptionOfABankItem", .Sql = Lines({"select BankItemDesc from BankItm", "where BankItemCode=\"002\""}),
         .Rows = "Salary"});
    add({.Name = "DescriptionOfACommunicationAccount",
         .Sql = Lines({"select TelcomDesc from PTelcom", "where TelcomCode=\"001\""}), .Rows = "Phone"});
    add({.Name = "DescriptionOfACommunicationItem",
         .Sql = Lines({"select TelItemDesc from PTelItm", "where TelItemCode=\"001\""}), .Rows = "Calls"});
    add({.Name = "DescriptionOfAnIncome",
         .Sql = Lines({"select IncomeDescription from PIncome", "where IncomeCode=\"00001\""}), .Rows = "Wages"});
    add({.Name = "DescriptionOfAMissingExpense",
         .Sql = Lines({"select ExpenseDescription from PExpense", "where ExpenseCode=\"00009\""}), .Rows = ""});

    // Period overview and bank balance reports.
    add({.Name = "MonthsOfTheChart",
         .Sql = Lines({"Select Distinct PeriodYear, PeriodMonth ", "from TeeData1", "order by PeriodYear, PeriodMonth"}),
         .Rows = "2023,12;2024,1"});
    add({.Name = "CreateOfThePeriodOverview", .Sql = OverviewTable, .Verify = [](TEngineDatabase& db) {
             const TTableDesc desc = db.DescribeTable("TempCom1");
             ASSERT_EQ(desc.Columns.size(), 14u);
             EXPECT_EQ(desc.Columns[0].Type, ftSmallint);
             EXPECT_EQ(desc.Columns[7].Name, "BankBalance");
             EXPECT_EQ(desc.Columns[7].Type, ftBCD);
             ASSERT_FALSE(desc.Indexes.empty());
             EXPECT_EQ(desc.Indexes[0].Fields, (QStringList{"PeriodYear", "PeriodMonth"}));
         }});
    add({.Name = "IndexOfThePeriodOverview", .Sql = "Create Index ByIncome On TempCom1(income)", .Before = {OverviewTable},
         .Verify = [](TEngineDatabase& db) { EXPECT_NE(db.DescribeTable("TempCom1").FindIndex("ByIncome"), nullptr); }});
    add({.Name = "ChartRowsInPeriodOrder",
         .Sql = Lines({"Select PeriodYear, PeriodMonth, ", "Income, BankBalance, Expense, Communications  ", "from TeeData1",
                       "order by PeriodYear, PeriodMonth"}),
         .Rows = "2023,12,0,50,0,0;2024,1,2000,-70,0,40"});
    add({.Name = "GrandTotalOverNoRowsIsOneNullRow",
         .Sql = Lines({" Select \"dummy\" as sq_dummy ", ", sum(Income) as Income", ", sum(BankBalance  ) as BankBalance ",
                       ", sum(Expense) as Expense", ", sum(Communications) as Communications", ", sum(Total1) as Total1 ",
                       ", sum(Total2) as Total2 ", " from TempCom1"}),
         .Before = {OverviewTable}, .Rows = "dummy,null,null,null,null,null,null"});
    add({.Name = "BankAccountsOfTheSummary",
         .Sql = Lines({"Select Distinct BankAccountcode ", "from MthBnk1a", "order by BankAccountcode"}),
         .Rows = "0000000001;0000000002"});
    add({.Name = "CreateOfTheBankBalanceReport", .Sql = BankBalanceTable,
         .Check = "select Count(*) from TempBank1", .CheckRows = "0"});
    add({.Name = "BankMonthsGrouped",
         .Sql = Lines({"Select BankAccountcode, PeriodYear, PeriodMonth, sum(totalamount) as TotalAmount ", "from MthBnk1a",
                       "group by BankAccountcode, PeriodYear, PeriodMonth ",
                       "order by BankAccountcode, PeriodYear, PeriodMonth "}),
         .Rows = "0000000001,2023,12,50;0000000001,2024,1,-100;0000000001,2024,2,30;0000000002,2024,3,-10"});

    // Schedules and transfers of the loans, recurring and multiple-entry dialogs.
    add({.Name = "ScheduleOfALoanDeleted", .Sql = Lines({"Delete from TrnLon1b", "where LoanCode = \"0000000001\""}),
         .Changed = 2});
    add({.Name = "ScheduleOfARecurringItemDeleted",
         .Sql = Lines({"Delete from TrnRec1b", "where RecurCode = \"0000000001\""}), .Changed = 1});
    add({.Name = "LoanTransfersAfterTheCloseDateDeleted",
         .Sql = "Delete from TrnBnk1a where  TransactionDate > \"01/31/2024\"  and LoanCode = \"0000000001\"",
         .Changed = 2, .Check = "select Count(*) from TrnBnk1a", .CheckRows = "3"});
    add({.Name = "LoanTransfersBeforeTheCloseDateStay",
         .Sql = "Delete from TrnBnk1a where  TransactionDate > \"02/29/2024\"  and LoanCode = \"0000000001\"",
         .Changed = 1});
    add({.Name = "RecurringTransfersDeleted",
         .Sql = "Delete from TrnBnk1a where  TransactionDate > \"01/31/2024\"  and RecurCode = \"0000000001\"",
         .Changed = 1});
    add({.Name = "MultipleEntryTransfersDeletedFromBank",
         .Sql = "Delete from TrnBnk1a where  TransactionDate > \"01/31/2024\"  and DoubleCode = \"0000000001\"",
         .Changed = 1});
    add({.Name = "MultipleEntryTransfersDeletedFromIncome",
         .Sql = "Delete from TrnInc1a where  TransactionDate > \"01/31/2024\"  and DoubleCode = \"0000000001\"",
         .Changed = 1});
    add({.Name = "MultipleEntryTransfersDeletedFromExpense",
         .Sql = "Delete from TrnExp1a where  TransactionDate > \"02/03/2024\"  and DoubleCode = \"0000000001\"",
         .Changed = 0});
    add({.Name = "MultipleEntryTransfersDeletedFromCommunications",
         .Sql = "Delete from TrnTel1a where  TransactionDate > \"01/31/2024\"  and DoubleCode = \"0000000001\"",
         .Changed = 1});

    // Emptying all transactions and resetting the close date.
    add({.Name = "EmptyingATable", .Sql = "Delete from TrnLon1a", .Changed = 1});
    add({.Name = "CloseDateReset",
         .Sql = Lines({"Update PConfig1", "set CloseDate = \"1/1/1900\"", ", DataUpdated = True"}), .Changed = 1,
         .Check = "select CloseDate, DataUpdated, CurrencyCode from PConfig1", .CheckRows = "1900-01-01,true,USD"});

    // Grand totals of the payments dialog.
    add({.Name = "SumOfBankBalances", .Sql = "Select Sum(TotalAmount) from Mthbnk2a", .Rows = "1200.25"});
    add({.Name = "SumsOfBills", .Sql = "Select Sum(TotalAmount), Sum(PaidAmount) from MthTel2a", .Rows = "102,52"});
    return cases;
}

class DialectCoverage : public EngineTest, public ::testing::WithParamInterface<TDialectCase> {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        RunInTransaction(*db, [&] { CreateTables(*db); });
    }
};

TEST_P(DialectCoverage, StatementIsAcceptedAndGivesItsRows) {
    const TDialectCase& c = GetParam();
    for (const QString& statement : c.Before) db->Execute(statement);
    try {
        if (c.Rows) {
            auto rows = db->Query(c.Sql, c.Params);
            const QString expected = c.AnyOrder ? Sorted(QString::fromUtf8(c.Rows)) : QString::fromUtf8(c.Rows);
            EXPECT_EQ(Render(*rows, c.Columns, c.AnyOrder).toStdString(), expected.toStdString());
        } else {
            const int changed = db->Execute(c.Sql, c.Params);
            if (c.Changed >= 0) {
                EXPECT_EQ(changed, c.Changed);
            }
        }
        EXPECT_EQ(c.Error, nullptr) << "accepted, though it should fail";
    } catch (const EDatabaseError& error) {
        ASSERT_NE(c.Error, nullptr) << error.Message.toStdString();
        EXPECT_TRUE(error.Message.contains(QString::fromUtf8(c.Error))) << error.Message.toStdString();
        return;
    }
    if (c.Check) {
        auto rows = db->Query(QString::fromUtf8(c.Check));
        EXPECT_EQ(Render(*rows, -1, false).toStdString(), std::string(c.CheckRows));
    }
    if (c.Verify) c.Verify(*db);
}

INSTANTIATE_TEST_SUITE_P(SystemStatements, DialectCoverage, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<TDialectCase>& info) { return std::string(info.param.Name); });

}  // namespace
