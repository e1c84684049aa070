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
#include <ctime>

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

// The processor time of this thread, in nanoseconds.
qint64 ThreadCpuNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Runs once the program's message loop runs: notes the time, then ends the loop.
void StopInMessageLoop(const QElapsedTimer& clock, qint64& elapsed, qint64& cpu, QStringList& empty) {
    if (QThread::currentThread()->loopLevel() == 0) {   // an event pass before the loop
        QTimer::singleShot(0, [&] { StopInMessageLoop(clock, elapsed, cpu, empty); });
        return;
    }
    Application->ProcessMessages();   // the main window's first show and paint
    elapsed = clock.nsecsElapsed();
    cpu += ThreadCpuNanoseconds();
    empty = EmptyOpenTables();
    Application->Terminate();
}

void StartUpToMessageLoop(benchmark::State& state) {
    BenchApplication();
    static const QString book = AccountsBook(LargeBookShape());
    QStringList empty;
    qint64 cpu = 0;   // over the same span as the time
    for (auto _ : state) {
        qint64 elapsed = 0;
        QElapsedTimer clock;
        cpu -= ThreadCpuNanoseconds();
        clock.start();
        QTimer::singleShot(0, [&] { StopInMessageLoop(clock, elapsed, cpu, empty); });
        if (RunProgram({QStringLiteral("/nosplash")}) != 0 || elapsed == 0) state.SkipWithError("start-up failed");
        state.SetIterationTime(double(elapsed) / 1e9);
    }
    if (!empty.isEmpty()) std::fprintf(stderr, "open tables left empty: %s\n", qPrintable(empty.join(u' ')));
    state.counters["empty_open_tables"] = double(empty.size());
    state.counters["cpu_us"] = benchmark::Counter(double(cpu) / 1e3, benchmark::Counter::kAvgIterations);
    state.counters["limit_us"] = 300000;
    state.counters["wall_only"] = 1;   // the user waits for the window, not for the processor
}

}  // namespace

BENCHMARK(StartUpToMessageLoop)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1)->Repetitions(5);
