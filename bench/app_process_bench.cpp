// The program as a process of its own on the large book (a million rows in
// each transaction table, with summaries, chart rows and every reference
// table): its start from exec to the main window mapped, on an X display
// (./scripts/bench starts a virtual one), and beside it the start with the
// splash window, which stays its two seconds by design; the peak memory of a
// whole session, from start through accounts, a sort, "Processing for
// reports", every report and the chart to quitting; and the processor time of
// ten seconds left alone on the main window. All run session_driver, the
// program's own start with a session driven inside it.
#include "bench/support/accounts_data.h"
#include <QByteArray>
#include <QString>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <thread>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using TClock = std::chrono::steady_clock;

// The X display of the start figure: $QUELT_BENCH_DISPLAY, else $DISPLAY.
QByteArray Display()
{
    const QByteArray own = qgetenv("QUELT_BENCH_DISPLAY");
    return own.isEmpty() ? qgetenv("DISPLAY") : own;
}

struct TRun {
    double MappedSeconds = 0;      // exec to the main window mapped
    double MappedCpuSeconds = 0;   // the program's processor time until then
    double Seconds = 0;            // exec to the end of the process
    double CpuSeconds = 0;
    double PeakMegabytes = 0;
    std::string Error;
};

double Seconds(const timeval& time) { return double(time.tv_sec) + double(time.tv_usec) / 1e6; }

// Runs the driver in mode on book, on display (offscreen when empty); the
// process is killed when it has not ended within timeout. whenMapped, when
// given, runs with the driver's process id once it has told that its window
// is mapped.
TRun RunDriver(const char* mode, const QString& book, const QByteArray& display, std::chrono::seconds timeout,
               const std::function<void(pid_t)>& whenMapped = {})
{
    TRun run;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return {.Error = "cannot make a pipe"};
    const int childEnd = dup(fds[1]);   // without close-on-exec: the driver writes to it
    close(fds[1]);

    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0 && std::strncmp(*e, "DISPLAY=", 8) != 0 &&
            std::strncmp(*e, "VRACCOUNTS_DIR=", 15) != 0)
            env.emplace_back(*e);
    env.push_back("VRACCOUNTS_DIR=" + book.toStdString());
    if (display.isEmpty()) {
        env.emplace_back("QT_QPA_PLATFORM=offscreen");
    } else {
        env.emplace_back("QT_QPA_PLATFORM=xcb");
        env.push_back("DISPLAY=" + display.toStdString());
    }
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string driver = SESSION_DRIVER, modeArg = mode, fdArg = std::to_string(childEnd);
    char* argv[] = {driver.data(), modeArg.data(), fdArg.data(), nullptr};

    const TClock::time_point started = TClock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, driver.c_str(), nullptr, nullptr, argv, envp.data());
    close(childEnd);
    if (spawned != 0) {
        close(fds[0]);
        return {.Error = "cannot start " + driver + ": " + std::strerror(spawned)};
    }

    // Reads the driver's lines until it closes its end (it ends) or time runs out.
    std::string said;
    bool timedOut = false;
    for (;;) {
        const auto left = timeout - (TClock::now() - started);
        pollfd wait{fds[0], POLLIN, 0};
        const int ready = poll(&wait, 1, int(std::chrono::duration_cast<std::chrono::milliseconds>(left).count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) {
            timedOut = true;
            break;
        }
        char buffer[256];
        const ssize_t got = read(fds[0], buffer, sizeof buffer);
        if (got <= 0) break;
        const bool first = said.empty();
        if (first) run.MappedSeconds = std::chrono::duration<double>(TClock::now() - started).count();
        said.append(buffer, size_t(got));
        if (first && whenMapped) whenMapped(child);
    }
    close(fds[0]);
    if (timedOut) kill(child, SIGKILL);
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {}
    run.Seconds = std::chrono::duration<double>(TClock::now() - started).count();
    run.CpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    run.PeakMegabytes = double(usage.ru_maxrss) / 1024.0;

    long long mappedCpu = 0;
    if (std::sscanf(said.c_str(), "mapped %lld", &mappedCpu) == 1)
        run.MappedCpuSeconds = double(mappedCpu) / 1e6;
    else if (!timedOut)
        run.Error = "the main window was never mapped";
    if (timedOut)
        run.Error = std::string(mode) + " did not end within " + std::to_string(timeout.count()) + " s";
    else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        run.Error = std::string("the program ended with ") +
                    (WIFEXITED(status) ? "status " + std::to_string(WEXITSTATUS(status))
                                       : "signal " + std::to_string(WTERMSIG(status)));
    return run;
}

