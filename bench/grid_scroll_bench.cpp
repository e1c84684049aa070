// The data grid over a million bank transactions: opening it and painting the
// first screen, then scrolling by a row and by a page from the middle of the
// table, jumping to the last row, and dragging the scroll-bar thumb to the
// middle, each with the repaint the user waits for.
#include "bench/support/application.h"
#include "bench/support/bank_database.h"
#include "bench/support/generate.h"
#include "bench/support/painting.h"
#include "dataset/ww_data_source.h"
#include "dataset/ww_table.h"
#include "grid/ww_db_grid.h"
#include <QKeyEvent>
#include <QScrollBar>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// A window's grid on the transactions in date order, as the bank page shows them.
struct TGridWindow {
    TGridWindow()
    {
        table.SetDatabaseName(BankDatabaseName());
        table.SetTableName(QString::fromLatin1(kBankTable));
        table.SetIndexName(QStringLiteral("ByDate"));
        source.SetDataSet(&table);
        grid.resize(800, 600);
        grid.SetUseTFields(false);
        for (const char* line : {"TransactionDate\t10\tDate", "BankTranSerialNum\t10\tSerial", "BankItemCode\t6\tItem",
                                 "DebitAmount\t12\tDebit", "CreditAmount\t12\tCredit", "External\t5\tExt",
                                 "LoanCode\t6\tLoan~Code"})
            grid.Selected().Add(QString::fromLatin1(line));
        grid.SetTitleLines(2);
        grid.SetTitleButtons(true);
    }
    void Open()
    {
        table.Open();
        grid.SetDataSource(&source);
        grid.show();
        // The window is on the screen once its first events are through.
        benchmark::DoNotOptimize(PaintWhole(grid));
    }
    // A key press as the user gives it, then the repaint of what it changed.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&grid, &event);
        PaintPending();
    }
    // The thumb taken, moved and let go at a position of the bar.
    void DragThumb(int position)
    {
        QScrollBar* bar = grid.verticalScrollBar();
        bar->setSliderDown(true);
        bar->setSliderPosition(position);
        bar->setSliderDown(false);
        PaintPending();
    }

    struct TApplicationFirst {
        TApplicationFirst() { BenchApplicationOf(); }
    } applicationFirst;
    TwwTable table;
    TwwDataSource source;
    TwwDBGrid grid;
};

void OpenGridAndPaintFirstScreen(benchmark::State& state)
{
    BankDatabaseName();   // the data are made once, outside the measure
    long long paints = 0;
    for (auto _ : state) {
        TGridWindow window;
        const TPaintCount painted(window.grid);
        window.Open();
        paints += painted.Paints();
    }
    if (paints == 0) state.SkipWithError("nothing was painted");
    state.counters["paints"] = benchmark::Counter(double(paints), benchmark::Counter::kAvgIterations);
    state.counters["limit_us"] = 50000;
}
BENCHMARK(OpenGridAndPaintFirstScreen)->Unit(benchmark::kMillisecond);

void ScrollGridByOneRow(benchmark::State& state)
{
    TGridWindow window;
    window.Open();
    window.table.SetRecNo(500000);
    const TPaintCount painted(window.grid);
    for (auto _ : state) {
        window.Press(Qt::Key_Down);
        if (window.table.Eof()) window.table.First();
    }
    ReportPaints(state, painted);
    state.counters["limit_us"] = 1000;
}
BENCHMARK(ScrollGridByOneRow)->Unit(benchmark::kMicrosecond);

void PageDownInGrid(benchmark::State& state)
{
    TGridWindow window;
    window.Open();
    window.table.SetRecNo(500000);
    const TPaintCount painted(window.grid);
    for (auto _ : state) {
        window.Press(Qt::Key_PageDown);
        if (window.table.Eof()) window.table.First();
    }
    ReportPaints(state, painted);
    state.counters["limit_us"] = 5000;
}
BENCHMARK(PageDownInGrid)->Unit(benchmark::kMicrosecond);

void JumpToLastRowInGrid(benchmark::State& state)
{
    TGridWindow window;
    window.Open();
    const TPaintCount painted(window.grid);
    for (auto _ : state) {
        window.Press(Qt::Key_End, Qt::ControlModifier);
        state.PauseTiming();
        window.table.First();
        PaintPending();
        state.ResumeTiming();
    }
    ReportPaints(state, painted);
    state.counters["limit_us"] = 20000;
}
BENCHMARK(JumpToLastRowInGrid)->Unit(benchmark::kMicrosecond);

void DragThumbToMiddleOfGrid(benchmark::State& state)
{
    TGridWindow window;
    window.Open();
    const int middle = window.grid.verticalScrollBar()->maximum() / 2;
    const TPaintCount painted(window.grid);
    for (auto _ : state) {
        window.DragThumb(middle);
        state.PauseTiming();
        window.table.First();
        PaintPending();
        state.ResumeTiming();
    }
    ReportPaints(state, painted);
    state.counters["limit_us"] = 20000;
}
BENCHMARK(DragThumbToMiddleOfGrid)->Unit(benchmark::kMicrosecond);

} // namespace
