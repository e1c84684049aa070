// A user's day with the accounts data layer, without its windows: the
// reference rows, three months of transactions, the report page's rebuild and
// a bank report, the close of January, and a deletion afterwards. Every step a
// user takes goes through the data modules' own tables and their rules; only
// the checks read the database directly. Each case replays the stages before
// it on a fresh database and then checks its own.
#include "tests/data/summaries_fixture.h"
#include "data/posted_period_guard.h"
#include "dataset/ww_table.h"
#include "platform/db/field.h"
#include "platform/rtl/string_list.h"

namespace {

const QString Posted = "Editing of this Record is not allowed since it has been posted\r";

class AccountsFlow : public SummariesTest {
protected:
    void SetUp() override {
        SummariesTest::SetUp();
        // The day starts where a fresh database starts: with the close date
        // its configuration row was given, nothing closed yet.
        adm1->CurrentCloseDate = adm1->TblConfig->FieldByName("CloseDate")->AsDateTime();
    }

    // ---- What the user does.

    // Adds a row through the table, as the reference window does, and
    // returns the code the table gave it.
    QString Add(TwwTable* table, const char* codeField, TValues values) {
        table->Append();
        for (const auto& [name, value] : values)
            Set(table, name, value);
        table->Post();
        return Str(table, codeField);
    }

    void EnterReferences() {
        Add(adm1->TblCurrency, "CurrencyCode", {{"CurrencyShortName", "EUR"}, {"CurrencyName", "Euro"}});
        Add(adm1->TblBanks, "BankCode", {{"BankDesc", "First Bank"}});
        Add(adm1->TblCard, "CardCode", {{"CardName", "Visa Gold"}});
        Add(adm1->TblCard, "CardCode", {{"CardName", "Debit Card"}});
        Add(adm1->TblBankAccounts, "BankAccountCode",
            {{"AccountName", "Current"}, {"AccountNumber", "12-345"}, {"BankCode", "1"},
             {"CardCode", "0000000001"}, {"CurrencyCode", "001"}});
        Add(adm1->TblBankAccounts, "BankAccountCode",
            {{"AccountName", "Savings"}, {"AccountNumber", "12-346"}, {"BankCode", "1"},
             {"CardCode", "0000000002"}, {"CurrencyCode", "001"}});
        for (const char* item : {"Salary", "Rent", "Groceries"})
            Add(adm1->TblBankItems, "BankItemCode", {{"BankItemDesc", item}});
        for (const char* income : {"Wages", "Interest"})
            Add(adm1->TblIncome, "IncomeCode", {{"IncomeDescription", income}});
        for (const char* expense : {"Food", "Transport"})
            Add(adm1->TblExpense, "ExpenseCode", {{"ExpenseDescription", expense}});
        Add(adm1->TblTelCom, "TelcomCode", {{"TelcomDesc", "Mobile"}});
        for (const char* item : {"Calls", "Data"})
            Add(adm1->TblTelItems, "TelItemCode", {{"TelItemDesc", item}});
    }

    // Chooses a bank account; the bank page shows its transactions.
    TwwTable* BankPage(const char* account) {
        EXPECT_TRUE(adm1->TblBankAccounts->Locate("AccountName", account));
        adm1->TblTranBank1->Open();
        return adm1->TblTranBank1;
    }

    // Begins a row dated as given, with its item and the amounts typed in the
    // order given.
    static void Begin(TwwTable* table, QDate date, const char* itemField, const char* item, TValues typed) {
        table->Append();
        Set(table, "TransactionDate", date);
        Set(table, itemField, item);
        for (const auto& [name, value] : typed)
            Set(table, name, value);
    }

    // Posts a bank transaction of the account chosen; returns its serial.
    QString Bank(QDate date, const char* item, TValues typed) {
        TwwTable* bank = adm1->TblTranBank1;
        Begin(bank, date, "BankItemCode", item, typed);
        bank->Post();
        return Str(bank, "BankTranSerialNum");
    }
    QString Debit(QDate date, const char* item, double amount) { return Bank(date, item, {{"DebitAmount", amount}}); }
    QString Credit(QDate date, const char* item, double amount) { return Bank(date, item, {{"CreditAmount", amount}}); }

