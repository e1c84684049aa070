// The chart reads its series from a filtered monthly table, follows changes of
// the rows on refresh without moving or flickering a bound grid, draws only
// active series, and gives the 3D view a depth that grows with its percentage.
#include "platform/chart/chart_shapes.h"
#include "platform/db/data_link.h"
#include "tests/chart/chart_test_env.h"
#include <QElapsedTimer>
#include <QThread>

namespace {

// A grid's view of the table: how often it was told to repaint.
class CountingLink : public TDataLink {
public:
    int Changes = 0;

protected:
    void DataSetChanged() override { ++Changes; }
    void DataSetScrolled(int) override { ++Changes; }
};

QList<double> Expected(double (*value)(int, int), int year, int months)
{
    QList<double> values;
    for (int month = 1; month <= months; ++month) values << value(year, month);
    return values;
}

TEST_F(ChartTest, SeriesReadTheirFieldsInOneHiddenWalkAndFollowChangedRows) {
    TBarSeries* income = AddSeries<TBarSeries>("Income", "Income");
    TLineSeries* expense = AddSeries<TLineSeries>("Expense", "Expense");
    auto* source = new TDataSource(&owner);
    source->SetDataSet(months);
    CountingLink grid;
    grid.SetBufferCount(4);
    grid.SetDataSource(source);
    months->MoveBy(3);
    grid.Changes = 0;

    chart->RefreshData();
    EXPECT_EQ(Values(*income), Expected(IncomeOf, 2026, 6));
    EXPECT_EQ(Values(*expense), Expected(ExpenseOf, 2026, 6));
    EXPECT_EQ(income->Points(4).X, 5);
    EXPECT_EQ(expense->Points(4).Label, "05/2026");
    EXPECT_EQ(chart->Categories(), QStringList({"01/2026", "02/2026", "03/2026", "04/2026", "05/2026", "06/2026"}));
    EXPECT_EQ(months->FieldByName("PeriodMonth")->AsInteger(), 4);
    EXPECT_FALSE(months->ControlsDisabled());
    EXPECT_LE(grid.Changes, 1);

    // Rows rewritten and added behind the table's back, as a rebuild does.
    Engine().Execute("UPDATE TeeData1 SET Income = 99 WHERE PeriodYear = 2026 AND PeriodMonth = 2");
    AddMonth(2026, 7);
    chart->RefreshData();
    QList<double> incomes = Expected(IncomeOf, 2026, 7);
    incomes[1] = 99;
    EXPECT_EQ(Values(*income), incomes);
    EXPECT_EQ(chart->Categories().last(), "07/2026");
    EXPECT_EQ(months->FieldByName("PeriodMonth")->AsInteger(), 4);

    // A record being edited is neither posted nor read.
    months->Edit();
    months->FieldByName("Income")->SetAsFloat(5);
    chart->RefreshData();
    EXPECT_EQ(months->State(), dsEdit);
    EXPECT_EQ(Values(*income), incomes);
    months->Cancel();

    // A field the table does not have is the table's error; nothing is left disabled or moved.
    expense->SetYValuesSource("Expenses");
    EXPECT_THROW(chart->RefreshData(), EDatabaseError);
    EXPECT_FALSE(months->ControlsDisabled());
    EXPECT_EQ(months->FieldByName("PeriodMonth")->AsInteger(), 4);
}

TEST_F(ChartTest, OnlyActiveSeriesAreDrawnAndListedAndSeriesWithoutAValueFieldHaveNoPoints) {
    TBarSeries* income = AddSeries<TBarSeries>("Income", "Income");
    TBarSeries* expense = AddSeries<TBarSeries>("Expense", "Expense");
    TPointSeries* unset = AddSeries<TPointSeries>("", "");
    chart->Legend().SetAlignment(TLegendAlignment::laBottom);
    chart->RefreshData();
    EXPECT_EQ(unset->Count(), 0);
    QImage picture = Grab();
    EXPECT_GT(CountPixels(picture, income->SeriesColor()), 1000);
    EXPECT_GT(CountPixels(picture, expense->SeriesColor()), 1000);

    EXPECT_EQ(LegendLines(), QStringList({"Income", "Expense", ""}));

    expense->SetActive(false);
    delete unset;
    EXPECT_EQ(chart->SeriesCount(), 2);
    EXPECT_EQ(LegendLines(), QStringList({"Income"}));
    chart->SetView3D(true);
    picture = Grab();
    EXPECT_GT(CountPixels(picture, income->SeriesColor()), 1000);
    EXPECT_EQ(CountPixels(picture, expense->SeriesColor()), 0);
    EXPECT_EQ(CountPixels(picture, ChartPainting::SideColor(expense->SeriesColor())), 0);

    // Not read while inactive; made active, it shows the rows of the year now chosen.
    year = 2025;
    months->Close();
    months->Open();
    chart->RefreshData();
    EXPECT_EQ(Values(*expense), Expected(ExpenseOf, 2026, 6));
    expense->SetActive(true);
    chart->RefreshData();
    EXPECT_EQ(Values(*expense), Expected(ExpenseOf, 2025, 12));
    EXPECT_GT(CountPixels(Grab(), expense->SeriesColor()), 1000);
    Shot("two_bar_series_3d");
}

TEST_F(ChartTest, TheDepthOfThe3DViewGrowsWithItsPercentageAndIsGoneWhenFlat) {
    TBarSeries* income = AddSeries<TBarSeries>("Income", "Income");
    TLineSeries* expense = AddSeries<TLineSeries>("Expense", "Expense");
    TPointSeries* points = AddSeries<TPointSeries>("Expense points", "Expense");
    points->SetMarksVisible(false);
    chart->Title().Text().Add("Summary Chart For Year 2026");
    chart->Title().SetFrameVisible(true);
    chart->Legend().SetAlignment(TLegendAlignment::laBottom);
    chart->LeftAxis().SetTitle("Amount");
    chart->RefreshData();
    const auto depthPixels = [&] {
        const QImage picture = Grab();
        return std::tuple(CountPixels(picture, ChartPainting::SideColor(income->SeriesColor())),
                          CountPixels(picture, ChartPainting::TopColor(expense->SeriesColor())),
                          CountPixels(picture, ChartPainting::SideColor(points->SeriesColor())));
    };
    const auto [flatSides, flatRibbon, flatCubes] = depthPixels();
    EXPECT_EQ(flatSides, 0);
    EXPECT_EQ(flatRibbon, 0);
    EXPECT_EQ(flatCubes, 0);
    Shot("bars_lines_2d");

    chart->SetView3D(true);
    chart->SetChart3DPercent(10);
    const auto [shallowSides, shallowRibbon, shallowCubes] = depthPixels();
    chart->SetChart3DPercent(30);
    const auto [deepSides, deepRibbon, deepCubes] = depthPixels();
    Shot("bars_lines_3d");
    EXPECT_GT(shallowSides, 200);
    EXPECT_GT(shallowRibbon, 200);
    EXPECT_GT(shallowCubes, 20);
    EXPECT_GT(deepCubes, shallowCubes);
    EXPECT_GT(deepSides, shallowSides * 3 / 2);
    EXPECT_GT(deepRibbon, shallowRibbon * 3 / 2);
    chart->SetChart3DPercent(15);
    Shot("bars_lines_3d_15");

    // The fronts are drawn again over the depth: the bars keep their colour.
    EXPECT_GT(CountPixels(Grab(), income->SeriesColor()), 1000);

    income->SetActive(false);
    points->SetActive(false);
    Shot("line_3d");
    chart->SetView3D(false);
    Shot("line_2d");
}

TEST_F(ChartTest, DraggingDownRightOverThePlotZoomsAndDraggingBackShowsAll) {
    TBarSeries* income = AddSeries<TBarSeries>("Income", "Income");
    chart->RefreshData();
    Grab();
    const QRect plot = chart->chart()->plotArea().toRect();
    // The bars crossing a line just above the bottom axis: their widths, left to right.
    const auto bars = [&] { return Runs(Grab(), plot.bottom() - 4, income->SeriesColor()); };
    const QList<int> whole = bars();
    ASSERT_EQ(whole.size(), 6);

    Drag(plot.topLeft() + QPoint(2, 2), QPoint(plot.center().x(), plot.bottom() - 2));
    EXPECT_NEAR(chart->ZoomRect().width(), 0.5, 0.02);
    EXPECT_NEAR(chart->ZoomRect().height(), 1, 0.02);
    const QList<int> zoomed = bars();
    ASSERT_EQ(zoomed.size(), 3);
    EXPECT_NEAR(zoomed[0], whole[0] * 2, 3);
    Shot("zoomed");

    // A drag that starts outside the plot, or a click, leaves the view as it is.
    Drag(QPoint(2, 2), plot.center());
    Drag(plot.center(), plot.center());
    EXPECT_EQ(bars(), zoomed);

    Drag(plot.center(), plot.topLeft() + QPoint(4, 4));
    EXPECT_EQ(chart->ZoomRect(), QRectF(0, 0, 1, 1));
    EXPECT_EQ(bars(), whole);

    Drag(plot.topLeft() + QPoint(2, 2), plot.center());
    chart->RefreshData();
    EXPECT_EQ(bars(), whole);

    // An animated zoom ends where the plain one does.
    chart->SetAnimatedZoom(true);
    Drag(plot.topLeft() + QPoint(2, 2), QPoint(plot.center().x(), plot.bottom() - 2));
    QElapsedTimer patience;
    patience.start();
    while (bars() != zoomed && patience.elapsed() < 5000) QThread::msleep(20);
    EXPECT_EQ(bars(), zoomed);
}

// The 3D floor lies under the plot, from its left edge to its right one: none
// of it shows to the right of the plot.
TEST_F(ChartTest, TheFloorOfThe3DViewEndsAtThePlotsRightEdge) {
    AddSeries<TLineSeries>("Expense", "Expense");
    chart->SetView3D(true);
    chart->SetChart3DPercent(30);
    chart->RefreshData();
    const QImage picture = Grab();
    const QRect plot = chart->mapFromScene(chart->chart()->mapRectToScene(chart->chart()->plotArea())).boundingRect();
    const QPointF depth = ChartPainting::DepthOffset(30, chart->size());
    const auto isFloor = [](const QColor& c) {
        return c.rgb() == ChartPainting::FloorEdgeColor.rgb()
               || (c.red() >= ChartPainting::FloorFrontColor.red() && c.red() <= ChartPainting::FloorBackColor.red()
                   && c.blue() - c.red() >= 4);
    };
    int under = 0, beyond = 0;
    for (int y = plot.bottom() + int(depth.y()) + 2; y < plot.bottom() - 1; ++y) {
        for (int x = plot.left() + int(depth.x()) + 2; x < plot.right() - 1; ++x)
            under += isFloor(picture.pixelColor(x, y));
        for (int x = plot.right() + 3; x < plot.right() + int(depth.x()); ++x)
            beyond += isFloor(picture.pixelColor(x, y));
    }
    EXPECT_GT(under, 1000);
    EXPECT_EQ(beyond, 0);
    Shot("floor_3d");
}

} // namespace
