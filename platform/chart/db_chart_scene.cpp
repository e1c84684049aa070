// The Qt Charts side of TDBChart: its series and axes made from our series'
// points, and where they fall on screen for the drawing done over them.
#include "platform/chart/chart_series.h"
#include "platform/chart/db_chart.h"
#include "platform/rtl/format.h"
#include <QBarCategoryAxis>
#include <QBarLegendMarker>
#include <QBarSeries>
#include <QBarSet>
#include <QLegend>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr qreal BarWidth = 0.7;        // of a category, shared by the bar series side by side
constexpr qreal ValueHeadroom = 0.12;  // above the highest value, where its mark goes

Qt::Alignment LegendAlignment(TLegendAlignment alignment)
{
    switch (alignment) {
    case TLegendAlignment::laLeft: return Qt::AlignLeft;
    case TLegendAlignment::laTop: return Qt::AlignTop;
    case TLegendAlignment::laBottom: return Qt::AlignBottom;
    case TLegendAlignment::laRight: break;
    }
    return Qt::AlignRight;
}

// Round ticks, five to seven of them, that hold low and high.
struct TScale {
    double Min, Max, Step;
    int Ticks;
};

TScale NiceScale(double low, double high)
{
    const double rough = (high - low) / 6;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    double step = magnitude * 10;
    for (const double factor : {1.0, 2.0, 2.5, 5.0})
        if (magnitude * factor >= rough) {
            step = magnitude * factor;
            break;
        }
    const double min = std::floor(low / step) * step;
    const double max = std::ceil(high / step) * step;
    return {min, max, step, int(std::lround((max - min) / step)) + 1};
}

// Qt's category axis refuses a category twice: a repeated label gets a
// trailing blank per repeat, which does not show.
QStringList DistinctLabels(const std::map<double, QString>& labels)
{
    QStringList result;
    for (const auto& [x, label] : labels) {
        QString text = label.isEmpty() ? FloatToStr(x) : label;
        while (result.contains(text)) text += QLatin1Char(' ');
        result << text;
    }
    return result;
}

} // namespace

void TDBChart::Rebuild()
{
    QChart& view = *chart();
    ResetZoom();
    view.removeAllSeries();
    bars_ = nullptr;
    drawn_.assign(series_.size(), nullptr);

    std::map<double, QString> labels;
    for (const TChartSeries* series : series_)
        if (series->Active())
            for (int i = 0; i < series->Count(); ++i) labels.emplace(series->Points(i).X, series->Points(i).Label);
    categoryValues_.clear();
    for (const auto& entry : labels) categoryValues_.push_back(entry.first);
    categories_ = DistinctLabels(labels);
    UpdateAxes();

    const auto attach = [&view](QAbstractSeries* series) {
        view.addSeries(series);
        for (QAbstractAxis* axis : view.axes()) series->attachAxis(axis);
    };
    for (size_t i = 0; i < series_.size(); ++i) {
        const TChartSeries& series = *series_[i];
        if (!series.Active()) continue;
        if (series.Kind() == TChartSeriesKind::Bar) {
            if (!bars_) {
                bars_ = new QBarSeries;
                bars_->setBarWidth(BarWidth);
                attach(bars_);
            }
            auto* set = new QBarSet(series.Title());
            QList<qreal> values(categories_.size(), 0);
            for (int p = 0; p < series.Count(); ++p) values[Category(series.Points(p).X)] = series.Points(p).Y;
            set->append(values);
            bars_->append(set);
            drawn_[i] = bars_;
            continue;
        }
        QList<QPointF> points;
        for (int p = 0; p < series.Count(); ++p) points << QPointF(Category(series.Points(p).X), series.Points(p).Y);
        std::stable_sort(points.begin(), points.end(), [](QPointF a, QPointF b) { return a.x() < b.x(); });
        QXYSeries* drawn = nullptr;
        if (series.Kind() == TChartSeriesKind::Line) {
            drawn = new QLineSeries;
        } else {
            auto* scatter = new QScatterSeries;
            scatter->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
            scatter->setMarkerSize(ChartPainting::PointSize);
            drawn = scatter;
        }
        drawn->setName(series.Title());
        drawn->append(points);
        attach(drawn);
        drawn_[i] = drawn;
    }

    PaintFlat();
    view.legend()->setVisible(legend_.Visible());
    view.legend()->setAlignment(LegendAlignment(legend_.Alignment()));
    UpdateMargins();
    viewport()->update();
}

