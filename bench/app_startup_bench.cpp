// Start-up to the main window's message loop (without the splash wait) on a
// database of a million bank transactions.
#include "app/main_menu.h"
#include "bench/support/app_program.h"
#include <benchmark/benchmark.h>
#include <memory>

namespace {

void StartUpToMessageLoop(benchmark::State& state) {
    TApplication& application = BenchApplication();
    FilledAccountsDirectory();
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
