// Tables of the second data module: monthly summaries, chart data, bills,
// bank balances, multiple entries, assets and the report table.
#include "data/catalogue_modules.h"

namespace {

using enum TFieldType;
using enum TCatalogueFieldKind;

constexpr const char* Money = ",.00";
constexpr const char* MoneyEdit = ".00";
constexpr const char* DateMask = "!99/99/0000;1;_";

// ---- Monthly summaries. The rebuild finds a row by its key through the
// named index; the key is also the primary key, one row per key.
constexpr TCatalogueField BankSummaryFields[] = {
    {.Name = "BankAccountCode", .Type = ftString, .Size = 10},
    {.Name = "BankItemCode", .Type = ftString, .Size = 3},
    {.Name = "PeriodYear", .Type = ftSmallint},
    {.Name = "PeriodMonth", .Type = ftSmallint},
    {.Name = "DebitAmount", .Type = ftFloat},
    {.Name = "CreditAmount", .Type = ftFloat},
    {.Name = "TotalAmount", .Type = ftFloat},
    {.Name = "CloseDate", .Type = ftDate},
};
constexpr TCatalogueIndex BankSummaryIndexes[] = {
    {.Name = "ByBankCodePeriod", .Fields = "BankAccountCode;BankItemCode;PeriodYear;PeriodMonth"}};

constexpr TCatalogueField TelSummaryFields[] = {
    {.Name = "TelcomCode", .Type = ftString, .Size = 3},
    {.Name = "TelItemCode", .Type = ftString, .Size = 3},
    {.Name = "PeriodYear", .Type = ftSmallint},
    {.Name = "PeriodMonth", .Type = ftSmallint},
    {.Name = "TotalAmount", .Type = ftFloat},
    {.Name = "CloseDate", .Type = ftDate},
};
constexpr TCatalogueIndex TelSummaryIndexes[] = {
    {.Name = "ByTelItemPeriod", .Fields = "TelcomCode;TelItemCode;PeriodYear;PeriodMonth"}};

constexpr TCatalogueField IncomeSummaryFields[] = {
    {.Name = "IncomeCode", .Type = ftString, .Size = 5},
    {.Name = "PeriodYear", .Type = ftSmallint},
    {.Name = "PeriodMonth", .Type = ftSmallint},
    {.Name = "TotalAmount", .Type = ftFloat},
    {.Name = "CloseDate", .Type = ftDate},
};
constexpr TCatalogueIndex IncomeSummaryIndexes[] = {
    {.Name = "ByIncomeCodePeriod", .Fields = "IncomeCode;PeriodYear;PeriodMonth"}};

constexpr TCatalogueField ExpenseSummaryFields[] = {
    {.Name = "ExpenseCode", .Type = ftString, .Size = 5},
    {.Name = "PeriodYear", .Type = ftSmallint},
    {.Name = "PeriodMonth", .Type = ftSmallint},
    {.Name = "TotalAmount", .Type = ftFloat},
    {.Name = "CloseDate", .Type = ftDate},
};
constexpr TCatalogueIndex ExpenseSummaryIndexes[] = {
    {.Name = "ByExpenseCodePeriod", .Fields = "ExpenseCode;PeriodYear;PeriodMonth"}};

// ---- TeeData1.DB
constexpr TCatalogueField ChartFields[] = {
    {.Name = "PeriodYear", .Type = ftSmallint, .DisplayWidth = 10},
    {.Name = "PeriodMonth", .Type = ftSmallint, .DisplayWidth = 10},
    {.Name = "CalcPeriod", .Type = ftString, .Size = 7, .Kind = Calculated},
    {.Name = "Income", .Type = ftFloat, .DisplayWidth = 10},
    {.Name = "Expense", .Type = ftFloat, .DisplayWidth = 10},
    {.Name = "Communications", .Type = ftFloat, .DisplayWidth = 10},
    {.Name = "BankBalance", .Type = ftFloat, .DisplayWidth = 10},
    {.Name = "CloseDate", .Type = ftDate},
    {.Name = "KeyField1", .Type = ftString, .Size = 10, .Kind = Calculated},
    {.Name = "KeyField2", .Type = ftString, .Size = 10, .Kind = Calculated},
    {.Name = "KeyField1Desc", .Type = ftString, .Size = 10, .Kind = Calculated},
    {.Name = "KeyField2Desc", .Type = ftString, .Size = 10, .Kind = Calculated},
    {.Name = "RunningBankBalance", .Type = ftFloat},
};

// ---- MthTel2a.DB, the communication bills.
constexpr TCatalogueField BillFields[] = {
    {.Name = "CalcTelcoDesc", .Type = ftString, .Size = 30, .DisplayLabel = "Account Name", .DisplayWidth = 30,
     .Kind = Lookup, .LookupDataSet = "TblTelCom", .LookupKeyFields = "TelcomCode",
     .LookupResultField = "TelcomDesc", .KeyFields = "TelcomCode"},
    {.Name = "CalcPeriodName", .Type = ftString, .Size = 8, .DisplayLabel = "Month/Year", .DisplayWidth = 15,
     .Kind = Calculated},
    {.Name = "TotalAmount", .Type = ftFloat, .DisplayLabel = "Total Amount", .DisplayWidth = 10,
     .DisplayFormat = Money, .EditFormat = MoneyEdit},
    {.Name = "PaidAmount", .Type = ftFloat, .DisplayLabel = "Paid Amount", .DisplayWidth = 10,
     .DisplayFormat = Money, .EditFormat = MoneyEdit},
    {.Name = "CalcBalance", .Type = ftFloat, .DisplayLabel = "Balance", .DisplayWidth = 10,
     .DisplayFormat = Money, .EditFormat = MoneyEdit, .Kind = Calculated},
    {.Name = "TelcomCode", .Type = ftString, .Size = 3, .Visible = false},
    {.Name = "PeriodYear", .Type = ftSmallint, .Visible = false},
    {.Name = "PeriodMonth", .Type = ftSmallint, .Visible = false},
    {.Name = "CloseDate", .Type = ftDate, .Visible = false},
    {.Name = "OldFlag", .Type = ftBoolean, .Visible = false},
};

// ---- Mthbnk2a.DB, one actual balance per bank account.
constexpr TCatalogueField FastBankFields[] = {
    {.Name = "BankAccountCode", .Type = ftString, .Size = 10},
    {.Name = "UpdateDate", .Type = ftDate, .EditMask = DateMask},
    {.Name = "TotalAmount", .Type = ftFloat, .DisplayFormat = Money, .EditFormat = MoneyEdit},
    {.Name = "Remarks", .Type = ftString, .Size = 50},
    {.Name = "CalcBankAccDesc", .Type = ftString, .Size = 50, .DisplayLabel = "Bank Account Name", .Kind = Lookup,
     .LookupDataSet = "CpyBankAcnt", .LookupKeyFields = "BankAccountCode", .LookupResultField = "AccountName",
     .KeyFields = "BankAccountCode"},
};

// ---- Multiple entries: header, account lines, dated amounts.
constexpr TCatalogueField DoubleFields[] = {
    {.Name = "DoubleDetails", .Type = ftString, .Size = 50, .DisplayLabel = "Multiple Entry Header Record",
     .DisplayWidth = 30},
    {.Name = "DoubleCode", .Type = ftString, .Size = 10, .Visible = false},
    {.Name = "Approved", .Type = ftBoolean, .Visible = false},
};

constexpr TCatalogueField DoubleAccountFields[] = {
    {.Name = "DoubleAccountNum", .Type = ftSmallint, .DisplayLabel = "Account Number"},
    {.Name = "DoubleCode", .Type = ftString, .Size = 10, .Visible = false},
    {.Name = "DoubleType", .Type = ftString, .Size = 1, .Visible = false},
    {.Name = "DebitCredit", .Type = ftString, .Size = 1, .Visible = false},
    {.Name = "BankAccountCode", .Type = ftString, .Size = 10, .Visible = false},
    {.Name = "BankItemCode", .Type = ftString, .Size = 3, .Visible = false},
    {.Name = "IncomeCode", .Type = ftString, .Size = 5, .Visible = false},
    {.Name = "ExpenseCode", .Type = ftString, .Size = 5, .Visible = false},
    {.Name = "TelcomCode", .Type = ftString, .Size = 3, .Visible = false},
    {.Name = "TelItemCode", .Type = ftString, .Size = 3, .Visible = false},
};

constexpr TCatalogueField DoubleAmountFields[] = {
    {.Name = "DoubleSerialNum", .Type = ftSmallint, .DisplayLabel = "S #"},
    {.Name = "TransactionDate", .Type = ftDate, .DisplayLabel = "Date", .EditMask = DateMask},
    {.Name = "Amount", .Type = ftFloat, .DisplayFormat = Money, .EditFormat = MoneyEdit},
    {.Name = "DoubleCode", .Type = ftString, .Size = 10, .Visible = false},
    {.Name = "CloseDate", .Type = ftDate, .Visible = false},
};

// ---- Assets: header and amounts. The notes hold formatted text of any length.
constexpr TCatalogueField AssetFields[] = {
    {.Name = "AssetDesc", .Type = ftString, .Size = 50, .DisplayWidth = 50},
    {.Name = "AssetCode", .Type = ftString, .Size = 10, .Visible = false},
    {.Name = "Notes", .Type = ftMemo, .Visible = false},
};

constexpr TCatalogueField AssetAmountFields[] = {
    {.Name = "TransactionDate", .Type = ftDate, .DisplayLabel = "Date", .DisplayWidth = 11},
    {.Name = "AssetAmount", .Type = ftFloat, .DisplayWidth = 10},
    {.Name = "AssetTranSerialNum", .Type = ftString, .Size = 10, .Visible = false},
    {.Name = "AssetCode", .Type = ftString, .Size = 10, .Visible = false},
};

}  // namespace

