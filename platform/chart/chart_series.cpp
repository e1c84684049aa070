#include "platform/chart/chart_series.h"
#include "platform/chart/db_chart.h"
#include "platform/db/dataset.h"

TChartSeries::TChartSeries(TChartSeriesKind kind, TDBChart* chart)
    : kind_(kind), chart_(chart)
{
    setParent(chart);
    color_ = chart->NextSeriesColor();
    chart->AddSeries(this);
}

TChartSeries::~TChartSeries()
{
    if (chart_) chart_->RemoveSeries(this);
}

void TChartSeries::SetTitle(const QString& title)
{
    if (title == title_) return;
    title_ = title;
    Changed();
}

void TChartSeries::SetActive(bool active)
{
    if (active == active_) return;
    active_ = active;
    Changed();
}

void TChartSeries::SetSeriesColor(const QColor& color)
{
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TChartSeries::SetMarksVisible(bool visible)
{
    if (visible == marksVisible_) return;
    marksVisible_ = visible;
    Changed();
}

void TChartSeries::Changed()
{
    if (chart_) chart_->SeriesChanged();
}
