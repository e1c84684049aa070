#pragma once
// The pictures of the date edit's buttons and of its pop-ups' buttons, drawn
// here rather than kept as files.
#include <QPixmap>

// A month sheet: a red header over a grid of days ("MONTHBUTTON").
QPixmap MonthButtonGlyph();
// A stack of sheets for the whole year ("YEARBUTTON").
QPixmap YearButtonGlyph();
// The pop-ups' buttons: a green tick, a red cross, a sheet with today's mark.
QPixmap OkGlyph();
QPixmap CancelGlyph();
QPixmap TodayGlyph();
