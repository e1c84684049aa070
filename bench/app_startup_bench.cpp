// Start-up to the main window's message loop (without the splash wait) on a
// database of a million bank transactions.
#include "app/main_menu.h"
#include "bench/support/accounts_data.h"
#include "data/adm1.h"
#include "data/adm2.h"
#include "data/adm3.h"
#include "platform/db/session.h"
#include "platform/ui/application.h"
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The accounts directory, deployed by a first start and then filled.
QString AccountsDirectory() {
    static QTemporaryDir directory;
    static const bool filled = [] {
        Session().AddStandardAlias(QStringLiteral("VrAccounts"), directory.path());
        { TADm1 deploy(nullptr); }
        FillAccountsData(QDir(directory.path()).filePath(QStringLiteral("DataQuelt.sqlite")), TAccountsShape{});
        return true;
    }();
    (void)filled;
    return directory.path();
}

void StartUpToMessageLoop(benchmark::State& state) {
    static int argc = 1;
    static char name[] = "quelt";
    static char* argv[] = {name, nullptr};
    // Made once and never freed: Qt's own exit handlers must not see it go.
    static TApplication& application = *new TApplication(argc, argv);
    AccountsDirectory();
    for (auto _ : state) {
        auto adm1 = std::make_unique<TADm1>(nullptr);
        auto adm2 = std::make_unique<TADm2>(nullptr);
        auto adm3 = std::make_unique<TADm3>(nullptr);
        auto mainWindow = std::make_unique<TFrmMainMenu>();
        mainWindow->show();
        application.ProcessMessages();
        benchmark::DoNotOptimize(mainWindow.get());
        state.PauseTiming();
        mainWindow.reset();
        adm3.reset();
        adm2.reset();
        adm1.reset();
        state.ResumeTiming();
    }
    state.counters["limit_us"] = 300000;
}

}  // namespace

BENCHMARK(StartUpToMessageLoop)->Unit(benchmark::kMillisecond)->Iterations(5);
