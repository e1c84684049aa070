#pragma once
// TDBChart: a chart whose series read their points from datasets by field
// names. Qt Charts draws the flat series, the axes and the legend; the 3D view
// (View3D, its depth in Chart3DPercent), the value marks and the framed title
// are drawn over it by this class.
#include "platform/chart/chart_parts.h"
#include "platform/chart/chart_shapes.h"
#include <QChartView>
#include <vector>

class QBarCategoryAxis;
class QVariantAnimation;
class QBarSeries;
class QValueAxis;
class TChartSeries;

class TDBChart : public QChartView {
    Q_OBJECT
    Q_PROPERTY(bool View3D READ View3D WRITE SetView3D)
    Q_PROPERTY(int Chart3DPercent READ Chart3DPercent WRITE SetChart3DPercent)
    Q_PROPERTY(bool AllowZoom READ AllowZoom WRITE SetAllowZoom)
    Q_PROPERTY(bool AnimatedZoom READ AnimatedZoom WRITE SetAnimatedZoom)
public:
    explicit TDBChart(QWidget* parent = nullptr);
    ~TDBChart() override;

    // The series in the order they were made (which is the legend's order).
    int SeriesCount() const { return int(series_.size()); }
    TChartSeries* Series(int index) const;   // EListError out of range

    TChartTitle& Title() { return title_; }
    TChartLegend& Legend() { return legend_; }
    TChartAxis& LeftAxis() { return leftAxis_; }
    TChartAxis& RightAxis() { return rightAxis_; }
    TChartAxis& TopAxis() { return topAxis_; }
    TChartAxis& BottomAxis() { return bottomAxis_; }

    bool View3D() const { return view3D_; }
    void SetView3D(bool view3D);
    // The depth of the 3D view, 1 to 100 (values outside are brought inside).
    int Chart3DPercent() const { return chart3DPercent_; }
    void SetChart3DPercent(int percent);

    // Zoom: dragging a rectangle down and to the right over the plot shows
    // what it holds; dragging up or to the left shows everything again. An
    // animated zoom moves there in steps. A data refresh shows everything.
    bool AllowZoom() const { return allowZoom_; }
    void SetAllowZoom(bool allow) { allowZoom_ = allow; }
    bool AnimatedZoom() const { return animatedZoom_; }
    void SetAnimatedZoom(bool animated) { animatedZoom_ = animated; }
    // The part of the whole plot in view, in fractions of it: (0, 0, 1, 1) unzoomed.
    QRectF ZoomRect() const { return zoom_; }

    // Reads every active series' points again from its dataset, one walk per
    // dataset, and redraws. A dataset error (a field it does not have) is raised.
    void RefreshData();

    // The categories along the bottom axis: the labels of the points' X values.
    QStringList Categories() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    friend class TChartSeries;
    void AddSeries(TChartSeries* series);
    void RemoveSeries(TChartSeries* series);
    void SeriesChanged() { Rebuild(); }
    QColor NextSeriesColor() const;

    void SetUpZoom();
    void ResetZoom();
    void ZoomTo(const QRectF& zoom);
    void ShowZoom(const QRectF& zoom);

    // Makes Qt's series and axes afresh from our series' points.
    void Rebuild();
    void PaintFlat();
    void AddAxes();
    void UpdateAxes();
    void UpdateMargins();
    QPointF Depth() const;
    QStringList TitleLines() const;
    // The place of an X value on the bottom axis; -1 when it has none.
    int Category(double x) const;
    TChartShapes Shapes() const;

    std::vector<TChartSeries*> series_;
    TChartTitle title_;
    TChartLegend legend_;
    TChartAxis leftAxis_{true}, rightAxis_{false}, topAxis_{false}, bottomAxis_{true};
    bool view3D_ = true;
    int chart3DPercent_ = 15;
    bool allowZoom_ = true;
    bool animatedZoom_ = false;
    QRectF zoom_{0, 0, 1, 1};
    QRect band_;                        // the rectangle being dragged, in the view
    bool dragging_ = false;
    QVariantAnimation* zoomSteps_;

    // What the last rebuild made: the category of each X value, and Qt's
    // series of each of ours (null when it is not drawn).
    std::vector<double> categoryValues_;
    QStringList categories_;
    QBarSeries* bars_ = nullptr;
    QBarCategoryAxis *bottom_ = nullptr, *top_ = nullptr;
    QValueAxis *left_ = nullptr, *right_ = nullptr;
    std::vector<QAbstractSeries*> drawn_;   // parallel to series_
};
