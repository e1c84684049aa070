#pragma once
// One-pixel lines of cell edges, buttons and check boxes, with both end
// points drawn: exact pixels, whatever the paint device's line rules.
#include "platform/ui/canvas.h"
#include <QRect>

// A horizontal or vertical line from (x1, y1) to (x2, y2), both included.
void PixelLine(TCanvas& canvas, TColor color, int x1, int y1, int x2, int y2);

// The edge of a button face: light at the top and left, dark at the bottom
// and right (swapped when pressed).
void DrawButtonEdge(TCanvas& canvas, const QRect& rect, bool pressed);
