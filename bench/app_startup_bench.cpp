// Start-up through the program's own start path, without the splash wait, to
// its message loop, on a large book: a million bank transactions and as many
// communication, income and expense ones, with the summaries and chart rows of
// a rebuild, so that every table start-up opens holds data.
#include "app/main_menu.h"
#include "app/program.h"
#include "bench/support/accounts_data.h"
#include "bench/support/app_program.h"
#include "data/adm1.h"
#include "data/adm2.h"
#include "data/adm3.h"
#include "platform/db/table.h"
#include "platform/ui/application.h"
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

// The open tables start-up left empty, by name: the book should leave none.
QStringList EmptyOpenTables() {
    QStringList empty;
    for (QObject* root : std::initializer_list<QObject*>{FrmMainMenu, ADm1, ADm2, ADm3}) {
        if (!root) continue;
        for (TTable* table : root->findChildren<TTable*>())
            if (table->Active() && table->IsEmpty()) empty.append(table->objectName());
    }
    return empty;
}

// Runs once the program's message loop runs: notes the time, then ends the loop.
void StopInMessageLoop(const QElapsedTimer& clock, qint64& elapsed, QStringList& empty) {
    if (QThread::currentThread()->loopLevel() == 0) {   // an event pass before the loop
        QTimer::singleShot(0, [&] { StopInMessageLoop(clock, elapsed, empty); });
        return;
    }
    Application->ProcessMessages();   // the main window's first show and paint
    elapsed = clock.nsecsElapsed();
    empty = EmptyOpenTables();
    Application->Terminate();
}

void StartUpToMessageLoop(benchmark::State& state) {
    BenchApplication();
    static const QString book = AccountsBook(LargeBookShape());
    QStringList empty;
    for (auto _ : state) {
        qint64 elapsed = 0;
        QElapsedTimer clock;
        clock.start();
        QTimer::singleShot(0, [&] { StopInMessageLoop(clock, elapsed, empty); });
        if (RunProgram({QStringLiteral("/nosplash")}) != 0 || elapsed == 0) state.SkipWithError("start-up failed");
        state.SetIterationTime(double(elapsed) / 1e9);
    }
    if (!empty.isEmpty()) std::fprintf(stderr, "open tables left empty: %s\n", qPrintable(empty.join(u' ')));
    state.counters["empty_open_tables"] = double(empty.size());
    state.counters["limit_us"] = 300000;
}

}  // namespace

BENCHMARK(StartUpToMessageLoop)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1)->Repetitions(5);
