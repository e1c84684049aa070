#pragma once
// The faces the stored forms name ("MS Sans Serif", "Arial", "System") are not
// on this system. Their layouts need a face of the same widths: every one of
// them is drawn with the one sans face of those metrics that the setup
// installs, at the pixel height the form gives (for the bitmap face, the
// height it was drawn at), hinted fully so that every character advances by
// whole pixels as on the screens the forms were laid out on.
#include <QFont>
#include <QString>

// Maps the design faces to that face for every font made afterwards; the
// application object does it once at start.
void MapDesignFaces();

// A design font: height below zero is the character height in pixels, above
// zero a size in points.
QFont DesignFont(const QString& family, int height);
