// A filtered walk against the plain walk, over a million bank transactions:
// the filter "DebitAmount > 1000 AND (BankItemCode < "020")" keeps about a
// quarter of the rows, and the engine tests each row it reads. X_Reference is the
// same walk without the filter: the ratio says what filtering costs.
#include "bench/support/bank_database.h"
#include "bench/support/generate.h"
#include "dataset/filter_compiler.h"
#include "dataset/ww_table.h"
#include "platform/db/field.h"
#include <benchmark/benchmark.h>

namespace {

const QStringList kFilterLines = {QStringLiteral("DebitAmount > 1000"), QStringLiteral("BankItemCode < \"020\"")};

std::unique_ptr<TwwTable> Transactions(bool filtered)
{
    auto table = std::make_unique<TwwTable>();
    table->SetDatabaseName(BankDatabaseName());
    table->SetTableName(QString::fromLatin1(kBankTable));
    table->SetIndexName(QStringLiteral("ByDate"));
    if (filtered) {
        TStringList lines;
        for (const QString& line : kFilterLines) lines.Add(line);
        table->SetwwFilter(&lines);
    }
    table->Open();
    return table;
}

// Every record from the first to the last, reading the amount of each.
void WalkTable(benchmark::State& state, bool filtered)
{
    const std::unique_ptr<TwwTable> table = Transactions(filtered);
    TField* const debit = table->FieldByName(QStringLiteral("DebitAmount"));
    int records = 0;
    for (auto _ : state) {
        records = 0;
        for (table->First(); !table->Eof(); table->Next()) {
            benchmark::DoNotOptimize(debit->AsFloat());
            ++records;
        }
    }
    state.counters["records"] = records;
}

void FilteredTableWalk(benchmark::State& state) { WalkTable(state, true); }
BENCHMARK(FilteredTableWalk)->Unit(benchmark::kMillisecond);

void FilteredTableWalk_Reference(benchmark::State& state) { WalkTable(state, false); }
BENCHMARK(FilteredTableWalk_Reference)->Unit(benchmark::kMillisecond);

// The same on the engine's cursor alone, without the dataset's record buffers.
void WalkCursor(benchmark::State& state, bool filtered)
{
    const std::unique_ptr<TwwTable> table = Transactions(false);   // the filter's fields, for the compiler
    const QByteArray expression =
        CompileFilterExpression(kFilterLines.join(QStringLiteral(" AND ")), *table);
    TCursorSpec spec;
    spec.Table = QString::fromLatin1(kBankTable);
    spec.IndexName = QStringLiteral("ByDate");
    const std::unique_ptr<TEngineCursor> cursor = table->EngineDatabase().OpenCursor(spec);
    if (filtered) cursor->AddFilter(expression);
    int rows = 0;
    for (auto _ : state) {
        rows = 0;
        for (cursor->First(); cursor->HasRecord(); cursor->Next()) {
            benchmark::DoNotOptimize(cursor->Record().data());
            ++rows;
        }
    }
    state.counters["records"] = rows;
}

void FilteredCursorWalk(benchmark::State& state) { WalkCursor(state, true); }
BENCHMARK(FilteredCursorWalk)->Unit(benchmark::kMillisecond);

void FilteredCursorWalk_Reference(benchmark::State& state) { WalkCursor(state, false); }
BENCHMARK(FilteredCursorWalk_Reference)->Unit(benchmark::kMillisecond);

} // namespace
