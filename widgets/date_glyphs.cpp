#include "widgets/date_glyphs.h"
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int GlyphSize = 16;

QPixmap EmptyGlyph()
{
    QPixmap glyph(GlyphSize, GlyphSize);
    glyph.fill(Qt::transparent);
    return glyph;
}

// One calendar sheet within Frame: white paper, a red binding strip on top.
void DrawSheet(QPainter& painter, const QRect& frame)
{
    painter.setPen(QColor(64, 64, 64));
    painter.setBrush(Qt::white);
    painter.drawRect(frame);
    painter.fillRect(QRect(frame.left() + 1, frame.top() + 1, frame.width() - 1, 3), QColor(200, 30, 30));
}

// Rows x Cols small navy blocks, the days or months on a sheet, from (Left, Top).
void DrawBlocks(QPainter& painter, int left, int top, int cols, int rows)
{
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < cols; ++col)
            painter.fillRect(QRect(left + col * 3, top + row * 3, 2, 2), QColor(0, 0, 128));
}

} // namespace

QPixmap MonthButtonGlyph()
{
    QPixmap glyph = EmptyGlyph();
    QPainter painter(&glyph);
    DrawSheet(painter, QRect(1, 1, 13, 13));
    DrawBlocks(painter, 3, 6, 4, 3);
    return glyph;
}

QPixmap YearButtonGlyph()
{
    QPixmap glyph = EmptyGlyph();
    QPainter painter(&glyph);
    DrawSheet(painter, QRect(4, 0, 11, 11));
    DrawSheet(painter, QRect(2, 2, 11, 11));
    DrawSheet(painter, QRect(0, 4, 11, 11));
    DrawBlocks(painter, 2, 9, 3, 2);
    return glyph;
}

QPixmap OkGlyph()
{
    QPixmap glyph = EmptyGlyph();
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 140, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(3, 8);
    tick.lineTo(6.5, 12);
    tick.lineTo(13, 3.5);
    painter.drawPath(tick);
    return glyph;
}

QPixmap CancelGlyph()
{
    QPixmap glyph = EmptyGlyph();
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(200, 0, 0), 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(4, 4), QPointF(12, 12));
    painter.drawLine(QPointF(12, 4), QPointF(4, 12));
    return glyph;
}

QPixmap TodayGlyph()
{
    QPixmap glyph = EmptyGlyph();
    QPainter painter(&glyph);
    DrawSheet(painter, QRect(1, 1, 13, 13));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(200, 30, 30), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(4.5, 6.5, 6, 6));
    return glyph;
}
