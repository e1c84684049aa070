#include "platform/chart/chart_shapes.h"
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

namespace ChartPainting {

namespace {

constexpr qreal TitlePadding = 4;
constexpr qreal MarkPadding = 2;
constexpr qreal MarkArm = 6;   // the line from a point up to its mark

QPolygonF Face(QPointF a, QPointF b, QPointF depth)
{
    return QPolygonF({a, b, b + depth, a + depth});
}

// The faces a box shows besides its front when the back is up and right:
// the top and the right side.
void PaintBox(QPainter& painter, const QRectF& front, const QColor& color, QPointF depth)
{
    painter.setPen(QPen(EdgeColor(color), 1));
    painter.setBrush(TopColor(color));
    painter.drawPolygon(Face(front.topLeft(), front.topRight(), depth));
    painter.setBrush(SideColor(color));
    painter.drawPolygon(Face(front.topRight(), front.bottomRight(), depth));
    painter.setBrush(color);
    painter.drawRect(front);
}

// The floor under the plot, going back from its bottom edge. It ends at the
// plot's right edge, where the flat plot and its right axis end: carried on
// to the depth's offset, its corner would stick out there.
void PaintFloor(QPainter& painter, const QRectF& plot, QPointF depth)
{
    QLinearGradient shade(plot.bottomLeft(), plot.bottomLeft() + QPointF(0, depth.y()));
    shade.setColorAt(0, FloorFrontColor);
    shade.setColorAt(1, FloorBackColor);
    painter.setPen(QPen(FloorEdgeColor, 1));
    painter.setBrush(shade);
    const qreal back = plot.bottom() + depth.y();
    painter.drawPolygon(QPolygonF({plot.bottomLeft(), plot.bottomRight(), QPointF(plot.right(), back),
                                   QPointF(std::min(plot.left() + depth.x(), plot.right()), back)}));
}

// A line as a ribbon: each segment's face going back, then the line in front.
void PaintRibbon(QPainter& painter, const TLineShape& line, QPointF depth)
{
    painter.setPen(QPen(EdgeColor(line.Color), 1));
    painter.setBrush(TopColor(line.Color));
    for (qsizetype i = 0; i + 1 < line.Points.size(); ++i)
        painter.drawPolygon(Face(line.Points[i], line.Points[i + 1], depth));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(line.Color, LineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(line.Points);
}

} // namespace

QColor EdgeColor(const QColor& color) { return color.darker(150); }
QColor TopColor(const QColor& color) { return color.lighter(125); }
QColor SideColor(const QColor& color) { return color.darker(135); }

QPointF DepthOffset(int percent, const QSizeF& chartSize)
{
    const qreal depth = std::clamp(percent, 0, 100) / 100.0 * std::min(chartSize.width(), chartSize.height()) * 0.4;
    return QPointF(depth, -depth * 0.7);
}

void PaintDepth(QPainter& painter, const TChartShapes& shapes, QPointF depth)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setClipRect(shapes.PlotArea.adjusted(-1, depth.y() - 1, depth.x() + 1, 1));
    PaintFloor(painter, shapes.PlotArea, depth);
    for (const TBarShape& bar : shapes.Bars) PaintBox(painter, bar.Front, bar.Color, depth);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const TLineShape& line : shapes.Lines) PaintRibbon(painter, line, depth * RibbonDepth);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const TPointShape& point : shapes.Points) PaintBox(painter, point.Front, point.Color, depth * PointDepth);
    painter.restore();
}

void PaintMarks(QPainter& painter, const TChartShapes& shapes, QPointF depth, const QFont& font)
{
    painter.save();
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    for (const TMarkShape& mark : shapes.Marks) {
        const QPointF foot = mark.Anchor + QPointF(depth.x() / 2, depth.y()) * mark.Depth;
        const QPointF head = foot - QPointF(0, MarkArm);
        const qreal width = metrics.horizontalAdvance(mark.Text) + 2 * MarkPadding;
        const qreal height = metrics.height() + MarkPadding;
        const QRectF box(head.x() - width / 2, head.y() - height, width, height);
        painter.setPen(QPen(QColor(0x70, 0x70, 0x70), 1));
        painter.drawLine(foot, head);
        painter.setBrush(QColor(0xff, 0xff, 0xe1));
        painter.drawRect(box);
        painter.setPen(Qt::black);
        painter.drawText(box, Qt::AlignCenter, mark.Text);
    }
    painter.restore();
}

qreal TitleHeight(const QStringList& lines, const QFont& font)
{
    if (lines.isEmpty()) return 0;
    return lines.size() * QFontMetricsF(font).lineSpacing() + 2 * TitlePadding;
}

void PaintTitle(QPainter& painter, const QStringList& lines, const QRectF& area, bool frame, const QFont& font)
{
    if (lines.isEmpty()) return;
    const QFontMetricsF metrics(font);
    qreal width = 0;
    for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
    width += 4 * TitlePadding;
    const QRectF box(area.center().x() - width / 2, area.top(), width, TitleHeight(lines, font));
    painter.save();
    if (frame) {
        painter.setPen(QPen(QColor(0x60, 0x68, 0x78), 1));
        painter.setBrush(QColor(0xf7, 0xf9, 0xfc));
        painter.drawRect(box);
    }
    painter.setFont(font);
    painter.setPen(QColor(0x1f, 0x2d, 0x5a));
    painter.drawText(box.adjusted(0, TitlePadding, 0, -TitlePadding), Qt::AlignHCenter | Qt::AlignTop, lines.join('\n'));
    painter.restore();
}

} // namespace ChartPainting
