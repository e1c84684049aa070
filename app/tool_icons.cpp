#include "app/tool_icons.h"
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int Size = 16;
const QColor Ink(40, 48, 64);

// Three stacked books with coloured spines: the reference tables.
void DrawReferences(QPainter& painter)
{
    const QColor spines[] = {QColor(178, 54, 48), QColor(48, 104, 170), QColor(58, 140, 74)};
    for (int i = 0; i < 3; ++i) {
        const QRectF book(2.5 + i * 4, 2.5 + (i == 1 ? 1 : 0), 3.5, 11 - (i == 1 ? 1 : 0));
        painter.setBrush(spines[i]);
        painter.drawRect(book);
        painter.drawLine(QPointF(book.left(), book.top() + 2.5), QPointF(book.right(), book.top() + 2.5));
    }
    painter.drawLine(QPointF(1, 14.5), QPointF(15, 14.5));
}

// A leaf of a desk calendar with its red header and a grid of days.
void DrawCalendar(QPainter& painter)
{
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(1.5, 2.5, 13, 12));
    painter.setBrush(QColor(196, 44, 44));
    painter.drawRect(QRectF(1.5, 2.5, 13, 3.5));
    painter.setPen(QPen(Ink, 1));
    painter.drawLine(QPointF(4.5, 1), QPointF(4.5, 4));
    painter.drawLine(QPointF(11.5, 1), QPointF(11.5, 4));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Ink);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col)
            painter.drawRect(QRectF(3 + col * 3, 7.5 + row * 2.3, 1.6, 1.4));
}

// Bars growing (or shrinking) from left to right beside an arrow that points
// the way the rows run.
void DrawSort(QPainter& painter, bool descending)
{
    painter.setBrush(QColor(48, 104, 170));
    for (int i = 0; i < 4; ++i) {
        const int rank = descending ? 3 - i : i;
        painter.drawRect(QRectF(7.5, 1.5 + i * 3.5, 2 + rank * 1.6, 2.2));
    }
    painter.setPen(QPen(Ink, 1.4));
    painter.drawLine(QPointF(3.5, 2), QPointF(3.5, 13.5));
    painter.setBrush(Ink);
    const qreal tip = descending ? 14.5 : 1;
    const qreal base = descending ? 10.5 : 5;
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(QPolygonF{QPointF(3.5, tip), QPointF(0.8, base), QPointF(6.2, base)});
}

// An open door with an arrow leaving through it.
void DrawExit(QPainter& painter)
{
    painter.setBrush(QColor(150, 104, 60));
    painter.drawPolygon(QPolygonF{QPointF(2.5, 1.5), QPointF(9.5, 3), QPointF(9.5, 14.5), QPointF(2.5, 14.5)});
    painter.setBrush(QColor(232, 196, 92));
    painter.drawEllipse(QPointF(8, 9), 0.9, 0.9);
    painter.setPen(QPen(QColor(196, 44, 44), 1.8));
    painter.drawLine(QPointF(9, 8), QPointF(14, 8));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(196, 44, 44));
    painter.drawPolygon(QPolygonF{QPointF(15.5, 8), QPointF(12, 5), QPointF(12, 11)});
}

// A green arrow pointing right: show the chosen account's rows.
void DrawGo(QPainter& painter)
{
    painter.setBrush(QColor(58, 150, 74));
    painter.drawPolygon(QPolygonF{QPointF(2, 5.5), QPointF(8.5, 5.5), QPointF(8.5, 2), QPointF(14.5, 8),
                                  QPointF(8.5, 14), QPointF(8.5, 10.5), QPointF(2, 10.5)});
}

} // namespace

QPixmap DrawToolIcon(TToolIcon icon)
{
    QPixmap picture(Size, Size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Ink, 1));
    switch (icon) {
    case TToolIcon::References: DrawReferences(painter); break;
    case TToolIcon::Calendar: DrawCalendar(painter); break;
    case TToolIcon::SortAscending: DrawSort(painter, false); break;
    case TToolIcon::SortDescending: DrawSort(painter, true); break;
    case TToolIcon::Exit: DrawExit(painter); break;
    case TToolIcon::Go: DrawGo(painter); break;
    }
    return picture;
}
