// Zoom of TDBChart: a drag over the plot, and the steps of an animated zoom.
#include "platform/chart/db_chart.h"
#include <QMouseEvent>
#include <QVariantAnimation>

namespace {

constexpr int ZoomDuration = 300;     // milliseconds of an animated zoom
constexpr int LeastZoomDrag = 4;      // pixels a drag must cover both ways to zoom

} // namespace

void TDBChart::SetUpZoom()
{
    zoomSteps_ = new QVariantAnimation(this);
    zoomSteps_->setDuration(ZoomDuration);
    zoomSteps_->setEasingCurve(QEasingCurve::OutCubic);
    connect(zoomSteps_, &QVariantAnimation::valueChanged, this, [this](const QVariant& zoom) { ShowZoom(zoom.toRectF()); });
}

void TDBChart::mousePressEvent(QMouseEvent* event)
{
    const QPointF at = mapToScene(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !allowZoom_ || !chart()->mapRectToScene(chart()->plotArea()).contains(at)) {
        QChartView::mousePressEvent(event);
        return;
    }
    dragging_ = true;
    band_ = QRect(event->position().toPoint(), QSize(1, 1));
}

void TDBChart::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_) {
        QChartView::mouseMoveEvent(event);
        return;
    }
    band_.setBottomRight(event->position().toPoint());
    viewport()->update();
}

void TDBChart::mouseReleaseEvent(QMouseEvent* event)
{
    if (!dragging_ || event->button() != Qt::LeftButton) {
        QChartView::mouseReleaseEvent(event);
        return;
    }
    dragging_ = false;
    band_.setBottomRight(event->position().toPoint());
    viewport()->update();
    if (band_.width() < 0 || band_.height() < 0) {
        ZoomTo(QRectF(0, 0, 1, 1));
        return;
    }
    if (band_.width() < LeastZoomDrag || band_.height() < LeastZoomDrag) return;
    // The band in fractions of the plot in view, then of the whole plot.
    const QRectF plot = chart()->mapRectToScene(chart()->plotArea());
    const QRectF band = mapToScene(band_).boundingRect().intersected(plot);
    const QRectF part((band.left() - plot.left()) / plot.width(), (band.top() - plot.top()) / plot.height(),
                      band.width() / plot.width(), band.height() / plot.height());
    ZoomTo(QRectF(zoom_.left() + part.left() * zoom_.width(), zoom_.top() + part.top() * zoom_.height(),
                  part.width() * zoom_.width(), part.height() * zoom_.height()));
}

// New points are shown whole.
void TDBChart::ResetZoom()
{
    zoomSteps_->stop();
    chart()->zoomReset();
    zoom_ = QRectF(0, 0, 1, 1);
}

void TDBChart::ZoomTo(const QRectF& zoom)
{
    const QRectF from = zoom_;
    zoom_ = zoom;
    zoomSteps_->stop();
    if (!animatedZoom_) {
        ShowZoom(zoom);
        return;
    }
    zoomSteps_->setStartValue(from);
    zoomSteps_->setEndValue(zoom);
    zoomSteps_->start();
}

// Qt zooms from the view in force: back to the whole plot first, then into the part.
void TDBChart::ShowZoom(const QRectF& zoom)
{
    QChart& view = *chart();
    view.zoomReset();
    if (zoom != QRectF(0, 0, 1, 1)) {
        const QRectF plot = view.plotArea();
        view.zoomIn(QRectF(plot.left() + zoom.left() * plot.width(), plot.top() + zoom.top() * plot.height(),
                           zoom.width() * plot.width(), zoom.height() * plot.height()));
    }
    viewport()->update();
}
