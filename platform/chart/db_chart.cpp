#include "platform/chart/db_chart.h"
#include "platform/chart/chart_series.h"
#include "platform/chart/series_reader.h"
#include "platform/rtl/exceptions.h"
#include <QGraphicsLayout>
#include <QLocale>
#include <algorithm>

namespace {

constexpr int Gap = 8;

const QColor Palette[] = {QColor(0x35, 0x6a, 0xb3), QColor(0xe0, 0x7b, 0x2c), QColor(0x3f, 0x9a, 0x4a),
                          QColor(0xc6, 0x3b, 0x3b), QColor(0x7b, 0x57, 0xa8), QColor(0x21, 0x9a, 0x9a),
                          QColor(0xcf, 0xa0, 0x1e), QColor(0x6b, 0x6f, 0x78)};

} // namespace

TDBChart::TDBChart(QWidget* parent)
    : QChartView(parent)
{
    setFrameShape(QFrame::NoFrame);
    setRenderHint(QPainter::Antialiasing);
    chart()->setBackgroundRoundness(0);
    chart()->layout()->setContentsMargins(0, 0, 0, 0);
    chart()->setLocalizeNumbers(true);
    QLocale numbers(QLocale::C);
    numbers.setNumberOptions(QLocale::DefaultNumberOptions);   // with thousands separators
    chart()->setLocale(numbers);
    AddAxes();
    SetUpZoom();
    const auto rebuild = [this] { Rebuild(); };
    legend_.OnChanged = leftAxis_.OnChanged = rightAxis_.OnChanged = rebuild;
    topAxis_.OnChanged = bottomAxis_.OnChanged = rebuild;
    title_.OnChanged = [this] {
        UpdateMargins();
        viewport()->update();
    };
    Rebuild();
}

TDBChart::~TDBChart()
{
    for (TChartSeries* series : series_) series->chart_ = nullptr;
}

void TDBChart::SetView3D(bool view3D)
{
    if (view3D == view3D_) return;
    view3D_ = view3D;
    PaintFlat();
    UpdateMargins();
    viewport()->update();
}

void TDBChart::SetChart3DPercent(int percent)
{
    percent = std::clamp(percent, 1, 100);
    if (percent == chart3DPercent_) return;
    chart3DPercent_ = percent;
    UpdateMargins();
    viewport()->update();
}

void TDBChart::RefreshData()
{
    std::vector<std::pair<TDataSet*, std::vector<TChartSeries*>>> byDataSet;
    for (TChartSeries* series : series_) {
        TDataSet* dataSet = series->DataSource();
        if (!series->Active() || !dataSet) continue;
        auto group = std::find_if(byDataSet.begin(), byDataSet.end(), [&](const auto& g) { return g.first == dataSet; });
        if (group == byDataSet.end()) byDataSet.push_back({dataSet, {series}});
        else group->second.push_back(series);
    }
    try {
        for (const auto& [dataSet, series] : byDataSet) TSeriesReader::Read(*dataSet, series);
    } catch (...) {
        Rebuild();
        throw;
    }
    Rebuild();
}

TChartSeries* TDBChart::Series(int index) const
{
    if (index < 0 || index >= SeriesCount()) throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return series_[size_t(index)];
}

QStringList TDBChart::Categories() const
{
    return categories_;
}

void TDBChart::AddSeries(TChartSeries* series)
{
    series_.push_back(series);
    Rebuild();
}

void TDBChart::RemoveSeries(TChartSeries* series)
{
    std::erase(series_, series);
    Rebuild();
}

QColor TDBChart::NextSeriesColor() const
{
    return Palette[series_.size() % std::size(Palette)];
}

QPointF TDBChart::Depth() const
{
    return view3D_ ? ChartPainting::DepthOffset(chart3DPercent_, size()) : QPointF();
}

QStringList TDBChart::TitleLines() const
{
    return title_.Visible() ? title_.Text().ToQStringList() : QStringList();
}

namespace {

// Forms give their fonts in pixels, Qt's defaults in points: scale whichever
// the font carries.
QFont Scaled(QFont font, double factor)
{
    if (font.pixelSize() > 0)
        font.setPixelSize(qMax(1, qRound(font.pixelSize() * factor)));
    else
        font.setPointSizeF(font.pointSizeF() * factor);
    return font;
}

QFont TitleFont(QFont font)
{
    font.setBold(true);
    return Scaled(font, 1.2);
}

QFont MarkFont(QFont font)
{
    return Scaled(font, 0.85);
}

} // namespace

void TDBChart::UpdateMargins()
{
    const QPointF depth = Depth();
    const qreal title = ChartPainting::TitleHeight(TitleLines(), TitleFont(font()));
    const int top = Gap + int(title) + (title > 0 ? Gap : 0) + int(-depth.y());
    chart()->setMargins(QMargins(Gap, top, Gap + int(depth.x()), Gap / 2));
}

void TDBChart::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    UpdateMargins();
}

void TDBChart::drawForeground(QPainter* painter, const QRectF& rect)
{
    QChartView::drawForeground(painter, rect);
    const TChartShapes shapes = Shapes();
    const QPointF depth = Depth();
    if (view3D_) ChartPainting::PaintDepth(*painter, shapes, depth);
    ChartPainting::PaintMarks(*painter, shapes, depth, MarkFont(font()));
    if (dragging_) {
        painter->setPen(QPen(QColor(0x40, 0x40, 0x40), 1, Qt::DashLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawPolygon(mapToScene(band_));
    }
    ChartPainting::PaintTitle(*painter, TitleLines(), chart()->mapRectToScene(chart()->rect()).adjusted(0, Gap, 0, 0),
                              title_.FrameVisible(), TitleFont(font()));
}
