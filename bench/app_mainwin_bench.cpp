// The main window on a database of a million bank transactions over 40
// accounts: choosing a bank account and repainting its grid, a title-click
// sort, and posting a typed row and an edited one after a title sort. The
// window is made once and shown offscreen; the account and sort figures end
// with their grid painted. The posts are judged on wall time: the user waits
// for the commit's flush, which the processor time leaves out.
#include "app/main_menu.h"
#include "bench/support/app_program.h"
#include "bench/support/painting.h"
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
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int BankAccounts = 40;

// The cached book (checked to hold its rows): a million bank transactions over
// forty accounts, each with a bank and card of its own.
QString AccountsDirectory() { return AccountsBook(TAccountsShape{}); }

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
        ShowBankAccount(*window, account);
        Repaint();
    }

    void Repaint() { benchmark::DoNotOptimize(PaintWhole(*window->wwDBGrid14)); }

    // The account chosen and its grid sorted by a title click, in every
    // repetition, whatever figures ran before.
    void ChooseSortedAccount(int account)
    {
        ChooseAccount(account);
        window->TransactionTitleButtonClick(window->wwDBGrid14, QStringLiteral("DebitAmount"));
        Repaint();
    }

    std::unique_ptr<TFrmMainMenu> window;
};

TProgram& Program()
{
    static TProgram program;
    return program;
}

void SwitchBankAccount(benchmark::State& state)
{
    TProgram& program = Program();
    const TPaintCount painted(*program.window->wwDBGrid14);
    int account = 0;
    for (auto _ : state) {
        program.ChooseAccount(account % BankAccounts + 1);
        ++account;
    }
    if (program.adm1->TblTranBank1->IsEmpty())
        state.SkipWithError("the chosen account shows no transactions");
    ReportPaints(state, painted);
    state.counters["limit_us"] = 100000;
}

void TitleClickSort(benchmark::State& state)
{
    TProgram& program = Program();
    program.ChooseAccount(7);
    const QString titles[] = {QStringLiteral("DebitAmount"), QStringLiteral("CreditAmount")};
    const TPaintCount painted(*program.window->wwDBGrid14);
    int click = 0;
    for (auto _ : state) {
        program.window->TransactionTitleButtonClick(program.window->wwDBGrid14, titles[click++ % 2]);
        program.Repaint();
    }
    ReportPaints(state, painted);
    state.counters["limit_us"] = 100000;
}

void PostTypedRow(benchmark::State& state)
{
    TProgram& program = Program();
    program.ChooseSortedAccount(11);
    TwwTable* bank = program.adm1->TblTranBank1;
    for (auto _ : state) {
        bank->Insert();
        bank->FieldByName(QStringLiteral("TransactionDate"))->SetText(QStringLiteral("03/10/2026"));
        bank->FieldByName(QStringLiteral("BankItemCode"))->SetAsString(QStringLiteral("002"));
        bank->FieldByName(QStringLiteral("DebitAmount"))->SetText(QStringLiteral("19.99"));
        bank->Post();
    }
    state.counters["limit_us"] = 3000;
    state.counters["wall_only"] = 1;
}

// Change the item of a row in the middle of an account and post it.
void PostEditedRow(benchmark::State& state)
{
    TProgram& program = Program();
    program.ChooseSortedAccount(12);
    TwwTable* bank = program.adm1->TblTranBank1;
    bank->MoveBy(40);
    int edit = 0;
    for (auto _ : state) {
        bank->Edit();
        bank->FieldByName(QStringLiteral("BankItemCode"))->SetAsString(edit++ % 2 ? QStringLiteral("001") : QStringLiteral("002"));
        bank->Post();
    }
    state.counters["limit_us"] = 3000;
    state.counters["wall_only"] = 1;
}

} // namespace

BENCHMARK(SwitchBankAccount)->Unit(benchmark::kMillisecond)->Iterations(40);
BENCHMARK(TitleClickSort)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(PostTypedRow)->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(PostEditedRow)->Unit(benchmark::kMillisecond)->Iterations(50);
