#pragma once
// A grid cell that shows the picture held in a blob field, as a field's
// ControlType line "Bitmap;stretch mode;copy mode" asks.
#include "platform/ui/canvas.h"
#include <QByteArray>
#include <QImage>
#include <QRect>

// The picture of a blob. A blob that begins with the 8-byte header of a
// stored picture (words 1 and 256, then the size of the rest) is read after it.
QImage PictureFromBlob(const QByteArray& blob);

// "Source Copy" (also any name not known), "Source Paint", "Source And",
// "Source Invert", "Source Erase", "Not Source Copy", "Not Source Erase",
// "Merge Paint".
TCopyMode CopyModeByName(const QString& name);

// Where the picture goes in the cell, and which part of it: "Original Size"
// its top-left part at one pixel in; "Stretch To Fit" the whole cell; "Fit
// Height" and "Fit Width" scaled with its proportions kept. Empty when the
// mode is unknown or the scaled picture would be under 3 pixels a side.
struct TPicturePlacement {
    QRect Target;
    QRect Source;
};
TPicturePlacement PlacePicture(const QSize& picture, const QRect& cell, const QString& stretchMode);
