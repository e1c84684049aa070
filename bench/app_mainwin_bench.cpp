// The main window on a database of a million bank transactions over 40
// accounts: choosing a bank account and repainting its grid, a title-click
// sort, and posting a typed row. The window is made once and shown offscreen.
#include "app/main_menu.h"
#include "bench/support/app_program.h"
#include "data/adm1.h"
#include "data/adm2.h"
#include "data/adm3.h"
#include "dataset/ww_table.h"
#include "grid/lookup_combo.h"
#include "grid/ww_db_grid.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/session.h"
#include "platform/ui/application.h"
#include "platform/ui/buttons.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int BankAccounts = 40;

// The accounts directory, deployed by a first start and then filled. Each
// account gets a bank of its own, as the reference window requires, so that
// the window finds it by its bank and card. The filling runs in a child
// process, so that the peak memory measured is the program's alone.
QString AccountsDirectory()
{
    static QTemporaryDir directory;
    static const bool filled = [] {
        Session().AddStandardAlias(QStringLiteral("VrAccounts"), directory.path());
        const pid_t child = fork();
        if (child == 0) {
            { TADm1 deploy(nullptr); }
            FillAccountsData(QDir(directory.path()).filePath(QStringLiteral("DataQuelt.sqlite")), TAccountsShape{});
            TADm1 fill(nullptr);
            fill.DataQuelt->EngineDatabase().Execute(
                QStringLiteral("update BankAcnt set BankCode = BankAccountCode, CardCode = '0000000001'"));
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }();
    if (!filled)
        throw std::runtime_error("the accounts database could not be filled");
    return directory.path();
}

// The program as it runs: the data modules and the main window, shown.
struct TProgram : TStartedProgram {
    TProgram() : TStartedProgram(AccountsDirectory)
    {
        window = std::make_unique<TFrmMainMenu>();
        window->resize(1024, 768);
        window->show();
        Application->ProcessMessages();
    }

    void ChooseAccount(int account)
    {
        window->wwDbLupEditBankAccount->SetLookupValue(BenchCode(account, 10));
        window->SpeedButton4Click(window->SpeedButton4);
        Repaint();
    }

    void Repaint() { window->wwDBGrid14->viewport()->repaint(); }

    std::unique_ptr<TFrmMainMenu> window;
};

TProgram& Program()
{
    static TProgram program;
    return program;
}

double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// The program's own memory now, without the pages of the database file that
// the engine maps, which count in the peak but belong to the file.
double AnonymousMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("RssAnon:"))
            return line.mid(8).trimmed().split(' ').front().toDouble() / 1024.0;
    return 0;
}

void SwitchBankAccount(benchmark::State& state)
{
    TProgram& program = Program();
    int account = 0;
    for (auto _ : state) {
        program.ChooseAccount(account % BankAccounts + 1);
        ++account;
    }
    benchmark::DoNotOptimize(program.adm1->TblTranBank1->RecNo());
    state.counters["limit_us"] = 100000;
    state.counters["peak_mb"] = PeakMegabytes();
    state.counters["anon_mb"] = AnonymousMegabytes();
}

void TitleClickSort(benchmark::State& state)
{
    TProgram& program = Program();
    program.ChooseAccount(7);
    const QString titles[] = {QStringLiteral("DebitAmount"), QStringLiteral("CreditAmount")};
    int click = 0;
    for (auto _ : state) {
        program.window->TransactionTitleButtonClick(program.window->wwDBGrid14, titles[click++ % 2]);
        program.Repaint();
    }
    state.counters["limit_us"] = 100000;
}

void PostTypedRow(benchmark::State& state)
{
    TProgram& program = Program();
    program.ChooseAccount(11);
    TwwTable* bank = program.adm1->TblTranBank1;
    for (auto _ : state) {
        bank->Insert();
        bank->FieldByName(QStringLiteral("TransactionDate"))->SetText(QStringLiteral("03/10/2026"));
        bank->FieldByName(QStringLiteral("BankItemCode"))->SetAsString(QStringLiteral("002"));
        bank->FieldByName(QStringLiteral("DebitAmount"))->SetText(QStringLiteral("19.99"));
        bank->Post();
    }
    state.counters["limit_us"] = 5000;
    state.counters["peak_mb"] = PeakMegabytes();
}

} // namespace

BENCHMARK(SwitchBankAccount)->Unit(benchmark::kMillisecond)->Iterations(40);
BENCHMARK(TitleClickSort)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(PostTypedRow)->Unit(benchmark::kMillisecond)->Iterations(50);
