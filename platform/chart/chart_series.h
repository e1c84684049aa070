#pragma once
// The series of a TDBChart: the points that one kind of drawing (bars, a line,
// points) shows, read from a dataset by field names at each data refresh. The
// chart owns its series; a series tells its chart when anything drawn changes.
#include "platform/db/dataset.h"
#include "platform/rtl/component.h"
#include <QColor>
#include <QPointer>
#include <vector>

class TDBChart;

enum class TChartSeriesKind { Bar, Line, Point };

struct TChartPoint {
    double X = 0;     // the value of the X field, or the row's place when there is none
    double Y = 0;
    QString Label;    // the text under the point on the bottom axis
};

class TChartSeries : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(QColor SeriesColor READ SeriesColor WRITE SetSeriesColor)
    Q_PROPERTY(bool MarksVisible READ MarksVisible WRITE SetMarksVisible)
    Q_PROPERTY(QString XLabelsSource READ XLabelsSource WRITE SetXLabelsSource)
    Q_PROPERTY(QString XValuesSource READ XValuesSource WRITE SetXValuesSource)
    Q_PROPERTY(QString YValuesSource READ YValuesSource WRITE SetYValuesSource)
public:
    ~TChartSeries() override;

    TChartSeriesKind Kind() const { return kind_; }
    TDBChart* ParentChart() const { return chart_; }

    // The legend's text for this series.
    const QString& Title() const { return title_; }
    void SetTitle(const QString& title);
    // An inactive series is neither drawn nor listed in the legend.
    bool Active() const { return active_; }
    void SetActive(bool active);
    const QColor& SeriesColor() const { return color_; }
    void SetSeriesColor(const QColor& color);
    // Marks: each point's value in a small box above it.
    bool MarksVisible() const { return marksVisible_; }
    void SetMarksVisible(bool visible);

    // Where the points come from: the dataset and its fields. A series without a
    // Y field has no points; without an X field its points are placed in row order.
    TDataSet* DataSource() const { return dataSource_; }
    void SetDataSource(TDataSet* dataSet) { dataSource_ = dataSet; }
    const QString& XLabelsSource() const { return xLabelsSource_; }
    void SetXLabelsSource(const QString& field) { xLabelsSource_ = field; }
    const QString& XValuesSource() const { return xValuesSource_; }
    void SetXValuesSource(const QString& field) { xValuesSource_ = field; }
    const QString& YValuesSource() const { return yValuesSource_; }
    void SetYValuesSource(const QString& field) { yValuesSource_ = field; }

    // The points of the last data refresh, in dataset order.
    int Count() const { return int(points_.size()); }
    const TChartPoint& Points(int index) const { return points_.at(size_t(index)); }

protected:
    TChartSeries(TChartSeriesKind kind, TDBChart* chart);

private:
    friend class TDBChart;
    friend class TSeriesReader;
    void Changed();

    const TChartSeriesKind kind_;
    TDBChart* chart_;   // cleared by the chart when it goes first
    QString title_;
    bool active_ = true;
    QColor color_;
    bool marksVisible_ = true;
    QPointer<TDataSet> dataSource_;
    QString xLabelsSource_, xValuesSource_, yValuesSource_;
    std::vector<TChartPoint> points_;
};

// Bars side by side in each category.
class TBarSeries : public TChartSeries {
    Q_OBJECT
public:
    explicit TBarSeries(TDBChart* chart) : TChartSeries(TChartSeriesKind::Bar, chart) {}
};

// A line through the points, without markers.
class TLineSeries : public TChartSeries {
    Q_OBJECT
public:
    explicit TLineSeries(TDBChart* chart) : TChartSeries(TChartSeriesKind::Line, chart) {}
};

// A square marker on each point.
class TPointSeries : public TChartSeries {
    Q_OBJECT
public:
    explicit TPointSeries(TDBChart* chart) : TChartSeries(TChartSeriesKind::Point, chart) {}
};
