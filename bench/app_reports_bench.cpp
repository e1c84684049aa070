// The report page and the chart page on a book of ten years and forty bank
// accounts: each report run from the page to the painted grid (the summaries
// already up to date) on a million bank transactions; the first report after
// a posted row, which waits for the summaries to be brought up to date, on a
// hundred thousand and on a million, beside the same work in plain SQLite;
// and a change of the chart's year to the redrawn chart. Each report must
// show rows.
#include "app/chart_page.h"
#include "app/main_menu.h"
#include "app/report_page.h"
#include "bench/support/app_program.h"
#include "bench/support/first_report_floor.h"
#include "bench/support/painting.h"
#include "bench/support/plain_sqlite.h"
#include "data/accounts_directory.h"
#include "data/adm1.h"
#include "data/adm2.h"
#include "data/adm3.h"
#include "dataset/ww_table.h"
#include "grid/ww_db_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/db/session.h"
#include "platform/chart/db_chart.h"
#include "platform/ui/buttons.h"
#include "platform/ui/menus.h"
#include "platform/ui/page_controls.h"
#include "platform/ui/application.h"
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

constexpr int Large = 1000000;

TAccountsShape BookOf(int bankTransactions) {
    TAccountsShape shape;
    shape.BankTransactions = bankTransactions;
    return shape;
}

// The program's copy of the cached book of each size, made once a run: the
// program goes back to the same copy, with the rows it posted there.
QString ProgramBook(int bankTransactions) {
    static std::map<int, QString> books;
    auto found = books.find(bankTransactions);
    if (found == books.end())
        found = books.emplace(bankTransactions, AccountsBook(BookOf(bankTransactions))).first;
    Session().AddStandardAlias(AccountsAlias, found->second);
    return found->second;
}

// The program as it runs on a book of that many bank transactions, its
// summaries processed for reports once, with the close date the book holds.
struct TProgram : TStartedProgram {
    explicit TProgram(int bankTransactions)
        : TStartedProgram([bankTransactions] { return ProgramBook(bankTransactions); }), Rows(bankTransactions)
    {
        window = std::make_unique<TFrmMainMenu>();
        window->resize(1280, 800);
        window->show();
        window->ReportPage->ProcessingForReports1Click(nullptr);
        BenchApplication().ProcessMessages();
    }

    int Rows;
    std::unique_ptr<TFrmMainMenu> window;
};

// One program at a time: a figure on a book of another size ends the running
// one and starts the program on its book.
TProgram* running = nullptr;

TProgram& Program(int bankTransactions = Large)
{
    if (!running || running->Rows != bankTransactions) {
        delete running;
        running = nullptr;
        running = new TProgram(bankTransactions);
    }
    return *running;
}

// The report page showing report, ready to run it.
TReportPage& ReportPage(TProgram& program, int report)
{
    TReportPage& page = *program.window->ReportPage;
    program.window->PageControlMain->SetActivePage(program.window->TabReports);
    page.CbReportItems->setCurrentIndex(report);
    return page;
}

// Runs the report and paints its grid; false, with the figure failed, when
// the grid shows no rows: a report that was not built says nothing by its time.
bool RunAndPaint(benchmark::State& state, TReportPage& page)
{
    page.SpeedButton2Click(page.SpeedButton2);
    benchmark::DoNotOptimize(PaintWhole(*page.DBGrid1));
    const TDataSource* source = page.DBGrid1->DataSource();
    if (source && source->DataSet() && !source->DataSet()->IsEmpty())
        return true;
    state.SkipWithError("the report's grid shows no rows");
    return false;
}

void RunReportFromThePage(benchmark::State& state)
{
    TReportPage& page = ReportPage(Program(), int(state.range(0)));
    for (auto _ : state)
        if (!RunAndPaint(state, page))
            break;
    state.counters["limit_us"] = 300000;
}

// A debit no post of the run has written before, so that every post changes its row.
double NextDebit()
{
    static int posts = 0;
    return 10.0 + 0.25 * ++posts;
}

bool DataUpdated(TProgram& program)
{
    return program.adm1->TblConfig->FieldByName(QStringLiteral("DataUpdated"))->AsBoolean();
}

