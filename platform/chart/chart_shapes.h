#pragma once
// What a chart's series occupy on screen, in scene coordinates, and the
// painting that Qt Charts does not do itself: the depth of the 3D view (a
// floor, the top and side faces of bars and point cubes, a ribbon behind each
// line), the value marks and the framed title.
#include <QColor>
#include <QFont>
#include <QPolygonF>
#include <QRectF>
#include <QStringList>
#include <vector>

class QPainter;

struct TBarShape { QRectF Front; QColor Color; };
struct TLineShape { QPolygonF Points; QColor Color; };
struct TPointShape { QRectF Front; QColor Color; };
struct TMarkShape {
    QPointF Anchor;
    QString Text;
    qreal Depth = 1;   // how much of the chart's depth the shape under the mark has
};

struct TChartShapes {
    QRectF PlotArea;
    std::vector<TBarShape> Bars;       // left to right, as the depth must cover them
    std::vector<TLineShape> Lines;
    std::vector<TPointShape> Points;
    std::vector<TMarkShape> Marks;     // anchored on the front faces
};

namespace ChartPainting {

// Pens and brushes that Qt's own drawing of the flat series shares with ours.
QColor EdgeColor(const QColor& color);
QColor TopColor(const QColor& color);
QColor SideColor(const QColor& color);
// The floor of the 3D view: its front and back shades and its edge.
inline const QColor FloorFrontColor{0xd8, 0xdc, 0xe2};
inline const QColor FloorBackColor{0xf0, 0xf2, 0xf5};
inline const QColor FloorEdgeColor{0xa0, 0xa6, 0xb0};
constexpr qreal LineWidth = 2;
constexpr qreal PointSize = 9;
constexpr qreal PointDepth = 0.5;    // point cubes and line ribbons are shallower than bars
constexpr qreal RibbonDepth = 0.5;

// The depth offset of the 3D view at this percentage for a chart of this size:
// back is up and to the right.
QPointF DepthOffset(int percent, const QSizeF& chartSize);

// Draws the depth over Qt's flat drawing, then the fronts again over it.
void PaintDepth(QPainter& painter, const TChartShapes& shapes, QPointF depth);
// Marks above the points (above their top faces in 3D).
void PaintMarks(QPainter& painter, const TChartShapes& shapes, QPointF depth, const QFont& font);
// The title's height for these lines, and the title centred at the top of area.
qreal TitleHeight(const QStringList& lines, const QFont& font);
void PaintTitle(QPainter& painter, const QStringList& lines, const QRectF& area, bool frame, const QFont& font);

} // namespace ChartPainting
