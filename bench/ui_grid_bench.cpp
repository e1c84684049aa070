// Painting and scrolling a 40-row by 8-column viewport of a grid of a million
// rows whose cells are drawn by the grid's owner (text on a coloured brush).
#include "bench/support/application.h"
#include "bench/support/painting.h"
#include "platform/ui/custom_grid.h"
#include <QImage>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int DataRows = 1'000'000;
constexpr int VisibleRows = 40;
constexpr int VisibleCols = 8;

class TOwnerDrawnGrid : public TCustomGrid {
public:
    TOwnerDrawnGrid()
    {
        SetColCount(VisibleCols + 1);
        SetRowCount(DataRows + 1);
        SetDefaultRowHeight(18);
        SetDefaultColWidth(80);
        SetColWidths(0, 40);
        SetBorderStyle(TGridBorderStyle::bsNone);
        SetScrollBars(TScrollStyle::ssNone);
        // One fixed row and column, then exactly 40 by 8 data cells.
        resize(40 + 1 + VisibleCols * 81, (VisibleRows + 1) * 19);
    }

protected:
    void DrawCell(int col, int row, const QRect& rect, TGridDrawState state) override
    {
        TCanvas& canvas = Canvas();
        if (!(state & (gdFixed | gdSelected)))
            canvas.Brush.Color = row % 2 ? clWhite : clCream;
        canvas.TextRect(rect, rect.left() + 2, rect.top() + 2,
                        QString::number(row * 10 + col));
    }
};

void GridPaintViewport(benchmark::State& state)
{
    BenchApplicationOf();
    TOwnerDrawnGrid grid;
    grid.show();
    QApplication::processEvents();
    grid.SetTopRow(DataRows / 2);
    const TPaintCount painted(*grid.viewport());
    QImage image(grid.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        grid.viewport()->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    ReportPaints(state, painted);
    if (grid.VisibleRowCount() != VisibleRows || grid.VisibleColCount() != VisibleCols)
        state.SkipWithError("the viewport is not 40 by 8 cells");
    state.counters["limit_us"] = 5000;
}

void GridScrollOneRow(benchmark::State& state)
{
    BenchApplicationOf();
    TOwnerDrawnGrid grid;
    grid.show();
    QApplication::processEvents();
    const TPaintCount painted(*grid.viewport());
    int top = 1;
    for (auto _ : state) {
        top = top + 1 < DataRows - VisibleRows ? top + 1 : 1;
        grid.SetTopRow(top);
        // The scrolled pixels stay; only the row that came into view is painted.
        PaintPending();
    }
    ReportPaints(state, painted);
    state.counters["limit_us"] = 1000;
}

}  // namespace

BENCHMARK(GridPaintViewport)->Unit(benchmark::kMicrosecond);
BENCHMARK(GridScrollOneRow)->Unit(benchmark::kMicrosecond);
