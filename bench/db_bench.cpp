// The datasets over a million bank transactions: scrolling a grid's window,
// record numbers, and the detail of one account following its master.
#include "bench/support/bank_database.h"
#include "bench/support/generate.h"
#include "platform/db/data_link.h"
#include "platform/db/query.h"
#include "platform/db/table.h"
#include <benchmark/benchmark.h>

namespace {

std::unique_ptr<TTable> Transactions() {
    auto table = std::make_unique<TTable>();
    table->SetDatabaseName(BankDatabaseName());
    table->SetTableName(QString::fromLatin1(kBankTable));
    table->SetIndexName(QStringLiteral("ByDate"));
    return table;
}

// A grid's link: a window of 40 rows.
struct TGridView {
    explicit TGridView(TDataSet& dataSet) {
        source.SetDataSet(&dataSet);
        link.SetBufferCount(40);
        link.SetDataSource(&source);
    }
    TDataSource source;
    TDataLink link;
};

// Each Next leaves the bottom of the window: one row more is read.
void ScrollWindowByOneRow(benchmark::State& state) {
    auto table = Transactions();
    TGridView grid(*table);
    table->Open();
    table->MoveBy(39);
    for (auto _ : state) {
        table->Next();
        if (table->Eof()) table->First();
        benchmark::DoNotOptimize(table->ActiveRecord());
    }
    state.counters["limit_us"] = 1000;
}
BENCHMARK(ScrollWindowByOneRow)->Unit(benchmark::kMicrosecond);

void ScrollWindowBackByOneRow(benchmark::State& state) {
    auto table = Transactions();
    TGridView grid(*table);
    table->Open();
    table->Last();
    table->MoveBy(-39);
    for (auto _ : state) {
        table->Prior();
        if (table->Bof()) table->Last();
        benchmark::DoNotOptimize(table->ActiveRecord());
    }
    state.counters["limit_us"] = 1000;
}
BENCHMARK(ScrollWindowBackByOneRow)->Unit(benchmark::kMicrosecond);

// After the first count, a move and the two numbers a grid's scroll bar reads.
void RecordCountAndRecNo(benchmark::State& state) {
    auto table = Transactions();
    TGridView grid(*table);
    table->Open();
    benchmark::DoNotOptimize(table->RecordCount());
    table->MoveBy(500);
    for (auto _ : state) {
        table->Next();
        benchmark::DoNotOptimize(table->RecordCount());
        benchmark::DoNotOptimize(table->RecNo());
    }
    state.counters["limit_us"] = 10000;
}
BENCHMARK(RecordCountAndRecNo)->Unit(benchmark::kMicrosecond);

// The accounts as a master (a query over the account codes) and the
// transactions of the current account as its detail, on its latest rows.
void DetailOfOneAccount(benchmark::State& state) {
    TQuery accounts;
    accounts.SetDatabaseName(BankDatabaseName());
    accounts.SQL()->Add(QStringLiteral("select distinct BankAccountCode from TrnBnk1a"));
    accounts.Open();
    TDataSource master;
    master.SetDataSet(&accounts);
    auto detail = Transactions();
    TGridView grid(*detail);
    detail->SetMasterSource(&master);
    detail->SetMasterFields(QStringLiteral("BankAccountCode"));
    detail->Open();
    for (auto _ : state) {
        accounts.Next();
        if (accounts.Eof()) accounts.First();
        detail->Last();
        benchmark::DoNotOptimize(detail->ActiveRecord());
    }
    state.counters["limit_us"] = 20000;
}
BENCHMARK(DetailOfOneAccount)->Unit(benchmark::kMicrosecond);

// A detail table opened on one account and positioned on its latest row.
void DetailOpenAndPosition(benchmark::State& state) {
    TQuery accounts;
    accounts.SetDatabaseName(BankDatabaseName());
    accounts.SQL()->Add(QStringLiteral("select distinct BankAccountCode from TrnBnk1a"));
    accounts.Open();
    TDataSource master;
    master.SetDataSet(&accounts);
    for (auto _ : state) {
        auto detail = Transactions();
        TGridView grid(*detail);
        detail->SetMasterSource(&master);
        detail->SetMasterFields(QStringLiteral("BankAccountCode"));
        detail->Open();
        detail->Last();
        benchmark::DoNotOptimize(detail->RecNo());
        accounts.Next();
        if (accounts.Eof()) accounts.First();
    }
    state.counters["limit_us"] = 20000;
}
BENCHMARK(DetailOpenAndPosition)->Unit(benchmark::kMicrosecond);

} // namespace
