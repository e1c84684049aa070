#include "widgets/tiled_bitmap.h"
#include <QPainter>

TTiledBitmap::TTiledBitmap(QWidget* parent) : QWidget(parent)
{
    resize(65, 65);
    // A background: the controls of its panel stay in front of it, whenever
    // they were made.
    lower();
}

void TTiledBitmap::SetBitMap(const QPixmap& bitmap)
{
    bitmap_ = bitmap;
    update();
}

void TTiledBitmap::paintEvent(QPaintEvent*)
{
    if (bitmap_.isNull())
        return;
    QPainter painter(this);
    painter.drawTiledPixmap(rect(), bitmap_);
}