    QString Call(QDate date, const char* item, double amount) {
        EXPECT_TRUE(adm1->TblTelCom->Locate("TelcomDesc", "Mobile"));
        TwwTable* tel = adm1->TblTranTel1;
        tel->Open();
        Begin(tel, date, "TelItemCode", item, {{"Amount", amount}});
        tel->Post();
        return Str(tel, "TelComSerialNum");
    }
    QString Earn(QDate date, const char* income, double amount) {
        Begin(adm1->TblTranIncome, date, "IncomeCode", income, {{"IncomeAmount", amount}});
        adm1->TblTranIncome->Post();
        return Str(adm1->TblTranIncome, "IncomeTranSerialNum");
    }
    QString Spend(QDate date, const char* expense, double amount) {
        Begin(adm1->TblTranExpense, date, "ExpenseCode", expense, {{"ExpenseAmount", amount}});
        adm1->TblTranExpense->Post();
        return Str(adm1->TblTranExpense, "ExpenseTranSerialNum");
    }

    // January to March 2026. The serials each row got are collected in
    // order of entry.
    QStringList EnterThreeMonths() {
        QStringList serials;
        BankPage("Current");
        serials << Credit(Day(2026, 1, 5), "001", 2500);
        // Typed into the credit column first, then corrected into the debit.
        serials << Bank(Day(2026, 1, 10), "002", {{"CreditAmount", 950.0}, {"DebitAmount", 950.0}});
        serials << Debit(Day(2026, 1, 25), "003", 85.10);
        serials << Credit(Day(2026, 2, 5), "001", 2500);
        serials << Debit(Day(2026, 2, 10), "002", 950);
        serials << Debit(Day(2026, 2, 20), "003", 120.35);
        BankPage("Savings");
        serials << Credit(Day(2026, 2, 15), "001", 400);
        BankPage("Current");
        // Typed into the debit column first, then corrected into the credit.
        serials << Bank(Day(2026, 3, 5), "001", {{"DebitAmount", 2612.40}, {"CreditAmount", 2612.40}});
        serials << Debit(Day(2026, 3, 10), "002", 975.50);
        serials << Debit(Day(2026, 3, 12), "003", 64.99);

        serials << Earn(Day(2026, 1, 31), "00001", 3100) << Earn(Day(2026, 2, 27), "00001", 3100)
                << Earn(Day(2026, 3, 13), "00002", 12.34);
        serials << Spend(Day(2026, 1, 15), "00001", 45.67) << Spend(Day(2026, 2, 3), "00002", 30)
                << Spend(Day(2026, 3, 2), "00001", 52.18);
        serials << Call(Day(2026, 1, 20), "001", 19.99) << Call(Day(2026, 1, 20), "002", 10)
                << Call(Day(2026, 2, 20), "001", 21.50) << Call(Day(2026, 3, 11), "002", 10);
        return serials;
    }

    // The report page: the summaries of the open period rebuilt, the year
    // range read again and the summaries marked up to date.
    void OpenReportPage() {
        RebuildOpenPeriod();
        adm1->LoadYearRange();
        adm1->SetDataUpdated(false);
    }

    // Report 0: the bank accounts by item, month by month.
    void BuildBankReport() {
        adm3->BuildCrossTab(2, "MTHBNK1A", "TempBnk1", "BankAccountCode", "BankItemCode", "TotalAmount", 1, 2);
    }

    // The close-period dialog's confirmation: the summaries of the months
    // being closed are rebuilt from their transactions, then the new close
    // date is stored and put in force. The rows the rebuild removes first are
    // those of the period still open, all stamped with the old close date;
    // the rows of periods closed earlier keep an older stamp and stay.
    void ClosePeriod(int year, int month, int day) {
        const QString oldClose = Quoted(DateTimeToQDate(adm1->CurrentCloseDate));
        const QDate newClose = Day(year, month, day);
        // One blank after the old date and one before "and".
        adm3->RebuildSummaries("where TransactionDate > " + oldClose + " " + " and TransactionDate <= " +
                                   Quoted(newClose),
                               "where Closedate = " + oldClose);
        adm1->TblConfig->Edit();
        Set(adm1->TblConfig, "CloseDate", newClose);
        adm1->CurrentCloseDate = At(year, month, day);
        adm1->TblConfig->Post();
    }

