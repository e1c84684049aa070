// The next serial number of a bank transaction, as a new row in the bank
// page gets it: the largest serial of the account plus one, on a table of a
// million rows over forty accounts.
#include "bench/support/generate.h"
#include "data/record_codes.h"
#include "platform/db/database.h"
#include "platform/db/query.h"
#include "platform/db/session.h"
#include <QFileInfo>
#include <benchmark/benchmark.h>

namespace {

void BM_NextBankSerial(benchmark::State& state) {
    const TBenchDatabase& data = BankTransactions();
    const QFileInfo file(data.Path);
    Session().AddStandardAlias(QStringLiteral("BenchCodes"), file.absolutePath());
    TDatabase database;
    database.SetAliasName(QStringLiteral("BenchCodes"));
    database.SetDatabaseName(file.completeBaseName());
    database.SetLoginPrompt(false);
    database.Open();
    TQuery query;
    query.SetDatabaseName(database.DatabaseName());
    const TRecordCodeRule& rule = *FindRecordCodeRule(Adm1RecordCodeRules(), QStringLiteral("TblTranBank1"));

    int account = 0;
    for (auto _ : state) {
        const QString code = NextRecordCode(query, rule, AccountCode(account % data.Accounts + 1), 9999999999LL);
        benchmark::DoNotOptimize(code);
        ++account;
    }
    state.counters["limit_us"] = 1000;
}
BENCHMARK(BM_NextBankSerial)->Unit(benchmark::kMicrosecond);

}  // namespace