// The book, made once a run; a figure without it fails with the reason.
const QString* Book(benchmark::State& state)
{
    static QString book;
    static std::string error;
    if (book.isEmpty() && error.empty()) {
        try {
            book = AccountsBook(LargeBookShape());
        } catch (const std::exception& failure) {
            error = failure.what();
        }
    }
    if (!error.empty()) state.SkipWithError(error.c_str());
    return error.empty() ? &book : nullptr;
}

// The processor time a running process has used so far, from /proc.
double ProcessCpuSeconds(pid_t process)
{
    std::ifstream file("/proc/" + std::to_string(process) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // The fields after the command's name, which may hold blanks, in parentheses.
    const size_t afterName = stat.rfind(')');
    if (afterName == std::string::npos) return 0;
    unsigned long long userTicks = 0, systemTicks = 0;
    if (std::sscanf(stat.c_str() + afterName + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu",
                    &userTicks, &systemTicks) != 2)
        return 0;
    return double(userTicks + systemTicks) / double(sysconf(_SC_CLK_TCK));
}

void StartToWindowMapped(benchmark::State& state, const char* mode)
{
    const QByteArray display = Display();
    if (display.isEmpty()) {
        state.SkipWithError("skipped: no X display (set QUELT_BENCH_DISPLAY, or run ./scripts/bench with Xvfb)");
        return;
    }
    const QString* book = Book(state);
    if (!book) return;
    double cpu = 0;
    for (auto _ : state) {
        const TRun run = RunDriver(mode, *book, display, std::chrono::seconds(60));
        if (!run.Error.empty()) {
            state.SkipWithError(run.Error.c_str());
            break;
        }
        state.SetIterationTime(run.MappedSeconds);
        cpu += run.MappedCpuSeconds;
    }
    state.counters["cpu_us"] = benchmark::Counter(cpu * 1e6, benchmark::Counter::kAvgIterations);
}

void ProgramStartToWindowMapped(benchmark::State& state)
{
    StartToWindowMapped(state, "start");
    state.counters["limit_us"] = 150000;
    state.counters["wall_only"] = 1;   // the user waits for the window, not for the processor
}

// The same start as the user sees it: the splash window first, for its two seconds.
void ProgramStartToWindowMappedWithSplash(benchmark::State& state) { StartToWindowMapped(state, "splash-start"); }

void WholeSessionPeakMemory(benchmark::State& state)
{
    const QString* book = Book(state);
    if (!book) return;
    const QByteArray display = Display();
    double cpu = 0, peak = 0;
    for (auto _ : state) {
        const TRun run = RunDriver("session", *book, display, std::chrono::seconds(600));
        if (!run.Error.empty()) {
            state.SkipWithError(run.Error.c_str());
            break;
        }
        state.SetIterationTime(run.Seconds);
        cpu += run.CpuSeconds;
        peak = std::max(peak, run.PeakMegabytes);
    }
    state.counters["cpu_us"] = benchmark::Counter(cpu * 1e6, benchmark::Counter::kAvgIterations);
    state.counters["peak_mb"] = peak;
    state.counters["limit_mb"] = 150;
    state.counters["on_display"] = display.isEmpty() ? 0 : 1;
}

// Left alone on its main window once it has painted, the program rests: the
// processor time of ten seconds, as a share of one core. On the X display
// when there is one, else offscreen.
void IdleOnTheMainWindow(benchmark::State& state)
{
    const QString* book = Book(state);
    if (!book) return;
    const QByteArray display = Display();
    constexpr auto Settle = std::chrono::seconds(1), Idle = std::chrono::seconds(10);
    double idleCpu = 0;
    for (auto _ : state) {
        double used = 0;
        const TRun run = RunDriver("idle", *book, display, std::chrono::seconds(90), [&](pid_t program) {
            std::this_thread::sleep_for(Settle);
            const double before = ProcessCpuSeconds(program);
            std::this_thread::sleep_for(Idle);
            used = ProcessCpuSeconds(program) - before;
            kill(program, SIGTERM);   // ends the program as closing its main window does
        });
        if (!run.Error.empty()) {
            state.SkipWithError(run.Error.c_str());
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(Idle).count());
        idleCpu += used;
    }
    const double seconds = std::chrono::duration<double>(Idle).count() * double(state.iterations());
    state.counters["cpu_us"] = benchmark::Counter(idleCpu * 1e6, benchmark::Counter::kAvgIterations);
    state.counters["core_pct"] = seconds > 0 ? 100.0 * idleCpu / seconds : 0;
    state.counters["limit_pct"] = 1;
    state.counters["on_display"] = display.isEmpty() ? 0 : 1;
}

}  // namespace

BENCHMARK(ProgramStartToWindowMapped)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(ProgramStartToWindowMappedWithSplash)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(IdleOnTheMainWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(WholeSessionPeakMemory)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
