// The report page and the chart page on a database of a million bank
// transactions over ten years and forty accounts: each report run from the
// page to the painted grid (the summaries already up to date); the first
// report after a posted row, which waits for the summaries to be rebuilt; and
// a change of the chart's year to the redrawn chart. Each report must show rows.
#include "app/chart_page.h"
#include "app/main_menu.h"
#include "app/report_page.h"
#include "bench/support/app_program.h"
#include "bench/support/painting.h"
#include "data/adm1.h"
#include "data/adm2.h"
#include "data/adm3.h"
#include "dataset/ww_table.h"
#include "grid/ww_db_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/chart/db_chart.h"
#include "platform/ui/buttons.h"
#include "platform/ui/menus.h"
#include "platform/ui/page_controls.h"
#include "platform/ui/application.h"
#include <QComboBox>
#include <QLineEdit>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The program as it runs on a copy of the cached book (the copy goes at the
// end of the run), its summaries processed for reports once.
struct TProgram : TStartedProgram {
    TProgram() : TStartedProgram([] { return AccountsBook(TAccountsShape{}); })
    {
        adm1->CurrentCloseDate = 0;
        window = std::make_unique<TFrmMainMenu>();
        window->resize(1280, 800);
        window->show();
        window->ReportPage->ProcessingForReports1Click(nullptr);
        BenchApplication().ProcessMessages();
    }

    std::unique_ptr<TFrmMainMenu> window;
};

TProgram& Program()
{
    static TProgram& program = *new TProgram;
    return program;
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

// A row of a bank account posted, then the first report: it rebuilds
// the summaries the post left out of date before it builds its own table.
void FirstReportAfterAPost(benchmark::State& state)
{
    TProgram& program = Program();
    ShowBankAccount(*program.window, 3);
    TReportPage& page = ReportPage(program, 0);
    TwwTable& bank = *program.adm1->TblTranBank1;
    if (bank.IsEmpty()) {
        state.SkipWithError("the shown bank account has no transactions to post");
        return;
    }
    int edit = 0;
    for (auto _ : state) {
        state.PauseTiming();
        bank.Edit();
        bank.FieldByName(QStringLiteral("DebitAmount"))->SetAsFloat(edit++ % 2 ? 10.5 : 20.25);
        bank.Post();
        state.ResumeTiming();
        if (!RunAndPaint(state, page))
            break;
    }
    state.counters["limit_us"] = 300000;
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
BENCHMARK(FirstReportAfterAPost)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ChangeTheChartYear)->Unit(benchmark::kMillisecond)->Iterations(10);
