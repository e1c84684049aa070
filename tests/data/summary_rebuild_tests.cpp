// The monthly summaries, bills and chart rows as the rebuild adds them up from
// the transactions, what the main window's clauses leave alone, and a failed
// rebuild that leaves everything as it was.
#include "tests/data/summaries_fixture.h"
#include "data/summary_rebuild.h"
#include "data/table_catalogue.h"
#include "platform/engine/engine_session.h"
#include "dataset/ww_table.h"
#include <QDir>
#include <QFile>
#include <limits>

namespace {

class SummaryRebuild : public SummariesTest {
protected:
    QStringList BankRows() { return Rows(BankSummarySql); }
    QStringList ChartRows() { return Rows(ChartSql); }
    QStringList BillRows() { return Rows(BillsSql); }
};

TEST_F(SummaryRebuild, SumsEachKeyAndMonthAndStampsTheCloseDate) {
    Bank("ACC1", "I1", Day(2026, 1, 5), 100, 0);
    Bank("ACC1", "I1", Day(2026, 1, 20), 0, 30);
    Bank("ACC1", "I2", Day(2026, 1, 21), 10, 0);
    Bank("ACC1", "I1", Day(2026, 2, 1), 0, 50);
    Bank("ACC1", "I1", Day(2025, 12, 31), 999, 0);   // closed: not added up
    Income("IN1", Day(2026, 1, 3), 1000);
    Income("IN1", Day(2026, 1, 4), 250.25);
    Expense("EX1", Day(2026, 2, 3), 80.1);
    Expense("EX1", Day(2026, 2, 4), 19.9);

    RebuildOpenPeriod();

    EXPECT_EQ(BankRows(), QStringList({"ACC1|I1|2026|1|100|30|-70|2025-12-31", "ACC1|I1|2026|2|0|50|50|2025-12-31",
                                       "ACC1|I2|2026|1|10|0|-10|2025-12-31"}));
    EXPECT_EQ(Rows("select IncomeCode, PeriodYear, PeriodMonth, TotalAmount, CloseDate from MthInc1a"),
              QStringList({"IN1|2026|1|1250.25|2025-12-31"}));
    EXPECT_EQ(Rows("select ExpenseCode, PeriodYear, PeriodMonth, TotalAmount from MthExp1a"),
              QStringList({"EX1|2026|2|100"}));
    // Bank balance is the month's net inflow; the running balance carries it on.
    EXPECT_EQ(ChartRows(), QStringList({"2026|1|1250.25|0|0|-80|-80|2025-12-31",
                                        "2026|2|0|100|0|50|-30|2025-12-31"}));
    // Five steps on the bar, left full; the hourglass off again, no box shown.
    EXPECT_EQ(presenter.progressMax, 5);
    EXPECT_EQ(presenter.progressPositions, std::vector<int>({1, 2, 3, 4, 5}));
    EXPECT_FALSE(presenter.hourglass);
    EXPECT_TRUE(presenter.shown.empty());
    // The tables stay open and show the new rows.
    EXPECT_TRUE(adm3->TblRepBank1->Active());
    EXPECT_EQ(adm3->TblRepBank1->RecordCount(), 3);
    EXPECT_EQ(adm3->TblChart1->RecordCount(), 2);
}

TEST_F(SummaryRebuild, WritesTheBankDeleteBesideTheDatabase) {
    RebuildOpenPeriod();
    QFile file(dir.File("temp1.sql"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Delete from MTHBNK1A\r\nwhere Closedate = \"12/31/2025\"\r\n"));
}

TEST_F(SummaryRebuild, AFileThatCannotBeWrittenDoesNotStopTheRebuild) {
    ASSERT_TRUE(QDir(dir.Path()).mkdir("temp1.sql"));
    Bank("ACC1", "I1", Day(2026, 1, 5), 100, 0);
    RebuildOpenPeriod();
    EXPECT_EQ(BankRows(), QStringList({"ACC1|I1|2026|1|100|0|-100|2025-12-31"}));
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(SummaryRebuild, ClosedPeriodRowsAreLeftAloneAndTheRunningBalanceRunsOverThem) {
    // Rows of a period closed earlier, stamped with that close date.
    Put("MthBnk1a", {{"BankAccountCode", "ACC1"}, {"BankItemCode", "I1"}, {"PeriodYear", 2025}, {"PeriodMonth", 11},
                     {"DebitAmount", 0.0}, {"CreditAmount", 500.0}, {"TotalAmount", 500.0},
                     {"CloseDate", Day(2025, 11, 30)}});
    Put("TeeData1", {{"PeriodYear", 2025}, {"PeriodMonth", 11}, {"Income", 0.0}, {"Expense", 0.0},
                     {"Communications", 0.0}, {"BankBalance", 500.0}, {"RunningBankBalance", 0.0},
                     {"CloseDate", Day(2025, 11, 30)}});
    Bank("ACC1", "I1", Day(2025, 11, 10), 0, 7777);   // its transaction is not read again
    Bank("ACC1", "I1", Day(2026, 1, 5), 100, 0);

    RebuildOpenPeriod();
    RebuildOpenPeriod();   // a second run changes nothing

    EXPECT_EQ(BankRows(), QStringList({"ACC1|I1|2025|11|0|500|500|2025-11-30", "ACC1|I1|2026|1|100|0|-100|2025-12-31"}));
    EXPECT_EQ(ChartRows(), QStringList({"2025|11|0|0|0|500|500|2025-11-30", "2026|1|0|0|0|-100|400|2025-12-31"}));
}

TEST_F(SummaryRebuild, ARowTheTargetSparesIsCountedAfreshNotAddedOnto) {
    // A spared row of a month the source reads again: it holds exactly the
    // sums of this run however often the run is repeated.
    Put("MthInc1a", {{"IncomeCode", "IN1"}, {"PeriodYear", 2026}, {"PeriodMonth", 1}, {"TotalAmount", 40.0},
                     {"CloseDate", Day(2025, 6, 30)}});
    Put("TeeData1", {{"PeriodYear", 2026}, {"PeriodMonth", 1}, {"Income", 40.0}, {"Expense", 0.0},
                     {"Communications", 0.0}, {"BankBalance", 0.0}, {"RunningBankBalance", 0.0},
                     {"CloseDate", Day(2025, 6, 30)}});
    Income("IN1", Day(2026, 1, 9), 25);
    const QString source = "where TransactionDate > " + Quoted(2025, 12, 31);
    const QString target = "where Closedate = " + Quoted(2025, 12, 31);

    for (int run = 0; run < 2; ++run) {
        adm3->RebuildSummaries(source, target);
        EXPECT_EQ(Rows("select TotalAmount, CloseDate from MthInc1a"), QStringList({"25|2025-12-31"}));
        EXPECT_EQ(ChartRows(), QStringList({"2026|1|25|0|0|0|0|2025-12-31"}));
    }
}

// The clauses add a month's transactions up in the order they were entered,
// as a rebuild without clauses does, not newest first along a date index: the
// two give the same sums to the last bit (0.1 + 0.2 + 0.3, not 0.3 + 0.2 + 0.1).
TEST_F(SummaryRebuild, TheClausesAddAMonthUpInTheOrderItsTransactionsWereEntered) {
    Income("IN1", Day(2026, 1, 10), 0.1);
    Income("IN1", Day(2026, 1, 20), 0.2);
    Income("IN1", Day(2026, 1, 30), 0.3);
    const char* sum = "select TotalAmount from MthInc1a";
    adm3->RebuildSummaries("", "");
    ASSERT_EQ(Rows(sum), QStringList({"0.6000000000000001"}));

    RebuildOpenPeriod();
    EXPECT_EQ(Rows(sum), QStringList({"0.6000000000000001"}));
}

// A run after a post adds up the changed month again in the order its
// transactions were entered, not in date order: the same sum as a run over
// all transactions, to the last bit.
TEST_F(SummaryRebuild, ARunAfterAPostAddsTheChangedMonthUpInTheOrderItsTransactionsWereEntered) {
    Income("IN1", Day(2026, 1, 30), 0.1);
    Income("IN1", Day(2026, 1, 20), 0.2);
    Income("IN1", Day(2026, 1, 10), 0.3);
    const char* sum = "select TotalAmount from MthInc1a";
    RebuildOpenPeriod();
    ASSERT_EQ(Rows(sum), QStringList({"0.6000000000000001"}));

    Db().Execute("update TrnInc1a set IncomeAmount = 0.3 where TransactionDate = ?", {Day(2026, 1, 10)});
    RebuildOpenPeriod();
    EXPECT_EQ(Rows(sum), QStringList({"0.6000000000000001"}));
}

TEST_F(SummaryRebuild, BillsSumTheAccountsItemsKeepPaidAmountsAndGoWithTheirMonth) {
    Tel("T1", "C1", Day(2026, 1, 5), 30);
    Tel("T1", "C2", Day(2026, 1, 6), 20);
    Tel("T1", "C1", Day(2026, 2, 6), 15);
    Tel("T2", "C1", Day(2026, 1, 7), 5);
    RebuildOpenPeriod();
    EXPECT_EQ(BillRows(), QStringList({"T1|2026|1|50||false|2025-12-31", "T1|2026|2|15||false|2025-12-31",
                                       "T2|2026|1|5||false|2025-12-31"}));
    EXPECT_EQ(Rows("select Communications from TeeData1 order by PeriodYear, PeriodMonth"),
              QStringList({"55", "15"}));

    // The user pays two bills; then February's only call is removed.
    Db().Execute("update MthTel2a set PaidAmount = 45 where TelcomCode = 'T1' and PeriodMonth = 1");
    Db().Execute("update MthTel2a set PaidAmount = 15 where TelcomCode = 'T1' and PeriodMonth = 2");
    Db().Execute("delete from TrnTel1a where TransactionDate = ?", {Day(2026, 2, 6)});
    Tel("T1", "C2", Day(2026, 1, 25), 2.5);
    RebuildOpenPeriod();

    EXPECT_EQ(BillRows(), QStringList({"T1|2026|1|52.5|45|false|2025-12-31", "T2|2026|1|5||false|2025-12-31"}));
}

TEST_F(SummaryRebuild, ABillAddsItsItemsInItemOrder) {
    // The items' months are added onto the bill in the order of the items,
    // whatever order their calls were entered in: the bill is then exactly
    // the sum the payments dialog compares the payment with.
    Tel("T1", "C3", Day(2026, 1, 5), 0.1);
    Tel("T1", "C2", Day(2026, 1, 6), 0.2);
    Tel("T1", "C1", Day(2026, 1, 7), 0.3);
    RebuildOpenPeriod();
    EXPECT_EQ(Read("select TotalAmount from MthTel2a").toDouble(), 0.3 + 0.2 + 0.1);
}

TEST_F(SummaryRebuild, ABillTheTargetSparesIsCountedAfreshAndKeepsItsPayment) {
    Put("MthTel2a", {{"TelcomCode", "T1"}, {"PeriodYear", 2026}, {"PeriodMonth", 1}, {"TotalAmount", 90.0},
                     {"PaidAmount", 60.0}, {"OldFlag", false}, {"CloseDate", Day(2025, 6, 30)}});
    Tel("T1", "C1", Day(2026, 1, 5), 30);
    for (int run = 0; run < 2; ++run) {
        RebuildOpenPeriod();
        EXPECT_EQ(BillRows(), QStringList({"T1|2026|1|30|60|false|2025-12-31"}));
    }
}

TEST_F(SummaryRebuild, AnEmptyTargetRebuildsEverythingFromTheSourceAlone) {
    Put("MthExp1a", {{"ExpenseCode", "OLD"}, {"PeriodYear", 2020}, {"PeriodMonth", 1}, {"TotalAmount", 1.0},
                     {"CloseDate", Day(2019, 12, 31)}});
    Put("TeeData1", {{"PeriodYear", 2020}, {"PeriodMonth", 1}, {"Expense", 1.0}, {"CloseDate", Day(2019, 12, 31)}});
    Expense("EX1", Day(2024, 3, 3), 12);
    Expense("EX1", Day(2026, 3, 3), 8);
    adm3->RebuildSummaries("", "");
    EXPECT_EQ(Rows("select ExpenseCode, PeriodYear, TotalAmount from MthExp1a order by PeriodYear"),
              QStringList({"EX1|2024|12", "EX1|2026|8"}));
    EXPECT_EQ(Rows("select PeriodYear, Expense from TeeData1 order by PeriodYear"),
              QStringList({"2024|12", "2026|8"}));
}

TEST_F(SummaryRebuild, SummaryRowsWithoutAYearAddNothingToTheChart) {
    Put("MthInc1a", {{"IncomeCode", "IN1"}, {"PeriodMonth", 3}, {"TotalAmount", 70.0}, {"CloseDate", Day(2025, 12, 31)}});
    Put("MthInc1a", {{"IncomeCode", "IN2"}, {"PeriodYear", 0}, {"PeriodMonth", 4}, {"TotalAmount", 80.0},
                     {"CloseDate", Day(2025, 12, 31)}});
    Income("IN3", Day(2026, 2, 1), 5);
    RebuildOpenPeriod();
    EXPECT_EQ(Rows("select PeriodYear, PeriodMonth, Income from TeeData1"), QStringList({"2026|2|5"}));
}

TEST_F(SummaryRebuild, RunningBalanceRunsAcrossYears) {
    Bank("ACC1", "I1", Day(2025, 1, 5), 100, 0);
    Bank("ACC1", "I1", Day(2025, 12, 5), 0, 30.5);
    Bank("ACC2", "I1", Day(2026, 1, 5), 0, 200);
    adm3->RebuildSummaries("", "");
    EXPECT_EQ(Rows("select PeriodYear, PeriodMonth, BankBalance, RunningBankBalance from TeeData1 "
                   "order by PeriodYear, PeriodMonth"),
              QStringList({"2025|1|-100|-100", "2025|12|30.5|-69.5", "2026|1|200|130.5"}));
}

TEST_F(SummaryRebuild, RunningBalanceIsCarriedAsASixByteReal) {
    EXPECT_EQ(RoundToReal48(-70.0), -70.0);
    EXPECT_EQ(RoundToReal48(0.0), 0.0);
    // A tenth has more significant bits than six bytes hold.
    EXPECT_NE(RoundToReal48(0.1), 0.1);
    EXPECT_NEAR(RoundToReal48(0.1), 0.1, 1e-12);
    EXPECT_EQ(RoundToReal48(RoundToReal48(0.1)), RoundToReal48(0.1));
}

TEST_F(SummaryRebuild, AFailureHalfWayLeavesEveryTableAsItWas) {
    Bank("ACC1", "I1", Day(2026, 1, 5), 100, 0);
    Tel("T1", "C1", Day(2026, 1, 5), 30);
    RebuildOpenPeriod();
    const QStringList bank = BankRows(), chart = ChartRows(), bills = BillRows();
    presenter.progressPositions.clear();

    // The bank summary has a DebitAmount, the communication summary has not:
    // the bank rows are deleted and re-added before the second step fails.
    Bank("ACC1", "I1", Day(2026, 1, 6), 5, 0);
    EXPECT_THROW(adm3->RebuildSummaries("", "where DebitAmount >= 0"), EDatabaseError);

    EXPECT_EQ(BankRows(), bank);
    EXPECT_EQ(ChartRows(), chart);
    EXPECT_EQ(BillRows(), bills);
    EXPECT_EQ(adm3->TblRepBank1->RecordCount(), 1);
    // The caller's handler shows the error; the rebuild shows nothing itself.
    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_FALSE(presenter.hourglass);
    EXPECT_EQ(presenter.progressPositions, std::vector<int>({1, 0}));
    // And the next rebuild works.
    RebuildOpenPeriod();
    EXPECT_EQ(BankRows(), QStringList({"ACC1|I1|2026|1|105|0|-105|2025-12-31"}));
}

// Two amounts an old file kept, each the largest a double holds, overflow
// their month's sum: the rebuild names the account and month and changes
// nothing, and works again once the rows are mended.
TEST_F(SummaryRebuild, AMonthThatOverflowsStopsTheRebuildNamingItsAccountAndMonth) {
    Bank("ACC1", "I1", Day(2026, 1, 5), 100, 0);
    RebuildOpenPeriod();
    const QStringList bank = BankRows(), chart = ChartRows();

    const double largest = std::numeric_limits<double>::max();
    Bank("ACC2", "I3", Day(2026, 3, 7), largest, 0);
    Bank("ACC2", "I3", Day(2026, 3, 9), largest, 0);
    try {
        RebuildOpenPeriod();
        ADD_FAILURE() << "the rebuild took the overflowing month";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message, "The DebitAmount of BankAccountCode ACC2, BankItemCode I3 for 03/2026 adds up beyond "
                             "what table MTHBNK1A holds; the summaries were left as they were");
    }
    EXPECT_EQ(BankRows(), bank);
    EXPECT_EQ(ChartRows(), chart);

    Db().Execute("update TrnBnk1a set DebitAmount = 7 where BankAccountCode = \"ACC2\"");
    RebuildOpenPeriod();
    EXPECT_EQ(BankRows(), QStringList({"ACC1|I1|2026|1|100|0|-100|2025-12-31", "ACC2|I3|2026|3|14|0|-14|2025-12-31"}));
}


// After a run, the next run with the same clauses adds up again only the
// months whose transactions this program changed since; any write it cannot
// account for that way (a summary row written by anything but a run, a
// transaction posted by another copy of the program) makes it add up all.
TEST_F(SummaryRebuild, ARunSeesEveryWriteSinceTheLastRunWhoeverMadeIt) {
    Bank("ACC1", "I1", Day(2026, 1, 5), 100, 0);
    Bank("ACC2", "I2", Day(2026, 2, 5), 0, 40);
    Income("IN1", Day(2026, 1, 10), 5);
    RebuildOpenPeriod();

    Bank("ACC1", "I1", Day(2026, 1, 6), 50, 0);
    Db().Execute("delete from TrnBnk1a where BankAccountCode = \"ACC2\"");
    RebuildOpenPeriod();
    EXPECT_EQ(BankRows(), QStringList({"ACC1|I1|2026|1|150|0|-150|2025-12-31"}));
    EXPECT_EQ(ChartRows(), QStringList({"2026|1|5|0|0|-150|-150|2025-12-31"}));

    Db().Execute("update MthBnk1a set DebitAmount = 999");
    Db().Execute("delete from TeeData1");
    RebuildOpenPeriod();
    EXPECT_EQ(BankRows(), QStringList({"ACC1|I1|2026|1|150|0|-150|2025-12-31"}));
    EXPECT_EQ(ChartRows(), QStringList({"2026|1|5|0|0|-150|-150|2025-12-31"}));

    {
        TEngineSession other;
        other.AddPassword(QString::fromLatin1(AccountsTablePassword));
        const auto second = TEngineDatabase::Open(Db().Path(), false, &other);
        second->Execute("insert into TrnBnk1a (BankAccountCode, BankTranSerialNum, TransactionDate, BankItemCode, "
                        "DebitAmount, CreditAmount) values (\"ACC3\", \"0000000900\", \"03/01/2026\", \"I1\", 0, 7)");
    }
    RebuildOpenPeriod();
    EXPECT_EQ(BankRows(), QStringList({"ACC1|I1|2026|1|150|0|-150|2025-12-31", "ACC3|I1|2026|3|0|7|7|2025-12-31"}));
}

}  // namespace
