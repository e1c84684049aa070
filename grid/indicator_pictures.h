#pragma once
// The pictures of a grid's indicator column: the current row, a row being
// edited and a row being inserted. They are black marks on a transparent
// ground, read once from the program's resources ("WWDBGARROW", "WWDBEDIT",
// "WWDBINSERT") and shared by every grid.
#include <QColor>
#include <QImage>

enum class TIndicatorPicture { Arrow, Edit, Insert };
enum TIndicatorColorType { icBlack, icYellow };

// The picture in the indicator's colour: black as drawn, or yellow.
const QImage& IndicatorPicture(TIndicatorPicture picture, TIndicatorColorType color);