std::span<const TCatalogueTable> Adm3CatalogueTables() {
    // Built on first use: the second cursor on the bank accounts table takes
    // its fields from the first module's part.
    static const TCatalogueTable tables[] = {
        {.FileName = "MTHBNK1A.DB", .Component = "TblRepBank1", .DataSource = "DsReports", .DataModule = "ADm3",
         .Fields = BankSummaryFields, .IndexName = "ByBankCodePeriod", .PersistentFields = false,
         .PrimaryKey = "BankAccountCode;BankItemCode;PeriodYear;PeriodMonth", .Indexes = BankSummaryIndexes},
        {.FileName = "MthTel1a.DB", .Component = "TblRepTel1", .DataSource = "", .DataModule = "ADm3",
         .Fields = TelSummaryFields, .IndexName = "ByTelItemPeriod", .PersistentFields = false,
         .PrimaryKey = "TelcomCode;TelItemCode;PeriodYear;PeriodMonth", .Indexes = TelSummaryIndexes},
        // The rebuild sets the income and expense summaries' index when it runs.
        {.FileName = "MthInc1a.DB", .Component = "TblRepInc1", .DataSource = "", .DataModule = "ADm3",
         .Fields = IncomeSummaryFields, .PersistentFields = false,
         .PrimaryKey = "IncomeCode;PeriodYear;PeriodMonth", .Indexes = IncomeSummaryIndexes},
        {.FileName = "MthExp1a.DB", .Component = "TblRepExp1", .DataSource = "", .DataModule = "ADm3",
         .Fields = ExpenseSummaryFields, .PersistentFields = false,
         .PrimaryKey = "ExpenseCode;PeriodYear;PeriodMonth", .Indexes = ExpenseSummaryIndexes},
        {.FileName = "TeeData1.DB", .Component = "TblChart1", .DataSource = "", .DataModule = "ADm3",
         .Fields = ChartFields, .IndexFieldNames = "PeriodYear;PeriodMonth", .PrimaryKey = "PeriodYear;PeriodMonth"},
        {.FileName = "MthTel2a.DB", .Component = "TblTelPaid", .DataSource = "DsTelPaid", .DataModule = "ADm3",
         .Fields = BillFields, .IndexFieldNames = "TelcomCode;PeriodYear;PeriodMonth",
         .PrimaryKey = "TelcomCode;PeriodYear;PeriodMonth"},
        {.FileName = "Mthbnk2a.DB", .Component = "TblFastBank", .DataSource = "DsFastBank", .DataModule = "ADm3",
         .Fields = FastBankFields, .IndexFieldNames = "BankAccountCode", .PrimaryKey = "BankAccountCode"},
        // Pointed at each report table as the report builders make it.
        {.FileName = "TempBnk1.DB", .Component = "TblProc", .DataSource = "", .DataModule = "ADm3", .Fields = {},
         .IndexFieldNames = "KeyField1;KeyField2", .PersistentFields = false, .Deployed = false},
        {.FileName = "TrnDbl1a.DB", .Component = "TblDbl1a", .DataSource = "DsDbl1a", .DataModule = "ADm3",
         .Fields = DoubleFields, .PrimaryKey = "DoubleCode"},
        {.FileName = "TrnDbl1b.DB", .Component = "TblDbl1b", .DataSource = "DsDbl1b", .DataModule = "ADm3",
         .Fields = DoubleAccountFields, .IndexFieldNames = "DoubleCode", .MasterSource = "DsDbl1a",
         .MasterFields = "DoubleCode", .PrimaryKey = "DoubleCode;DoubleAccountNum"},
        {.FileName = "TrnDbl1c.DB", .Component = "TblDbl1c", .DataSource = "DsDbl1c", .DataModule = "ADm3",
         .Fields = DoubleAmountFields, .IndexFieldNames = "DoubleCode", .MasterSource = "DsDbl1a",
         .MasterFields = "DoubleCode", .PrimaryKey = "DoubleCode;DoubleSerialNum"},
        {.FileName = "TRNAST1A.DB", .Component = "TblAsset1a", .DataSource = "DsAsset1a", .DataModule = "ADm3",
         .Fields = AssetFields, .IndexFieldNames = "AssetCode", .PrimaryKey = "AssetCode"},
        {.FileName = "Trnast1b.DB", .Component = "TblAsset1b", .DataSource = "DsAsset1b", .DataModule = "ADm3",
         .Fields = AssetAmountFields, .IndexFieldNames = "AssetCode", .MasterSource = "DsAsset1a",
         .MasterFields = "AssetCode", .PrimaryKey = "AssetCode;AssetTranSerialNum"},
        // A second cursor on the first module's bank accounts table, which
        // deploys it; this entry carries no layout of its own.
        {.FileName = "BankAcnt.DB", .Component = "CpyBankAcnt", .DataSource = "", .DataModule = "ADm3",
         .Fields = BankAccountStoredFields(), .Deployed = false},
    };
    return tables;
}
