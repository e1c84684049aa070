// Record location on a 100,000-row reference table: one step of an
// incremental search on an indexed description (a key typed into a lookup
// combo), and a locate that must read every record of an unindexed field.
#include "bench/support/generate.h"
#include "dataset/ww_table.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/session.h"
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kRows = 100000;

QString CityOf(int row)
{
    return QStringLiteral("City %1").arg(row, 6, 10, QLatin1Char('0'));
}

// The reference table, made once per process in a temporary directory.
class TReferenceData {
public:
    TReferenceData()
    {
        Session().AddStandardAlias(QStringLiteral("LocateBench"), dir_.path());
        database_.SetAliasName(QStringLiteral("LocateBench"));
        database_.SetDatabaseName(QStringLiteral("LocateBench"));
        database_.Open();
        TEngineDatabase& engine = database_.EngineDatabase();
        TTableDesc desc;
        desc.Name = QStringLiteral("Pbanks");
        desc.Columns = {{QStringLiteral("BankCode"), TFieldType::ftString, 10},
                        {QStringLiteral("BankDesc"), TFieldType::ftString, 30},
                        {QStringLiteral("City"), TFieldType::ftString, 20}};
        desc.Indexes = {{QString(), {QStringLiteral("BankCode")}, true, true},
                        {QStringLiteral("ByDesc"), {QStringLiteral("BankDesc")}, false, false, true}};
        engine.CreateTable(desc);
        RunInTransaction(engine, [&] {
            for (int row = 0; row < kRows; ++row)
                engine.InsertRow(desc.Name, {QStringLiteral("%1").arg(row, 10, 10, QLatin1Char('0')),
                                             PseudoWord(row) + QStringLiteral(" bank"), CityOf(row)});
        });
    }

    std::unique_ptr<TwwTable> OpenTable(const QString& indexName)
    {
        auto table = std::make_unique<TwwTable>();
        table->SetDatabaseName(QStringLiteral("LocateBench"));
        table->SetTableName(QStringLiteral("Pbanks.DB"));
        table->SetIndexName(indexName);
        table->Open();
        return table;
    }

private:
    QTemporaryDir dir_;
    TDatabase database_;
};

TReferenceData& Data()
{
    static TReferenceData data;
    return data;
}

void BM_IncrementalSearchStep(benchmark::State& state)
{
    const std::unique_ptr<TwwTable> table = Data().OpenTable(QStringLiteral("ByDesc"));
    int row = 0;
    for (auto _ : state) {
        row = (row + 7919) % kRows;
        const QString typed = PseudoWord(row).left(3 + row % 3);
        benchmark::DoNotOptimize(table->SearchByText(typed, 0));
    }
    state.counters["limit_us"] = 2000;
}
BENCHMARK(BM_IncrementalSearchStep)->Unit(benchmark::kMicrosecond);

void BM_LocateByScan(benchmark::State& state)
{
    const std::unique_ptr<TwwTable> table = Data().OpenTable(QString());
    // Part of the last record's city: every record is read, and the current
    // record never equals the value, so each round scans again.
    const QString value = CityOf(kRows - 1).mid(2);
    for (auto _ : state) {
        if (!table->LocateByFieldValue(value, QStringLiteral("City"), 2, false))
            state.SkipWithError("the last record was not found");
    }
    state.counters["limit_us"] = 250000;
}
BENCHMARK(BM_LocateByScan)->Unit(benchmark::kMillisecond);

}  // namespace