// A row of a bank account posted, then the first report: it brings the
// summaries the post left out of date up to date before it builds its own
// table. A post that did not mark them out of date would leave nothing to
// wait for, and fails the figure.
void FirstReportAfterAPost(benchmark::State& state)
{
    TProgram& program = Program(int(state.range(0)));
    ShowBankAccount(*program.window, 3);
    TReportPage& page = ReportPage(program, 0);
    TwwTable& bank = *program.adm1->TblTranBank1;
    if (bank.IsEmpty()) {
        state.SkipWithError("the shown bank account has no transactions to post");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        bank.Edit();
        bank.FieldByName(QStringLiteral("DebitAmount"))->SetAsFloat(NextDebit());
        bank.Post();
        const bool marked = DataUpdated(program);
        state.ResumeTiming();
        if (!marked) {
            state.SkipWithError("the post did not mark the summaries out of date");
            break;
        }
        if (!RunAndPaint(state, page))
            break;
        if (DataUpdated(program)) {
            state.SkipWithError("the report left the summaries marked out of date");
            break;
        }
    }
    state.counters["limit_us"] = state.range(0) == Large ? 1000000 : 300000;
    state.counters["max_ratio"] = 2.5;
    state.counters["wall_only"] = 1;   // the user waits for the grid, commits and all
}

// Floor: the same post on a copy of the same book, then the same work in
// plain SQLite (see first_report_floor.h): as the program after its first run
// in a session, it adds up only the months whose transactions changed. A post
// that wrote no summary row, or a report of no rows, proves nothing and fails.
void FirstReportAfterAPost_Floor(benchmark::State& state)
{
    static std::map<int, QString> copies;
    const int rows = int(state.range(0));
    auto copy = copies.find(rows);
    if (copy == copies.end()) {
        copy = copies.emplace(rows, AccountsBook(BookOf(rows))).first;
        if (running)   // the alias goes back to the program's book
            ProgramBook(running->Rows);
    }
    sqlite3* db = OpenLikeEngine(QDir(copy->second).filePath(QStringLiteral("DataQuelt.sqlite")));
    // Up to date before the first post, as the program's first run leaves it.
    ExecPlain(db, "UPDATE PConfig1 SET DataUpdated = 1");
    FirstReportLikeWork(db);
    {
        TPlainStatement post(db, "UPDATE TrnBnk1a SET DebitAmount = ? WHERE rowid = (SELECT min(rowid) FROM TrnBnk1a "
                                 "WHERE BankAccountCode = '0000000003')");
        for (auto _ : state) {
            state.PauseTiming();
            post.Bind(1, NextDebit());
            post.Run();
            ExecPlain(db, "UPDATE PConfig1 SET DataUpdated = 1");
            state.ResumeTiming();
            const TFirstReportWork work = FirstReportLikeWork(db);
            if (work.Written == 0 || work.ReportRows <= 1 || work.AddedAll) {
                state.SkipWithError("the floor wrote no summary row, added up every transaction or built an empty report");
                break;
            }
        }
    }
    // Added up afresh, every transaction gives the rows the floor's runs left.
    EndFirstReportLogs(db);
    ExecPlain(db, "UPDATE PConfig1 SET DataUpdated = 1");
    if (FirstReportLikeWork(db).Written != 0)
        state.SkipWithError("the floor's runs left other rows than adding every transaction up writes");
    sqlite3_close(db);
}

void ChangeTheChartYear(benchmark::State& state)
{
    TProgram& program = Program();
    TChartPage& page = *program.window->ChartPage;
    if (!program.window->MnuViewChart->Checked())
        program.window->MnuViewChartClick(nullptr);
    const int last = program.adm1->LastDataYear;
    int year = last;
    for (auto _ : state) {
        year = year == last ? last - 1 : last;
        page.EdtYear->setText(QString::number(year));
        benchmark::DoNotOptimize(PaintWhole(*page.DBChart1));
    }
    state.counters["limit_us"] = 100000;
}

}  // namespace

BENCHMARK(RunReportFromThePage)->DenseRange(0, 8)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(FirstReportAfterAPost)->Arg(100000)->Arg(Large)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(FirstReportAfterAPost_Floor)->Arg(100000)->Arg(Large)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ChangeTheChartYear)->Unit(benchmark::kMillisecond)->Iterations(10);