    // Locates the bank row of the account chosen by its serial.
    TwwTable* BankRow(const char* serial) {
        EXPECT_TRUE(adm1->TblTranBank1->Locate("BankTranSerialNum", serial));
        return adm1->TblTranBank1;
    }

    // ---- What the checks read.

    static QString Quoted(QDate date) { return QStringLiteral("\"%1\"").arg(date.toString("MM/dd/yyyy")); }

    QStringList BankSummary() { return Cents(BankSummarySql); }
    QStringList Chart() { return Cents(ChartSql); }
    QStringList Bills() { return Cents(BillsSql); }
    QStringList BankReport() {
        return Cents("select KeyField1, KeyField2, KeyField1Desc, KeyField2Desc, col0, col1, col2, Total1 "
                     "from TempBnk1 order by KeyField1, KeyField2");
    }
    QStringList ColumnsOf(const QString& table) {
        QStringList names;
        for (const TColumnDesc& column : Db().DescribeTable(table).Columns)
            names << column.Name;
        return names;
    }
};

TEST_F(AccountsFlow, ReferenceRowsGetTheirCodesFromTheirTables) {
    EXPECT_EQ(DateTimeToQDate(adm1->CurrentCloseDate), Day(1900, 1, 1));
    EnterReferences();

    EXPECT_EQ(Cents("select CurrencyCode, CurrencyShortName, CurrencyName from PCurncy"),
              QStringList({"001|EUR|Euro"}));
    EXPECT_EQ(Cents("select BankCode, BankDesc from Pbanks"), QStringList({"1|First Bank"}));
    // A new card starts as a credit card.
    EXPECT_EQ(Cents("select CardCode, CardName, CardType from PCCards order by CardCode"),
              QStringList({"0000000001|Visa Gold|C", "0000000002|Debit Card|C"}));
    EXPECT_EQ(Cents("select BankAccountCode, AccountName, BankCode, CardCode, CurrencyCode from BankAcnt "
                    "order by BankAccountCode"),
              QStringList({"0000000001|Current|1|0000000001|001", "0000000002|Savings|1|0000000002|001"}));
    EXPECT_EQ(Cents("select BankItemCode, BankItemDesc from BankItm order by BankItemCode"),
              QStringList({"001|Salary", "002|Rent", "003|Groceries"}));
    EXPECT_EQ(Cents("select IncomeCode, IncomeDescription from PIncome order by IncomeCode"),
              QStringList({"00001|Wages", "00002|Interest"}));
    EXPECT_EQ(Cents("select ExpenseCode, ExpenseDescription from PExpense order by ExpenseCode"),
              QStringList({"00001|Food", "00002|Transport"}));
    EXPECT_EQ(Cents("select TelcomCode, TelcomDesc from PTelcom"), QStringList({"001|Mobile"}));
    EXPECT_EQ(Cents("select TelItemCode, TelItemDesc from PTelItm order by TelItemCode"),
              QStringList({"001|Calls", "002|Data"}));
    // The bank account shows its bank's and card's names.
    ASSERT_TRUE(adm1->TblBankAccounts->Locate("AccountName", "Savings"));
    EXPECT_EQ(Str(adm1->TblBankAccounts, "CalcBankName"), "First Bank");
    EXPECT_EQ(Str(adm1->TblBankAccounts, "CalcCardName"), "Debit Card");
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(AccountsFlow, ThreeMonthsOfTransactionsGetTheirSerials) {
    EnterReferences();
    ClearDataUpdated();

    const QStringList serials = EnterThreeMonths();

    // Bank serials count within their account, the others over their
    // table or, for calls, within the communication account.
    EXPECT_EQ(serials, QStringList({"0000000001", "0000000002", "0000000003", "0000000004", "0000000005",
                                    "0000000006", "0000000001", "0000000007", "0000000008", "0000000009",
                                    "0000000001", "0000000002", "0000000003", "0000000001", "0000000002",
                                    "0000000003", "0000000001", "0000000002", "0000000003", "0000000004"}));
    // A row is a debit or a credit: the amount typed last clears the other.
    EXPECT_EQ(Cents("select BankAccountCode, BankTranSerialNum, TransactionDate, BankItemCode, DebitAmount, "
                    "CreditAmount from TrnBnk1a order by BankAccountCode, BankTranSerialNum"),
              QStringList({"0000000001|0000000001|2026-01-05|001|0.00|2500.00",
                           "0000000001|0000000002|2026-01-10|002|950.00|0.00",
                           "0000000001|0000000003|2026-01-25|003|85.10|0.00",
                           "0000000001|0000000004|2026-02-05|001|0.00|2500.00",
                           "0000000001|0000000005|2026-02-10|002|950.00|0.00",
                           "0000000001|0000000006|2026-02-20|003|120.35|0.00",
                           "0000000001|0000000007|2026-03-05|001|0.00|2612.40",
                           "0000000001|0000000008|2026-03-10|002|975.50|0.00",
                           "0000000001|0000000009|2026-03-12|003|64.99|0.00",
                           "0000000002|0000000001|2026-02-15|001|0.00|400.00"}));
    EXPECT_EQ(Cents("select TelcomCode, TelComSerialNum, TelItemCode, Amount from TrnTel1a "
                    "order by TelComSerialNum"),
              QStringList({"001|0000000001|001|19.99", "001|0000000002|002|10.00", "001|0000000003|001|21.50",
                           "001|0000000004|002|10.00"}));
    EXPECT_EQ(Count("TrnInc1a"), 3);
    EXPECT_EQ(Count("TrnExp1a"), 3);
    // The bank page of the current account shows its own nine rows only.
    BankPage("Current");
    EXPECT_EQ(adm1->TblTranBank1->RecordCount(), 9);
    EXPECT_EQ(Str(BankRow("0000000003"), "CalcBankItemDescription"), "Groceries");
    // The main window learns that the summaries are out of date.
    EXPECT_TRUE(DataUpdated());
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(AccountsFlow, TheReportPageRebuildsSummariesChartAndBills) {
    EnterReferences();
    EnterThreeMonths();

    OpenReportPage();

    EXPECT_EQ(BankSummary(), QStringList({"0000000001|001|2026|1|0.00|2500.00|2500.00|1900-01-01",
                                          "0000000001|001|2026|2|0.00|2500.00|2500.00|1900-01-01",
                                          "0000000001|001|2026|3|0.00|2612.40|2612.40|1900-01-01",
                                          "0000000001|002|2026|1|950.00|0.00|-950.00|1900-01-01",
                                          "0000000001|002|2026|2|950.00|0.00|-950.00|1900-01-01",
                                          "0000000001|002|2026|3|975.50|0.00|-975.50|1900-01-01",
                                          "0000000001|003|2026|1|85.10|0.00|-85.10|1900-01-01",
                                          "0000000001|003|2026|2|120.35|0.00|-120.35|1900-01-01",
                                          "0000000001|003|2026|3|64.99|0.00|-64.99|1900-01-01",
                                          "0000000002|001|2026|2|0.00|400.00|400.00|1900-01-01"}));
    // Month: income, expense, communications, net bank inflow and its running sum.
    EXPECT_EQ(Chart(), QStringList({"2026|1|3100.00|45.67|29.99|1464.90|1464.90|1900-01-01",
                                    "2026|2|3100.00|30.00|21.50|1829.65|3294.55|1900-01-01",
                                    "2026|3|12.34|52.18|10.00|1571.91|4866.46|1900-01-01"}));
    // One bill per account and month, over both items, nothing paid yet.
    EXPECT_EQ(Bills(), QStringList({"001|2026|1|29.99||false|1900-01-01", "001|2026|2|21.50||false|1900-01-01",
                                    "001|2026|3|10.00||false|1900-01-01"}));
    EXPECT_EQ(adm1->FirstDataYear, 2026);
    EXPECT_EQ(adm1->LastDataYear, 2026);
    EXPECT_FALSE(DataUpdated());

    // Nothing changed: the page shows the same numbers the next time.
    OpenReportPage();
    EXPECT_EQ(Chart()[2], "2026|3|12.34|52.18|10.00|1571.91|4866.46|1900-01-01");
    EXPECT_EQ(Count("MthBnk1a"), 10);
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(AccountsFlow, TheBankReportAddsUpToTheCent) {
    EnterReferences();
    EnterThreeMonths();
    OpenReportPage();

    BuildBankReport();

    EXPECT_EQ(ColumnsOf("TempBnk1"), QStringList({"KeyField1", "KeyField2", "KeyField1Desc", "KeyField2Desc",
                                                  "col0", "col1", "col2", "Total1"}));
    EXPECT_EQ(adm1->ColumnCaptions->ToQStringList(), QStringList({"Jan-2026", "Feb-2026", "Mar-2026"}));
    EXPECT_EQ(adm1->PeriodKeys->ToQStringList(), QStringList({"20261", "20262", "20263"}));
    EXPECT_EQ(adm1->LastPeriodIndex, 2);
    EXPECT_EQ(BankReport(), QStringList({"0000000001|001|Current|Salary|2500.00|2500.00|2612.40|7612.40",
                                         "0000000001|002|Current|Rent|-950.00|-950.00|-975.50|-2875.50",
                                         "0000000001|003|Current|Groceries|-85.10|-120.35|-64.99|-270.44",
                                         "0000000002|001|Savings|Salary|0.00|400.00|0.00|400.00",
                                         "999999999|999|GRAND TOTAL||1464.90|1829.65|1571.91|4866.46"}));
    // The grand total of each month is the chart's bank balance of that month.
    EXPECT_EQ(Cents("select BankBalance from TeeData1 order by PeriodMonth"),
              QStringList({"1464.90", "1829.65", "1571.91"}));
    EXPECT_EQ(adm3->TblProc->TableName(), "TempBnk1");
    EXPECT_EQ(adm3->TblProc->RecordCount(), 5);

    // The expense report, one row per expense.
    adm3->BuildCrossTab(1, "MTHEXP1A", "TempExp1", "ExpenseCode", "ExpenseCode", "TotalAmount", 6, 6);
    EXPECT_EQ(Cents("select KeyField1, KeyField2, KeyField1Desc, col0, col1, col2, Total1 from TempExp1 "
                    "order by KeyField1"),
              QStringList({"00001|xxx|Food|45.67|0.00|52.18|97.85", "00002|xxx|Transport|0.00|30.00|0.00|30.00",
                           "999999999|999|GRAND TOTAL|45.67|30.00|52.18|127.85"}));

    // With the filter on February and March only those months are columns.
    adm1->FilterActive = true;
    Set(adm1->TblOptions, "FromDate", Day(2026, 2, 1));
    Set(adm1->TblOptions, "ToDate", Day(2026, 3, 31));
    BuildBankReport();
    EXPECT_EQ(adm1->ColumnCaptions->ToQStringList(), QStringList({"Feb-2026", "Mar-2026"}));
    EXPECT_EQ(Cents("select KeyField1Desc, col0, col1, Total1 from TempBnk1 where KeyField1 = '999999999'"),
              QStringList({"GRAND TOTAL|1829.65|1571.91|3401.56"}));
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(AccountsFlow, ClosingJanuaryLocksItsRowsAndKeepsItsSummaries) {
    EnterReferences();
    EnterThreeMonths();
    OpenReportPage();
    const QStringList chartBefore = Chart();

    ClosePeriod(2026, 1, 31);

    EXPECT_EQ(Read("select CloseDate from PConfig1").toDate(), Day(2026, 1, 31));
    // January's summaries were rebuilt and keep the stamp of the period they
    // were closed from; the next rebuild of the report page spares them.
    EXPECT_EQ(Cents("select PeriodMonth, CloseDate from TeeData1"), QStringList({"1|1900-01-01"}));
    OpenReportPage();
    EXPECT_EQ(Cents("select PeriodMonth, TotalAmount, CloseDate from MthBnk1a where BankItemCode = '003' "
                    "order by PeriodMonth"),
              QStringList({"1|-85.10|1900-01-01", "2|-120.35|2026-01-31", "3|-64.99|2026-01-31"}));
    QStringList chartAfter = chartBefore;
    chartAfter[1].replace("1900-01-01", "2026-01-31");
    chartAfter[2].replace("1900-01-01", "2026-01-31");
    EXPECT_EQ(Chart(), chartAfter);
    presenter.shown.clear();

    // A January row can be neither changed nor removed, on the close date too.
    TwwTable* bank = BankPage("Current");
    EXPECT_THROW(BankRow("0000000003")->Edit(), EAbort);
    EXPECT_THROW(BankRow("0000000003")->Delete(), EAbort);
    EXPECT_EQ(bank->State(), dsBrowse);
    ASSERT_TRUE(adm1->TblTranIncome->Locate("TransactionDate", Day(2026, 1, 31)));
    EXPECT_THROW(adm1->TblTranIncome->Edit(), EAbort);
    EXPECT_EQ(Shown(), QStringList({Posted, Posted, Posted}));

    // Nor can a row be posted into January; the row stays for correction.
    Begin(bank, Day(2026, 1, 31), "BankItemCode", "003", {{"DebitAmount", 5.0}});
    EXPECT_THROW(bank->Post(), EAbort);
    EXPECT_EQ(bank->State(), dsInsert);
    EXPECT_EQ(Shown(), QStringList({"Sorry, Only dates falling after 31, Jan, 2026  will be accepted.\r"}));
    // A February date goes in.
    Set(bank, "TransactionDate", Day(2026, 2, 1));
    bank->Post();
    EXPECT_EQ(Str(bank, "BankTranSerialNum"), "0000000010");

    // February's rows stay open to correction, though not into January.
    BankRow("0000000005")->Edit();
    Set(bank, "TransactionDate", Day(2026, 1, 15));
    EXPECT_THROW(bank->Post(), EAbort);
    EXPECT_EQ(Shown(), QStringList({"Sorry, Only dates falling after 31, Jan, 2026  will be accepted.\r"}));
    Set(bank, "TransactionDate", Day(2026, 2, 10));
    Set(bank, "DebitAmount", 955.25);
    bank->Post();
    EXPECT_EQ(Read("select DebitAmount from TrnBnk1a where BankAccountCode = '0000000001' "
                   "and BankTranSerialNum = '0000000005'").toDouble(), 955.25);
    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_EQ(Count("TrnBnk1a"), 11);
}

TEST_F(AccountsFlow, ADeletedTransactionLeavesTheNextReport) {
    EnterReferences();
    EnterThreeMonths();
    OpenReportPage();
    ClosePeriod(2026, 1, 31);
    OpenReportPage();
    presenter.shown.clear();

    // The March groceries go, after the question.
    BankPage("Current");
    presenter.Answer(mrYes);
    BankRow("0000000009")->Delete();
    EXPECT_EQ(Shown(), QStringList({"Delete Item \"Groceries\" For Date \"03/12/2026\""}));
    EXPECT_EQ(Count("TrnBnk1a"), 9);
    EXPECT_TRUE(DataUpdated());

    OpenReportPage();
    BuildBankReport();

    // March has no groceries any more; January, closed, is as it was.
    EXPECT_EQ(BankReport(), QStringList({"0000000001|001|Current|Salary|2500.00|2500.00|2612.40|7612.40",
                                         "0000000001|002|Current|Rent|-950.00|-950.00|-975.50|-2875.50",
                                         "0000000001|003|Current|Groceries|-85.10|-120.35|0.00|-205.45",
                                         "0000000002|001|Savings|Salary|0.00|400.00|0.00|400.00",
                                         "999999999|999|GRAND TOTAL||1464.90|1829.65|1636.90|4931.45"}));
    EXPECT_EQ(Cents("select count(*) from MthBnk1a where BankItemCode = '003' and PeriodMonth = 3"),
              QStringList({"0"}));
    EXPECT_EQ(Chart(), QStringList({"2026|1|3100.00|45.67|29.99|1464.90|1464.90|1900-01-01",
                                    "2026|2|3100.00|30.00|21.50|1829.65|3294.55|2026-01-31",
                                    "2026|3|12.34|52.18|10.00|1636.90|4931.45|2026-01-31"}));
    EXPECT_TRUE(presenter.shown.empty());
}

}  // namespace

