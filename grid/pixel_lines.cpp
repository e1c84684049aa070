#include "grid/pixel_lines.h"
#include <algorithm>

void PixelLine(TCanvas& canvas, TColor color, int x1, int y1, int x2, int y2)
{
    const TBrush brush = canvas.Brush;
    canvas.Brush.Color = color;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.FillRect(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2))));
    canvas.Brush = brush;
}

void DrawButtonEdge(TCanvas& canvas, const QRect& rect, bool pressed)
{
    const TColor light = pressed ? clBtnShadow : clBtnHighlight;
    const TColor dark = pressed ? clBtnHighlight : clBtnShadow;
    const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    PixelLine(canvas, light, l, t, l, b);
    PixelLine(canvas, light, l, t, r, t);
    PixelLine(canvas, dark, r, t + 1, r, b);
    PixelLine(canvas, dark, l + 1, b, r, b);
}
