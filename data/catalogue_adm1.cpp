// Tables of the first data module: reference tables, transaction tables, loan
// and recurring schedules, and the two single-row configuration tables.
#include "data/catalogue_modules.h"

namespace {

using enum TFieldType;
using enum TCatalogueFieldKind;

constexpr const char* Money = ",.00";
constexpr const char* MoneyEdit = ".00";
constexpr const char* DateMask = "!99/99/0000;1;_";

// Empty, or a letter followed by letters, digits, blanks and . , ; : [ ] ( ).
constexpr const char* TextMask = "*[&*[{#, ,.,;,,;;,:,;[,;],(,),}]]";

// The mask lines are shared between tables as the module declares them; a
// line naming a field the table lacks has no effect.
constexpr TPictureMaskLine BankMasks[] = {{"BankDesc", TextMask}, {"AccountNumber", TextMask}};
constexpr TPictureMaskLine CurrencyMasks[] = {{"CurrencyShortName", TextMask}, {"CurrencyName", TextMask}};
constexpr TPictureMaskLine ExpenseMasks[] = {
    {"CurrencyShortName", TextMask}, {"CurrencyName", TextMask},
    {"ExpenseDescription", TextMask}, {"ExpenseOrder", TextMask}};
constexpr TPictureMaskLine IncomeMasks[] = {
    {"CurrencyShortName", TextMask}, {"CurrencyName", TextMask},
    {"IncomeDescription", TextMask}, {"IncomeOrder", TextMask}};
constexpr TPictureMaskLine BankAccountMasks[] = {{"CardIssuedDate", TextMask}};
constexpr TPictureMaskLine CardNameMasks[] = {{"CreditCardName", TextMask}};

// ---- Pbanks.DB
constexpr TCatalogueField BankFields[] = {
    {.Name = "BankDesc", .Type = ftString, .Size = 50, .DisplayLabel = "Bank Name", .DisplayWidth = 25},
    {.Name = "BankNotes", .Type = ftMemo, .Size = 25, .DisplayLabel = "Notes", .DisplayWidth = 10, .Visible = false},
    {.Name = "BankCode", .Type = ftString, .Size = 10, .DisplayLabel = "Bank Code", .DisplayWidth = 10, .Visible = false},
};
constexpr const char* BankControls[] = {"BankNotes;RichEdit;"};

// ---- PConfig1.DB
constexpr TCatalogueField ConfigFields[] = {
    {.Name = "CurrencyCode", .Type = ftString, .Size = 3, .DisplayLabel = "Currency", .AttributeSet = "CurrencyCode"},
    {.Name = "ChartBar1View", .Type = ftBoolean},
    {.Name = "ChartBar2View", .Type = ftBoolean},
    {.Name = "ChartBar3View", .Type = ftBoolean},
    {.Name = "ChartBar1Code", .Type = ftSmallint},
    {.Name = "ChartBar2Code", .Type = ftSmallint},
    {.Name = "ChartBar3Code", .Type = ftSmallint},
    {.Name = "ChartBar0View", .Type = ftBoolean},
    {.Name = "ChartBar0Code", .Type = ftSmallint},
    {.Name = "ChartBar4View", .Type = ftBoolean},
    {.Name = "ChartBar5View", .Type = ftBoolean},
    {.Name = "ChartBar4Code", .Type = ftSmallint},
    {.Name = "ChartBar5Code", .Type = ftSmallint},
    {.Name = "CloseDate", .Type = ftDate},
    {.Name = "ColorNormal", .Type = ftInteger},
    {.Name = "ColorPosted", .Type = ftInteger},
    {.Name = "ColorLoan", .Type = ftInteger},
    {.Name = "ColorRecurring", .Type = ftInteger},
    {.Name = "ColorDouble", .Type = ftInteger},
    {.Name = "StartDayOfWeek", .Type = ftSmallint},
    {.Name = "ColorASort", .Type = ftInteger},
    {.Name = "ColorDSort", .Type = ftInteger},
    {.Name = "GridSize1", .Type = ftSmallint},
    {.Name = "DataUpdated", .Type = ftBoolean},
};

// ---- PCurncy.DB
constexpr TCatalogueField CurrencyFields[] = {
    {.Name = "CurrencyShortName", .Type = ftString, .Size = 3, .DisplayLabel = "Currency Short Name", .DisplayWidth = 3},
    {.Name = "CurrencyName", .Type = ftString, .Size = 30, .DisplayLabel = "Currency Full Name", .DisplayWidth = 30},
    {.Name = "CurrencyCode", .Type = ftString, .Size = 3, .DisplayLabel = "Currency", .DisplayWidth = 3, .Visible = false},
};

// ---- PCCards.DB
constexpr TCatalogueField CardFields[] = {
    {.Name = "CardName", .Type = ftString, .Size = 30, .DisplayLabel = "Card Name", .DisplayWidth = 18},
    {.Name = "CalcCardType", .Type = ftString, .DisplayLabel = "Card Type", .DisplayWidth = 20, .Kind = Lookup,
     .LookupDataSet = "TblCardType", .LookupKeyFields = "CardType", .LookupResultField = "CardTypeDesc",
     .KeyFields = "CardType"},
    {.Name = "CardType", .Type = ftString, .Size = 1, .Visible = false},
    {.Name = "CardCode", .Type = ftString, .Size = 10, .DisplayWidth = 10, .Visible = false},
};
constexpr const char* CardControls[] = {"CalcCardType;CustomEdit;LupCardType"};

// ---- BankAcnt.DB. The two lookups come first, the stored fields after them.
constexpr TCatalogueField BankAccountFields[] = {
    {.Name = "CalcBankName", .Type = ftString, .Size = 30, .DisplayLabel = "Bank Name", .DisplayWidth = 23,
     .Kind = Lookup, .LookupDataSet = "TblBanks", .LookupKeyFields = "BankCode", .LookupResultField = "BankDesc",
     .KeyFields = "BankCode", .AttributeSet = "BankDesc"},
    {.Name = "CalcCardName", .Type = ftString, .Size = 30, .DisplayLabel = "Card Name", .DisplayWidth = 25,
     .Kind = Lookup, .LookupDataSet = "TblCard", .LookupKeyFields = "CardCode", .LookupResultField = "CardName",
     .KeyFields = "CardCode"},
    {.Name = "AccountNumber", .Type = ftString, .Size = 30, .DisplayWidth = 30},
    {.Name = "CardIssuedDate", .Type = ftDate, .DisplayWidth = 12},
    {.Name = "CardExpiryDate", .Type = ftDate, .DisplayWidth = 11},
    {.Name = "CardNotes", .Type = ftMemo, .Size = 25, .DisplayWidth = 10},
    {.Name = "BankAccountCode", .Type = ftString, .Size = 10, .DisplayWidth = 10, .Visible = false},
    {.Name = "CurrencyCode", .Type = ftString, .Size = 3, .DisplayWidth = 3, .Visible = false},
    {.Name = "CardCode", .Type = ftString, .Size = 10, .DisplayWidth = 10, .Visible = false},
    {.Name = "BankCode", .Type = ftString, .Size = 10, .DisplayWidth = 10, .Visible = false},
    {.Name = "AccountName", .Type = ftString, .Size = 50, .DisplayLabel = "Account Name"},
};
constexpr std::size_t BankAccountLookupCount = 2;
constexpr const char* BankAccountControls[] = {"CalcBankName;CustomEdit;LupBanks", "CalcCardName;CustomEdit;LupCards"};
// The main window finds an account by its bank and card; one account per pair.
constexpr TCatalogueIndex BankAccountIndexes[] = {{.Name = "ByBankCard", .Fields = "BankCode;CardCode", .Unique = true}};

// ---- PcType.DB
constexpr TCatalogueField CardTypeFields[] = {
    {.Name = "CardTypeDesc", .Type = ftString, .Size = 15, .DisplayWidth = 15},
    {.Name = "CardType", .Type = ftString, .Size = 1, .DisplayWidth = 1, .Visible = false},
};

// ---- PTelcom.DB
constexpr TCatalogueField TelComFields[] = {
    {.Name = "TelcomDesc", .Type = ftString, .Size = 50, .DisplayLabel = "Description", .DisplayWidth = 29},
    {.Name = "TelcomCode", .Type = ftString, .Size = 3, .DisplayWidth = 3, .Visible = false},
};
// The account picker lists the accounts by name.
constexpr TCatalogueIndex TelComIndexes[] = {{.Name = "ByTelcomDesc", .Fields = "TelcomDesc", .CaseInsensitive = true}};

// ---- PSkins.DB
constexpr TCatalogueField SkinFields[] = {
    {.Name = "SchemeCode", .Type = ftString, .Size = 3},
    {.Name = "SchemeName", .Type = ftString, .Size = 50},
    {.Name = "TitleStartingColor", .Type = ftBoolean},
    {.Name = "TitleEndingColor", .Type = ftBoolean},
};

// ---- TrnTel1a.DB. A detail of the communication account: every order
// starts with the account, so the rows of one account stay together.
constexpr TCatalogueField TranTelFields[] = {
    {.Name = "TelcomCode", .Type = ftString, .Size = 3, .DisplayWidth = 9},
    {.Name = "TransactionDate", .Type = ftDate, .DisplayLabel = "Date", .DisplayWidth = 10, .EditMask = DateMask},
    {.Name = "Amount", .Type = ftFloat, .DisplayWidth = 10, .DisplayFormat = Money, .EditFormat = MoneyEdit},
    {.Name = "TelComSerialNum", .Type = ftString, .Size = 10, .Visible = false},
    {.Name = "TelItemCode", .Type = ftString, .Size = 3},
    {.Name = "CaclTelItemDesc", .Type = ftString, .Size = 50, .DisplayLabel = "Item Description", .Kind = Lookup,
     .LookupDataSet = "TblTelItems", .LookupKeyFields = "TelItemCode", .LookupResultField = "TelItemDesc",
     .KeyFields = "TelItemCode", .AttributeSet = "TelItemDesc"},
    {.Name = "External", .Type = ftBoolean},
    {.Name = "RecurCode", .Type = ftString, .Size = 10},
    {.Name = "LoanCode", .Type = ftString, .Size = 10},
    {.Name = "DoubleCode", .Type = ftString, .Size = 10},
};
constexpr const char* TranTelControls[] = {"CaclTelItemDesc;CustomEdit;LupTelItems"};
constexpr TCatalogueIndex TranTelIndexes[] = {
    {.Name = "ByDate", .Fields = "TelcomCode;TransactionDate"},
    {.Name = "ByItemCode", .Fields = "TelcomCode;TelItemCode"},
    {.Name = "ByAmount", .Fields = "TelcomCode;Amount"},
};

// ---- PCatgry.db
constexpr TCatalogueField CategoryFields[] = {
    {.Name = "CategoryDesc", .Type = ftString, .Size = 30, .DisplayWidth = 30},
    {.Name = "CategoryCode", .Type = ftString, .Size = 3, .DisplayWidth = 3, .Visible = false},
};

// ---- PTelItm.DB
constexpr TCatalogueField TelItemFields[] = {
    {.Name = "TelItemDesc", .Type = ftString, .Size = 50, .DisplayLabel = "Item Description", .DisplayWidth = 50},
    {.Name = "TelItemCode", .Type = ftString, .Size = 3, .Visible = false},
};

// ---- POPTION1.DB
constexpr TCatalogueField OptionFields[] = {
    {.Name = "UserName", .Type = ftString, .Size = 10},
    {.Name = "FromDate", .Type = ftDate, .DisplayLabel = "From Date", .EditMask = DateMask},
    {.Name = "ToDate", .Type = ftDate, .DisplayLabel = "To Date", .EditMask = DateMask},
};

// ---- BankItm.DB
constexpr TCatalogueField BankItemFields[] = {
    {.Name = "BankItemDesc", .Type = ftString, .Size = 50, .DisplayLabel = "Item Desc", .DisplayWidth = 50},
    {.Name = "BankItemCode", .Type = ftString, .Size = 3, .DisplayWidth = 3, .Visible = false},
};

// ---- TrnBnk1a.DB. A detail of the bank account, ordered within it.
constexpr TCatalogueField TranBankFields[] = {
    {.Name = "BankAccountCode", .Type = ftString, .Size = 10},
    {.Name = "BankTranSerialNum", .Type = ftString, .Size = 10},
    {.Name = "TransactionDate", .Type = ftDate, .DisplayLabel = "Date", .EditMask = DateMask},
    {.Name = "BankItemCode", .Type = ftString, .Size = 3},
    {.Name = "CalcBankItemDescription", .Type = ftString, .Size = 30, .DisplayLabel = "Item Description",
     .Kind = Lookup, .LookupDataSet = "TblBankItems", .LookupKeyFields = "BankItemCode",
     .LookupResultField = "BankItemDesc", .KeyFields = "BankItemCode"},
    {.Name = "DebitAmount", .Type = ftFloat, .DisplayLabel = "Debit Amount", .DisplayFormat = Money, .EditFormat = MoneyEdit},
    {.Name = "CreditAmount", .Type = ftFloat, .DisplayLabel = "Credit Amount", .DisplayFormat = Money, .EditFormat = MoneyEdit},
    {.Name = "External", .Type = ftBoolean},
    {.Name = "LoanCode", .Type = ftString, .Size = 10},
    {.Name = "RecurCode", .Type = ftString, .Size = 10},
    {.Name = "DoubleCode", .Type = ftString, .Size = 10},
};
constexpr const char* TranBankControls[] = {"CalcBankItemDescription;CustomEdit;LupBankItems"};
constexpr TCatalogueIndex TranBankIndexes[] = {
    {.Name = "ByDate", .Fields = "BankAccountCode;TransactionDate"},
    {.Name = "ByDate_Descending", .Fields = "BankAccountCode;TransactionDate", .Descending = true},
    {.Name = "ByItemCode", .Fields = "BankAccountCode;BankItemCode"},
    {.Name = "ByDebitAmount", .Fields = "BankAccountCode;DebitAmount"},
    {.Name = "ByDebitAmount_Desc", .Fields = "BankAccountCode;DebitAmount", .Descending = true},
    {.Name = "ByCreditAmount", .Fields = "BankAccountCode;CreditAmount"},
    {.Name = "ByCreditAmount_Desc", .Fields = "BankAccountCode;CreditAmount", .Descending = true},
};

// ---- PExpense.DB
constexpr TCatalogueField ExpenseFields[] = {
    {.Name = "ExpenseDescription", .Type = ftString, .Size = 30, .DisplayLabel = "Expense Description", .DisplayWidth = 30},
    {.Name = "ExpenseOrder", .Type = ftString, .Size = 2, .DisplayWidth = 2, .Visible = false, .AttributeSet = "Order"},
    {.Name = "ExpenseCode", .Type = ftString, .Size = 5, .Visible = false},
};

// ---- PIncome.db
constexpr TCatalogueField IncomeFields[] = {
    {.Name = "IncomeDescription", .Type = ftString, .Size = 30, .DisplayLabel = "Income Description", .DisplayWidth = 19},
    {.Name = "IncomeOrder", .Type = ftString, .Size = 2, .DisplayWidth = 10, .Visible = false},
    {.Name = "IncomeCode", .Type = ftString, .Size = 5, .Visible = false},
};

// ---- TrnExp1a.DB
constexpr TCatalogueField TranExpenseFields[] = {
    {.Name = "ExpenseCode", .Type = ftString, .Size = 5},
    {.Name = "ExpenseTranSerialNum", .Type = ftString, .Size = 10},
    {.Name = "TransactionDate", .Type = ftDate, .DisplayLabel = "Date", .EditMask = DateMask},
    {.Name = "ExpenseAmount", .Type = ftFloat, .DisplayLabel = "Amount", .DisplayWidth = 10, .DisplayFormat = Money,
     .EditFormat = MoneyEdit, .AttributeSet = "Amount"},
    {.Name = "CalcExpenseItemDesc", .Type = ftString, .Size = 40, .DisplayLabel = "Expense Description",
     .Kind = Lookup, .LookupDataSet = "TblExpense", .LookupKeyFields = "ExpenseCode",
     .LookupResultField = "ExpenseDescription", .KeyFields = "ExpenseCode"},
    {.Name = "LoanCode", .Type = ftString, .Size = 10},
    {.Name = "External", .Type = ftBoolean},
    {.Name = "RecurCode", .Type = ftString, .Size = 10},
    {.Name = "DoubleCode", .Type = ftString, .Size = 10},
};
constexpr const char* TranExpenseControls[] = {"CalcExpenseItemDesc;CustomEdit;LupExpenseItems"};
constexpr TCatalogueIndex TranExpenseIndexes[] = {
    {.Name = "ByTransactionDate", .Fields = "TransactionDate"},
    {.Name = "ByTransactionDate_Desc", .Fields = "TransactionDate", .Descending = true},
    {.Name = "ByExpenseCode", .Fields = "ExpenseCode"},
    {.Name = "ByExpenseAmount", .Fields = "ExpenseAmount"},
    {.Name = "ByExpenseAmount_Desc", .Fields = "ExpenseAmount", .Descending = true},
};

// ---- TrnInc1a.DB
constexpr TCatalogueField TranIncomeFields[] = {
    {.Name = "IncomeCode", .Type = ftString, .Size = 5},
    {.Name = "IncomeTranSerialNum", .Type = ftString, .Size = 10},
    {.Name = "TransactionDate", .Type = ftDate, .DisplayLabel = "Date", .EditMask = DateMask, .AttributeSet = "Date"},
    {.Name = "IncomeAmount", .Type = ftFloat, .DisplayLabel = "Amount", .DisplayWidth = 10, .DisplayFormat = Money,
     .EditFormat = MoneyEdit, .AttributeSet = "Amount"},
    {.Name = "CalcIncomeItemDesc", .Type = ftString, .Size = 40, .DisplayLabel = "Income Description",
     .Kind = Lookup, .LookupDataSet = "TblIncome", .LookupKeyFields = "IncomeCode",
     .LookupResultField = "IncomeDescription", .KeyFields = "IncomeCode"},
    {.Name = "LoanCode", .Type = ftString, .Size = 10},
    {.Name = "External", .Type = ftBoolean},
    {.Name = "RecurCode", .Type = ftString, .Size = 10},
    {.Name = "DoubleCode", .Type = ftString, .Size = 10},
};
constexpr const char* TranIncomeControls[] = {"CalcIncomeItemDesc;CustomEdit;LupIncomeItems"};
constexpr TCatalogueIndex TranIncomeIndexes[] = {
    {.Name = "ByTransactionDate", .Fields = "TransactionDate"},
    {.Name = "ByTransactionDate_Desc", .Fields = "TransactionDate", .Descending = true},
    {.Name = "ByIncomeCode", .Fields = "IncomeCode"},
    {.Name = "ByIncomeAmount", .Fields = "IncomeAmount"},
    {.Name = "ByIncomeAmount_Desc", .Fields = "IncomeAmount", .Descending = true},
};

// ---- TrnLon1a.DB
constexpr TCatalogueField LoanFields[] = {
    {.Name = "LoanDetails", .Type = ftString, .Size = 50, .DisplayLabel = "Loan Description", .DisplayWidth = 30},
    {.Name = "LoanCode", .Type = ftString, .Size = 10, .DisplayWidth = 10, .Visible = false},
    {.Name = "LoanType", .Type = ftString, .Size = 1, .DisplayWidth = 1, .Visible = false},
    {.Name = "BankAccountCode", .Type = ftString, .Size = 10, .DisplayWidth = 10, .Visible = false},
    {.Name = "BankItemCode", .Type = ftString, .Size = 3, .DisplayWidth = 3, .Visible = false},
    {.Name = "IncomeCode", .Type = ftString, .Size = 5, .DisplayWidth = 5, .Visible = false},
    {.Name = "StartDate", .Type = ftDate, .DisplayWidth = 10, .Visible = false, .EditMask = DateMask},
    {.Name = "FinishDate", .Type = ftDate, .DisplayWidth = 10, .Visible = false, .EditMask = DateMask},
    {.Name = "Duration", .Type = ftSmallint, .DisplayWidth = 10, .Visible = false},
    {.Name = "InterestRate", .Type = ftFloat, .DisplayWidth = 10, .Visible = false},
    {.Name = "LoanAmount", .Type = ftFloat, .DisplayWidth = 10, .Visible = false, .DisplayFormat = Money,
     .EditFormat = MoneyEdit},
    {.Name = "InterestAmount", .Type = ftFloat, .Visible = false, .DisplayFormat = Money, .EditFormat = Money},
    {.Name = "TotalPaybackAmount", .Type = ftFloat, .Visible = false, .DisplayFormat = Money},
    {.Name = "Approved", .Type = ftBoolean, .Visible = false},
};

// ---- TrnLon1b.DB
constexpr TCatalogueField LoanLineFields[] = {
    {.Name = "LoanTranSerialNum", .Type = ftSmallint, .DisplayLabel = "Sr #", .DisplayWidth = 4},
    {.Name = "TransactionDate", .Type = ftDate, .DisplayLabel = "Date", .DisplayWidth = 11, .EditMask = DateMask},
    {.Name = "PaybackAmount", .Type = ftFloat, .DisplayLabel = "Amount", .DisplayWidth = 15, .DisplayFormat = Money,
     .EditFormat = MoneyEdit},
    {.Name = "LoanCode", .Type = ftString, .Size = 10, .Visible = false},
};

// ---- TrnRec1a.DB
constexpr TCatalogueField RecurFields[] = {
    {.Name = "RecurDetails", .Type = ftString, .Size = 50, .DisplayLabel = "Details", .DisplayWidth = 50},
    {.Name = "RecurCode", .Type = ftString, .Size = 10, .Visible = false},
    {.Name = "RecurType", .Type = ftString, .Size = 1, .Visible = false},
    {.Name = "DebitCredit", .Type = ftString, .Size = 1, .Visible = false},
    {.Name = "BankAccountCode", .Type = ftString, .Size = 10, .Visible = false},
    {.Name = "BankItemCode", .Type = ftString, .Size = 3, .Visible = false},
    {.Name = "IncomeCode", .Type = ftString, .Size = 5, .Visible = false},
    {.Name = "ExpenseCode", .Type = ftString, .Size = 5, .Visible = false},
    {.Name = "TelcomCode", .Type = ftString, .Size = 3, .Visible = false},
    {.Name = "StartDate", .Type = ftDate, .Visible = false, .EditMask = DateMask},
    {.Name = "FinishDate", .Type = ftDate, .Visible = false, .EditMask = DateMask},
    {.Name = "Duration", .Type = ftSmallint, .Visible = false},
    {.Name = "InterestRate", .Type = ftFloat, .Visible = false},
    {.Name = "InterestAmount", .Type = ftFloat, .Visible = false},
    {.Name = "RecurAmount", .Type = ftFloat, .Visible = false},
    {.Name = "TotalRecurAmount", .Type = ftFloat, .Visible = false},
    {.Name = "Approved", .Type = ftBoolean, .Visible = false},
    {.Name = "TelItemCode", .Type = ftString, .Size = 3, .Visible = false},
};

// ---- TrnRec1b.DB
constexpr TCatalogueField RecurLineFields[] = {
    {.Name = "RecurTranSerialNum", .Type = ftSmallint, .DisplayLabel = "Sr #", .DisplayWidth = 4},
    {.Name = "TransactionDate", .Type = ftDate, .DisplayLabel = "Date", .DisplayWidth = 10, .EditMask = DateMask},
    {.Name = "RecurAmount", .Type = ftFloat, .DisplayLabel = "Amount", .DisplayWidth = 10, .DisplayFormat = Money,
     .EditFormat = MoneyEdit},
    {.Name = "RecurCode", .Type = ftString, .Size = 10, .Visible = false},
    {.Name = "CloseDate", .Type = ftDate, .Visible = false},
};

// Reference tables keep their code as the primary key; transaction rows are
// keyed by their serial number within their parent where there is one.
constexpr TCatalogueTable Tables[] = {
    {.FileName = "Pbanks.DB", .Component = "TblBanks", .DataSource = "DsBanks", .DataModule = "ADm1",
     .Fields = BankFields, .PictureMasks = BankMasks, .ControlType = BankControls, .PrimaryKey = "BankCode"},
    {.FileName = "PCurncy.DB", .Component = "TblCurrency", .DataSource = "DsCurrency", .DataModule = "ADm1",
     .Fields = CurrencyFields, .PictureMasks = CurrencyMasks, .PrimaryKey = "CurrencyCode"},
    {.FileName = "PCCards.DB", .Component = "TblCard", .DataSource = "DsCard", .DataModule = "ADm1",
     .Fields = CardFields, .PictureMasks = CardNameMasks, .ControlType = CardControls, .PrimaryKey = "CardCode"},
    {.FileName = "PcType.DB", .Component = "TblCardType", .DataSource = "DsCardType", .DataModule = "ADm1",
     .Fields = CardTypeFields, .PictureMasks = CardNameMasks, .PrimaryKey = "CardType"},
    {.FileName = "BankAcnt.DB", .Component = "TblBankAccounts", .DataSource = "DsBankAccounts", .DataModule = "ADm1",
     .Fields = BankAccountFields, .PictureMasks = BankAccountMasks, .ControlType = BankAccountControls,
     .PrimaryKey = "BankAccountCode", .Indexes = BankAccountIndexes},
    {.FileName = "BankItm.DB", .Component = "TblBankItems", .DataSource = "DsBankItems", .DataModule = "ADm1",
     .Fields = BankItemFields, .PictureMasks = CurrencyMasks, .PrimaryKey = "BankItemCode"},
    {.FileName = "PTelcom.DB", .Component = "TblTelCom", .DataSource = "DsTelCom", .DataModule = "ADm1",
     .Fields = TelComFields, .IndexFieldNames = "TelcomCode", .PictureMasks = CardNameMasks,
     .PrimaryKey = "TelcomCode", .Indexes = TelComIndexes},
    {.FileName = "PTelItm.DB", .Component = "TblTelItems", .DataSource = "DsTelItems", .DataModule = "ADm1",
     .Fields = TelItemFields, .PictureMasks = CurrencyMasks, .PrimaryKey = "TelItemCode"},
    {.FileName = "PIncome.db", .Component = "TblIncome", .DataSource = "DsIncome", .DataModule = "ADm1",
     .Fields = IncomeFields, .AutoCalcFields = false, .PictureMasks = IncomeMasks, .PrimaryKey = "IncomeCode"},
    {.FileName = "PExpense.DB", .Component = "TblExpense", .DataSource = "DsExpense", .DataModule = "ADm1",
     .Fields = ExpenseFields, .AutoCalcFields = false, .PictureMasks = ExpenseMasks, .PrimaryKey = "ExpenseCode"},
    {.FileName = "PCatgry.db", .Component = "TblCategory", .DataSource = "DsCategory", .DataModule = "ADm1",
     .Fields = CategoryFields, .PictureMasks = CurrencyMasks, .PrimaryKey = "CategoryCode"},
    // The single-row tables and the unused colour schemes have no key.
    {.FileName = "PConfig1.DB", .Component = "TblConfig", .DataSource = "DsConfig", .DataModule = "ADm1",
     .Fields = ConfigFields, .DataSourceAutoEdit = true, .PictureMasks = CardNameMasks},
    {.FileName = "POPTION1.DB", .Component = "TblOptions", .DataSource = "DsOptions", .DataModule = "ADm1",
     .Fields = OptionFields, .DataSourceAutoEdit = true, .PictureMasks = CardNameMasks},
    {.FileName = "PSkins.DB", .Component = "TblSkins", .DataSource = "DsSkins", .DataModule = "ADm1",
     .Fields = SkinFields, .PictureMasks = CurrencyMasks},
    {.FileName = "TrnBnk1a.DB", .Component = "TblTranBank1", .DataSource = "DsTranBank1", .DataModule = "ADm1",
     .Fields = TranBankFields, .IndexName = "ByDate", .MasterSource = "DsBankAccounts",
     .MasterFields = "BankAccountCode", .PictureMasks = CardNameMasks, .ControlType = TranBankControls,
     .PrimaryKey = "BankAccountCode;BankTranSerialNum", .Indexes = TranBankIndexes},
    {.FileName = "TrnTel1a.DB", .Component = "TblTranTel1", .DataSource = "DsTranTel1", .DataModule = "ADm1",
     .Fields = TranTelFields, .IndexFieldNames = "TelcomCode", .MasterSource = "DsTelCom",
     .MasterFields = "TelcomCode", .PictureMasks = CardNameMasks, .ControlType = TranTelControls,
     .PrimaryKey = "TelcomCode;TelComSerialNum", .Indexes = TranTelIndexes},
    {.FileName = "TrnInc1a.DB", .Component = "TblTranIncome", .DataSource = "DsTranIncome", .DataModule = "ADm1",
     .Fields = TranIncomeFields, .IndexName = "ByTransactionDate", .PictureMasks = CardNameMasks,
     .ControlType = TranIncomeControls, .PrimaryKey = "IncomeTranSerialNum", .Indexes = TranIncomeIndexes},
    {.FileName = "TrnExp1a.DB", .Component = "TblTranExpense", .DataSource = "DsTranExpense", .DataModule = "ADm1",
     .Fields = TranExpenseFields, .IndexName = "ByTransactionDate", .PictureMasks = CardNameMasks,
     .ControlType = TranExpenseControls, .PrimaryKey = "ExpenseTranSerialNum", .Indexes = TranExpenseIndexes},
    {.FileName = "TrnLon1a.DB", .Component = "TblTrnLoan1A", .DataSource = "DsTrnLoan1A", .DataModule = "ADm1",
     .Fields = LoanFields, .PictureMasks = CardNameMasks, .PrimaryKey = "LoanCode"},
    {.FileName = "TrnLon1b.DB", .Component = "TblTrnLoan1B", .DataSource = "DsTrnLoan1B", .DataModule = "ADm1",
     .Fields = LoanLineFields, .IndexFieldNames = "LoanCode", .MasterSource = "DsTrnLoan1A",
     .MasterFields = "LoanCode", .PictureMasks = CardNameMasks, .PrimaryKey = "LoanCode;LoanTranSerialNum"},
    {.FileName = "TrnRec1a.DB", .Component = "TblTrnRec1A", .DataSource = "DsTrnRec1A", .DataModule = "ADm1",
     .Fields = RecurFields, .PictureMasks = CardNameMasks, .PrimaryKey = "RecurCode"},
    {.FileName = "TrnRec1b.DB", .Component = "TblTrnRec1B", .DataSource = "DsTrnRec1B", .DataModule = "ADm1",
     .Fields = RecurLineFields, .IndexFieldNames = "RecurCode", .MasterSource = "DsTrnRec1A",
     .MasterFields = "RecurCode", .PictureMasks = CardNameMasks, .PrimaryKey = "RecurCode;RecurTranSerialNum"},
};

}  // namespace

std::span<const TCatalogueTable> Adm1CatalogueTables() { return Tables; }

std::span<const TCatalogueField> BankAccountStoredFields() {
    return std::span<const TCatalogueField>(BankAccountFields).subspan(BankAccountLookupCount);
}
