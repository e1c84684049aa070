#pragma once
// The main window's button pictures, drawn here at 16 x 16 rather than kept as files.
#include <QPixmap>

enum class TToolIcon { References, Calendar, SortAscending, SortDescending, Exit, Go };

QPixmap DrawToolIcon(TToolIcon icon);
