// A walk through the bank transactions by the datasets, as the reports walk
// their tables: from the first row to the end in index order, every field of
// every row read in its own type; on a household's decades (100,000 rows) and
// on a million. The floor is plain SQLite reading the same rows in the same
// order into C++ values, at the same size.
#include "bench/support/bank_database.h"
#include "bench/support/generate.h"
#include "bench/support/plain_sqlite.h"
#include "dataset/ww_table.h"
#include "platform/db/field.h"
#include <benchmark/benchmark.h>

namespace {

// Each field read as the system reads a field of its type.
void ReadField(const TField& field)
{
    switch (field.DataType()) {
    case TFieldType::ftString: benchmark::DoNotOptimize(field.AsString()); break;
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD: benchmark::DoNotOptimize(field.AsFloat()); break;
    case TFieldType::ftDate:
    case TFieldType::ftDateTime: benchmark::DoNotOptimize(field.AsDateTime()); break;
    case TFieldType::ftBoolean: benchmark::DoNotOptimize(field.AsBoolean()); break;
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc: benchmark::DoNotOptimize(field.AsInteger()); break;
    default: benchmark::DoNotOptimize(field.Value()); break;
    }
}

template <typename Table>
void Walk(benchmark::State& state)
{
    const int size = int(state.range(0));
    Table table;
    table.SetDatabaseName(BankDatabaseName(size));
    table.SetTableName(QString::fromLatin1(kBankTable));
    table.SetIndexName(QStringLiteral("ByDate"));
    table.Open();
    std::vector<const TField*> fields;
    for (int i = 0; i < table.FieldCount(); ++i) fields.push_back(table.Fields(i));
    for (auto _ : state) {
        int rows = 0;
        for (table.First(); !table.Eof(); table.Next()) {
            for (const TField* field : fields) ReadField(*field);
            ++rows;
        }
        if (rows != size) state.SkipWithError("rows lost");
    }
    state.counters["max_ratio"] = 1.5;
}

void Floor(benchmark::State& state)
{
    const int size = int(state.range(0));
    sqlite3* db = OpenLikeEngine(BankTransactions(size).Path);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "SELECT rowid, * FROM TrnBnk1a ORDER BY BankAccountCode, TransactionDate, rowid", -1,
                       &statement, nullptr);
    for (auto _ : state)
        if (WalkPlain(statement) != size) state.SkipWithError("rows lost");
    sqlite3_finalize(statement);
    sqlite3_close(db);
}

void TableWalk(benchmark::State& state) { Walk<TTable>(state); }
void TableWalk_Floor(benchmark::State& state) { Floor(state); }
void wwTableWalk(benchmark::State& state) { Walk<TwwTable>(state); }
void wwTableWalk_Floor(benchmark::State& state) { Floor(state); }

} // namespace

BENCHMARK(TableWalk)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(TableWalk_Floor)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(wwTableWalk)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(wwTableWalk_Floor)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Repetitions(5);
