// The monthly summary rebuild and the report builders on ten years of
// accounts: a million bank transactions over 40 accounts and 30 items, with
// communication, income and expense transactions beside them. The rebuild,
// without clauses and with the clauses the main window and the close-period
// dialog pass, is paired with the same work done directly in SQLite, and
// shown beside SQLite grouping the transactions alone; each report build
// carries its goal of half a second.
#include "bench/support/accounts_data.h"
#include "bench/support/plain_sqlite.h"
#include "bench/support/rebuild_floor.h"
#include "data/adm1.h"
#include "data/adm3.h"
#include "data/message_helpers.h"
#include "data/period_close.h"
#include "platform/db/database.h"
#include <QDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <sqlite3.h>

namespace {

struct TAccounts {
    std::unique_ptr<TADm1> Dm1;
    std::unique_ptr<TADm3> Dm3;
    QString Path;
};

// The modules on the cached book, whose summaries one rebuild already made.
TAccounts& Accounts() {
    static TAccounts* accounts = [] {
        auto* made = new TAccounts;
        const QString directory = AccountsBook(TAccountsShape{});
        made->Dm1 = std::make_unique<TADm1>(nullptr);
        made->Dm3 = std::make_unique<TADm3>(nullptr);
        made->Path = made->Dm1->DataQuelt->EngineDatabase().Path();
        return made;
    }();
    return *accounts;
}

// The clauses of one kind of rebuild: as the program passes them, and the
// same in plain SQLite with their values bound.
struct TRebuildCall {
    QString Source;
    QString Target;
    TRebuildClauses Plain;
};

std::string IsoDate(TDateTime d) { return DateTimeToQDate(d).toString(Qt::ISODate).toStdString(); }

// "Processing for reports" in the main window: the open period after the
// close date in force (the book was never closed, so every transaction).
TRebuildCall MainWindowCall() {
    const TDateTime close = Accounts().Dm1->CurrentCloseDate;
    return {OpenPeriodSourceFilter(close), OpenPeriodTargetFilter(close),
            {{"WHERE TransactionDate > ?", {IsoDate(close)}}, {"WHERE CloseDate = ?", {IsoDate(close)}}}};
}

// The close-period dialog closing the book's first five years.
TRebuildCall ClosePeriodCall() {
    const TDateTime from = Accounts().Dm1->CurrentCloseDate;
    const TDateTime to = EncodeDate(2020, 12, 31);
    const long long y1 = YearOf(from + 1), m1 = MonthOf(from + 1), y2 = YearOf(to), m2 = MonthOf(to);
    return {ClosedRangeSourceFilter(from, to), ClosedMonthsTargetFilter(from, to),
            {{"WHERE TransactionDate > ? AND TransactionDate <= ?", {IsoDate(from), IsoDate(to)}},
             {"WHERE (PeriodYear > ? OR (PeriodYear = ? AND PeriodMonth >= ?)) AND "
              "(PeriodYear < ? OR (PeriodYear = ? AND PeriodMonth <= ?))",
              {y1, y1, m1, y2, y2, m2}}}};
}

// Each timed rebuild adds everything up, as the first one after the program
// starts does: a write by another connection before it leaves the program no
// log to narrow the run down by.
void Rebuild(benchmark::State& state, const TRebuildCall& call) {
    TADm3& dm = *Accounts().Dm3;
    sqlite3* other = OpenLikeEngine(Accounts().Path);
    for (auto _ : state) {
        state.PauseTiming();
        // Another program changes a transaction and changes it back: the
        // program's logs cannot have seen it. (A write that stores what was
        // there already changes nothing in the file and would not do.)
        ExecPlain(other, "UPDATE TrnBnk1a SET BankItemCode = BankItemCode || 'x' WHERE rowid = 1; "
                         "UPDATE TrnBnk1a SET BankItemCode = substr(BankItemCode, 1, length(BankItemCode) - 1) "
                         "WHERE rowid = 1");
        state.ResumeTiming();
        dm.RebuildSummaries(call.Source, call.Target);
    }
    sqlite3_close(other);
}

// Floor: the same rebuild in plain SQLite with the same clauses (one pass per
// summary, totals in a hash map, the same rows deleted and written again,
// bills and chart, one commit), checked to leave the tables exactly as the
// program's rebuild with those clauses left them just before. A check that
// compared no rows, or a floor that added up no transaction, proves nothing
// and fails.
void RebuildFloor(benchmark::State& state, const TRebuildCall& call) {
    Accounts().Dm3->RebuildSummaries(call.Source, call.Target);
    sqlite3* db = OpenLikeEngine(Accounts().Path);
    std::vector<std::vector<std::string>> rebuilt;
    for (const char* table : kRebuiltTables) rebuilt.push_back(TableRows(db, table));
    long long added = 0;
    for (auto _ : state)
        added = RebuildLikeWork(db, call.Plain);
    size_t checked = 0;
    for (size_t i = 0; i < std::size(kRebuiltTables); ++i) {
        if (TableRows(db, kRebuiltTables[i]) != rebuilt[i])
            state.SkipWithError((std::string(kRebuiltTables[i]) + " differs from the rebuild's").c_str());
        else if (rebuilt[i].empty())
            state.SkipWithError((std::string(kRebuiltTables[i]) + " holds no rows: nothing was checked").c_str());
        checked += rebuilt[i].size();
    }
    if (added == 0)
        state.SkipWithError("the clauses selected no transaction");
    state.counters["rows_checked"] = double(checked);
    sqlite3_close(db);
}

void BM_FullRebuild(benchmark::State& state) {
    Rebuild(state, {});
    state.counters["max_ratio"] = 1.5;
}
BENCHMARK(BM_FullRebuild)->Unit(benchmark::kMillisecond)->Repetitions(3);

void BM_FullRebuild_Floor(benchmark::State& state) { RebuildFloor(state, {}); }
BENCHMARK(BM_FullRebuild_Floor)->Unit(benchmark::kMillisecond)->Repetitions(3);

// The rebuilds the user runs pass the close-date clauses.
void BM_MainWindowRebuild(benchmark::State& state) {
    Rebuild(state, MainWindowCall());
    state.counters["max_ratio"] = 1.3;
}
BENCHMARK(BM_MainWindowRebuild)->Unit(benchmark::kMillisecond);

void BM_MainWindowRebuild_Floor(benchmark::State& state) { RebuildFloor(state, MainWindowCall()); }
BENCHMARK(BM_MainWindowRebuild_Floor)->Unit(benchmark::kMillisecond);

void BM_ClosePeriodRebuild(benchmark::State& state) {
    Rebuild(state, ClosePeriodCall());
    state.counters["max_ratio"] = 1.3;
}
BENCHMARK(BM_ClosePeriodRebuild)->Unit(benchmark::kMillisecond);

void BM_ClosePeriodRebuild_Floor(benchmark::State& state) { RebuildFloor(state, ClosePeriodCall()); }
BENCHMARK(BM_ClosePeriodRebuild_Floor)->Unit(benchmark::kMillisecond);

// Reference: SQLite only grouping the same transactions by code and month,
// writing nothing.
void BM_FullRebuild_Reference(benchmark::State& state) {
    sqlite3* db = OpenLikeEngine(Accounts().Path);
    const char* groupings[] = {
        "SELECT BankAccountCode, BankItemCode, substr(TransactionDate, 1, 4), substr(TransactionDate, 6, 2), "
        "sum(DebitAmount), sum(CreditAmount) FROM TrnBnk1a GROUP BY 1, 2, 3, 4",
        "SELECT TelcomCode, TelItemCode, substr(TransactionDate, 1, 4), substr(TransactionDate, 6, 2), sum(Amount) "
        "FROM TrnTel1a GROUP BY 1, 2, 3, 4",
        "SELECT IncomeCode, substr(TransactionDate, 1, 4), substr(TransactionDate, 6, 2), sum(IncomeAmount) "
        "FROM TrnInc1a GROUP BY 1, 2, 3",
        "SELECT ExpenseCode, substr(TransactionDate, 1, 4), substr(TransactionDate, 6, 2), sum(ExpenseAmount) "
        "FROM TrnExp1a GROUP BY 1, 2, 3",
    };
    for (auto _ : state) {
        for (const char* sql : groupings) {
            sqlite3_stmt* statement = nullptr;
            sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
            int rows = 0;
            while (sqlite3_step(statement) == SQLITE_ROW) ++rows;
            sqlite3_finalize(statement);
            benchmark::DoNotOptimize(rows);
        }
    }
    sqlite3_close(db);
}
BENCHMARK(BM_FullRebuild_Reference)->Unit(benchmark::kMillisecond)->Repetitions(3);

struct TReport {
    int Mode;
    const char* Source;
    const char* Temp;
    const char* Key1;
    const char* Key2;
    int Kind1;
    int Kind2;
};

constexpr TReport Reports[] = {
    {2, "MTHBNK1A", "TempBnk1", "BankAccountCode", "BankItemCode", 1, 2},
    {1, "MTHBNK1A", "TempBnk1", "BankAccountCode", "BankItemCode", 1, 2},
    {1, "MTHBNK1A", "TempBnk1", "BankItemCode", "BankAccountCode", 2, 1},
    {2, "MTHTEL1A", "TempTel1", "TelcomCode", "TelItemCode", 3, 4},
    {1, "MTHTEL1A", "TempTel1", "TelcomCode", "TelItemCode", 3, 4},
    {1, "MTHINC1A", "TempInc1", "IncomeCode", "IncomeCode", 5, 5},
    {1, "MTHEXP1A", "TempExp1", "ExpenseCode", "ExpenseCode", 6, 6},
};

void BM_CrossTab(benchmark::State& state) {
    TADm3& dm = *Accounts().Dm3;
    const TReport& r = Reports[state.range(0)];
    for (auto _ : state)
        dm.BuildCrossTab(r.Mode, r.Source, r.Temp, r.Key1, r.Key2, QStringLiteral("TotalAmount"), r.Kind1, r.Kind2);
    state.counters["limit_us"] = 500000;
}
BENCHMARK(BM_CrossTab)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

void BM_PeriodOverview(benchmark::State& state) {
    TADm3& dm = *Accounts().Dm3;
    for (auto _ : state)
        dm.BuildPeriodOverview();
    state.counters["limit_us"] = 500000;
}
BENCHMARK(BM_PeriodOverview)->Unit(benchmark::kMillisecond);

void BM_BankPeriodReport(benchmark::State& state) {
    TADm3& dm = *Accounts().Dm3;
    for (auto _ : state)
        dm.BuildBankPeriodReport();
    state.counters["limit_us"] = 500000;
}
BENCHMARK(BM_BankPeriodReport)->Unit(benchmark::kMillisecond);

}  // namespace
