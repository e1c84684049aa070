// The engine against plain SQLite on a million bank transactions; the whole
// walk also on a household's decades (100,000 rows), where SQLite itself is
// faster per row.
#include "bench/support/generate.h"
#include "bench/support/plain_sqlite.h"
#include "platform/engine/cursor.h"
#include "platform/engine/engine_database.h"
#include <QDate>
#include <benchmark/benchmark.h>
#include <map>
#include <sqlite3.h>
#include <string>

namespace {

constexpr int MillionRows = 1000000;

std::shared_ptr<TEngineDatabase> Database(int rows = MillionRows) {
    static std::map<int, std::shared_ptr<TEngineDatabase>> opened;
    std::shared_ptr<TEngineDatabase>& db = opened[rows];
    if (!db) db = TEngineDatabase::Open(BankTransactions(rows).Path, false);
    return db;
}

// A plain connection to the same file with the engine's settings, for the floors.
sqlite3* Plain(int rows = MillionRows) {
    static std::map<int, sqlite3*> opened;
    sqlite3*& db = opened[rows];
    if (!db) db = OpenLikeEngine(BankTransactions(rows).Path);
    return db;
}

TCursorSpec ByDate() {
    TCursorSpec spec;
    spec.Table = kBankTable;
    spec.IndexName = "ByDate";
    return spec;
}

void ReadRows(TEngineCursor& cursor, int rows) {
    for (int i = 0; i < rows && cursor.HasRecord(); ++i) {
        benchmark::DoNotOptimize(cursor.Record().data());
        cursor.Next();
    }
}

void OpenFirst50(benchmark::State& state) {
    auto db = Database();
    for (auto _ : state) {
        auto cursor = db->OpenCursor(ByDate());
        ReadRows(*cursor, 50);
    }
    state.counters["limit_us"] = 100000;
}
BENCHMARK(OpenFirst50)->Unit(benchmark::kMicrosecond);

// One account's rows (about 25,000 of the million) as the detail of its account.
void OpenDetailFirst50(benchmark::State& state) {
    auto db = Database();
    int account = 0;
    for (auto _ : state) {
        TCursorSpec spec = ByDate();
        spec.Equal = {{"BankAccountCode", AccountCode(1 + account++ % BankTransactions().Accounts)}};
        auto cursor = db->OpenCursor(spec);
        ReadRows(*cursor, 50);
    }
    state.counters["limit_us"] = 100000;
}
BENCHMARK(OpenDetailFirst50)->Unit(benchmark::kMicrosecond);

void SeekByKey(benchmark::State& state) {
    auto db = Database();
    TCursorSpec spec;
    spec.Table = kBankTable;
    auto cursor = db->OpenCursor(spec);
    int i = 0;
    for (auto _ : state) {
        const int account = 1 + i % BankTransactions().Accounts;
        const int serial = 1 + (i * 7919) % 20000;
        ++i;
        if (!cursor->Seek({AccountCode(account), SerialCode(serial)}, false)) state.SkipWithError("key not found");
        benchmark::DoNotOptimize(cursor->Record().data());
    }
    state.counters["limit_us"] = 50;
}
BENCHMARK(SeekByKey)->Unit(benchmark::kMicrosecond);

void WalkAll(benchmark::State& state) {
    const int size = int(state.range(0));
    auto db = Database(size);
    for (auto _ : state) {
        auto cursor = db->OpenCursor(ByDate());
        int rows = 0;
        for (bool on = cursor->HasRecord(); on; on = cursor->Next()) {
            benchmark::DoNotOptimize(cursor->Record().data());
            ++rows;
        }
        if (rows != size) state.SkipWithError("rows lost");
    }
    state.counters["max_ratio"] = 1.3;
}
BENCHMARK(WalkAll)->Arg(100000)->Arg(MillionRows)->Unit(benchmark::kMillisecond)->Repetitions(5);

// Floor: the same walk in plain SQLite, one statement in index order, every
// column of every row into C++ values.
void WalkAll_Floor(benchmark::State& state) {
    const int size = int(state.range(0));
    sqlite3* db = Plain(size);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT rowid, * FROM TrnBnk1a ORDER BY BankAccountCode, TransactionDate, rowid", -1,
                       &statement, nullptr);
    for (auto _ : state)
        if (WalkPlain(statement) != size) state.SkipWithError("rows lost");
    sqlite3_finalize(statement);
}
BENCHMARK(WalkAll_Floor)->Arg(100000)->Arg(MillionRows)->Unit(benchmark::kMillisecond)->Repetitions(5);

// Edit one row of an account's view and post it: the write, its commit, and
// the cursor finding its place again.
void PostOneRow(benchmark::State& state) {
    auto db = Database();
    TCursorSpec spec = ByDate();
    spec.Equal = {{"BankAccountCode", AccountCode(7)}};
    auto cursor = db->OpenCursor(spec);
    ReadRows(*cursor, 100);
    double amount = 1;
    for (auto _ : state) {
        TRecordValues row = cursor->Record();
        row[4] = amount++;
        db->UpdateRow(kBankTable, cursor->RowId(), row);
        cursor->Refresh();
    }
    state.counters["limit_us"] = 2000;
    state.counters["wall_only"] = 1;   // the commit's flush is part of the wait
}
BENCHMARK(PostOneRow)->Unit(benchmark::kMicrosecond);

constexpr int kAppended = 10000;
const char* kAppendAccount = "9999999999";

void RemoveAppended() {
    sqlite3_exec(Plain(), "DELETE FROM TrnBnk1a WHERE BankAccountCode = '9999999999'", nullptr, nullptr, nullptr);
}

void Append10000(benchmark::State& state) {
    auto db = Database();
    for (auto _ : state) {
        RunInTransaction(*db, [&] {
            for (int i = 1; i <= kAppended; ++i)
                db->InsertRow(kBankTable, {QString(kAppendAccount), SerialCode(i), QDate(2025, 1, 1).addDays(i % 365),
                                           QStringLiteral("001"), 12.5, 0.0, false, QVariant(), QVariant(), QVariant()});
        });
        state.PauseTiming();
        RemoveAppended();
        state.ResumeTiming();
    }
}
BENCHMARK(Append10000)->Unit(benchmark::kMillisecond);

// Floor: the same rows inserted by one prepared statement in one transaction.
void Append10000_Floor(benchmark::State& state) {
    sqlite3* db = Plain();
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO TrnBnk1a VALUES (?,?,?,?,?,?,?,?,?,?)", -1, &insert, nullptr);
    for (auto _ : state) {
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        for (int i = 1; i <= kAppended; ++i) {
            const QByteArray serial = SerialCode(i).toUtf8();
            const QByteArray day = QDate(2025, 1, 1).addDays(i % 365).toString(Qt::ISODate).toUtf8();
            sqlite3_bind_text(insert, 1, kAppendAccount, -1, SQLITE_STATIC);
            sqlite3_bind_text(insert, 2, serial.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 3, day.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 4, "001", -1, SQLITE_STATIC);
            sqlite3_bind_double(insert, 5, 12.5);
            sqlite3_bind_double(insert, 6, 0.0);
            sqlite3_bind_int(insert, 7, 0);
            for (int column = 8; column <= 10; ++column) sqlite3_bind_null(insert, column);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        state.PauseTiming();
        RemoveAppended();
        state.ResumeTiming();
    }
    sqlite3_finalize(insert);
}
BENCHMARK(Append10000_Floor)->Unit(benchmark::kMillisecond);

}  // namespace