// Qt draws the series when the chart is flat. In 3D they are drawn over it
// whole, so Qt's drawing is made invisible lest its edges show beside ours;
// the legend keeps the series' colours.
void TDBChart::PaintFlat()
{
    const bool flat = !view3D_;
    int set = 0;
    for (size_t i = 0; i < series_.size(); ++i) {
        QAbstractSeries* drawn = drawn_[i];
        if (!drawn) continue;
        const QColor color = series_[i]->SeriesColor();
        const QColor edge = ChartPainting::EdgeColor(color);
        QList<QLegendMarker*> markers = chart()->legend()->markers(drawn);
        switch (series_[i]->Kind()) {
        case TChartSeriesKind::Bar: {
            QBarSet* bars = bars_->barSets().at(set++);
            bars->setBrush(flat ? color : Qt::transparent);
            bars->setPen(flat ? QPen(edge, 1) : QPen(Qt::NoPen));
            markers.removeIf([bars](QLegendMarker* marker) { return static_cast<QBarLegendMarker*>(marker)->barset() != bars; });
            break;
        }
        case TChartSeriesKind::Line:
            static_cast<QLineSeries*>(drawn)->setPen(QPen(flat ? color : Qt::transparent, ChartPainting::LineWidth,
                                                          Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            break;
        case TChartSeriesKind::Point: {
            auto* points = static_cast<QScatterSeries*>(drawn);
            points->setColor(flat ? color : Qt::transparent);
            points->setBorderColor(flat ? edge : Qt::transparent);
            break;
        }
        }
        for (QLegendMarker* marker : markers) {
            marker->setBrush(color);
            marker->setPen(QPen(edge, 1));
        }
    }
}

// The axes stay for the chart's life (Qt removes a dropped axis's drawing
// only later): each rebuild gives them the new labels and range.
void TDBChart::AddAxes()
{
    QChart& view = *chart();
    bottom_ = new QBarCategoryAxis;
    view.addAxis(bottom_, Qt::AlignBottom);
    left_ = new QValueAxis;
    view.addAxis(left_, Qt::AlignLeft);
    top_ = new QBarCategoryAxis;
    view.addAxis(top_, Qt::AlignTop);
    right_ = new QValueAxis;
    view.addAxis(right_, Qt::AlignRight);
}

void TDBChart::UpdateAxes()
{
    double low = 0, high = 0;
    for (const TChartSeries* series : series_)
        if (series->Active())
            for (int i = 0; i < series->Count(); ++i) {
                low = std::min(low, series->Points(i).Y);
                high = std::max(high, series->Points(i).Y);
            }
    if (high <= low) high = low + 1;
    const double headroom = (high - low) * ValueHeadroom;

    for (const auto& [axis, part] : {std::pair(bottom_, &bottomAxis_), std::pair(top_, &topAxis_)}) {
        axis->clear();
        axis->append(categories_);
        axis->setTitleText(part->Title());
        axis->setVisible(part->Visible());
    }
    for (const auto& [axis, part] : {std::pair(left_, &leftAxis_), std::pair(right_, &rightAxis_)}) {
        const TScale scale = NiceScale(high > 0 ? low : low - headroom, low < 0 && high <= 0 ? high : high + headroom);
        axis->setRange(scale.Min, scale.Max);
        axis->setTickCount(scale.Ticks);
        axis->setLabelFormat(scale.Step >= 1 ? QStringLiteral("%.0f") : QStringLiteral("%.2f"));
        axis->setTitleText(part->Title());
        axis->setVisible(part->Visible());
    }
}

int TDBChart::Category(double x) const
{
    const auto found = std::lower_bound(categoryValues_.begin(), categoryValues_.end(), x);
    return found == categoryValues_.end() || *found != x ? -1 : int(found - categoryValues_.begin());
}

TChartShapes TDBChart::Shapes() const
{
    QChart& view = *chart();
    TChartShapes shapes;
    shapes.PlotArea = view.mapRectToScene(view.plotArea());
    const auto map = [&view](QPointF value, QAbstractSeries* series) {
        return view.mapToScene(view.mapToPosition(value, series));
    };
    const int setCount = bars_ ? int(bars_->count()) : 0;
    int set = 0;
    for (size_t i = 0; i < series_.size(); ++i) {
        QAbstractSeries* drawn = drawn_[i];
        if (!drawn) continue;
        const TChartSeries& series = *series_[i];
        std::vector<std::pair<QPointF, QString>> points;   // (category, value) and the mark's text
        for (int p = 0; p < series.Count(); ++p) {
            const int category = Category(series.Points(p).X);
            if (category < 0) continue;
            const double y = series.Points(p).Y;
            points.push_back({QPointF(category, y), FormatFloat(QStringLiteral("#,##0.###"), y)});
        }
        std::stable_sort(points.begin(), points.end(), [](const auto& a, const auto& b) { return a.first.x() < b.first.x(); });
        TLineShape line{{}, series.SeriesColor()};
        for (const auto& [value, text] : points) {
            TMarkShape mark{{}, text};
            if (series.Kind() == TChartSeriesKind::Bar) {
                const qreal left = value.x() - BarWidth / 2 + set * BarWidth / setCount;
                const QRectF front = QRectF(map(QPointF(left, value.y()), drawn),
                                            map(QPointF(left + BarWidth / setCount, 0), drawn)).normalized();
                shapes.Bars.push_back({front, series.SeriesColor()});
                mark.Anchor = QPointF(front.center().x(), front.top());
            } else if (series.Kind() == TChartSeriesKind::Line) {
                line.Points << map(value, drawn);
                mark.Anchor = line.Points.back();
                mark.Depth = ChartPainting::RibbonDepth;
            } else {
                const QPointF centre = map(value, drawn);
                const qreal half = ChartPainting::PointSize / 2;
                shapes.Points.push_back({QRectF(centre - QPointF(half, half), centre + QPointF(half, half)), series.SeriesColor()});
                mark.Anchor = QPointF(centre.x(), centre.y() - half);
                mark.Depth = ChartPainting::PointDepth;
            }
            // A zoomed view shows the marks of the points it shows.
            if (series.MarksVisible() && shapes.PlotArea.adjusted(-1, -1, 1, 1).contains(mark.Anchor))
                shapes.Marks.push_back(mark);
        }
        if (series.Kind() == TChartSeriesKind::Bar) ++set;
        if (series.Kind() == TChartSeriesKind::Line) shapes.Lines.push_back(line);
    }
    std::stable_sort(shapes.Bars.begin(), shapes.Bars.end(),
                     [](const TBarShape& a, const TBarShape& b) { return a.Front.left() < b.Front.left(); });
    return shapes;
}
