#pragma once
// Reading dates and times as the user types them, under the regional short
// date format, date and time separators, AM/PM strings and short month names.
// Positions count from 1 and move only when a read succeeds. Two-digit years
// always mean 1900 to 1999.
#include "platform/rtl/datetime.h"
#include "platform/rtl/format_settings.h"
#include <QString>

// The part of a date or time text that the caret stands in.
enum TDateTimePart : int {
    dtpDay = 0, dtpMonth = 1, dtpYear = 2, dtpHour = 3, dtpMinute = 4, dtpSecond = 5, dtpAmPm = 6,
};

// The first of the letters D, M and Y in Format decides the order; month-day-year without one.
TDateOrder DateOrderOfFormat(const QString& format);

// Two or three numbers (or short month names) between date separators; with
// two the year is the current one. Blanks after the date are passed over.
bool ReadDateText(const QString& text, int& position, TDateTime& date);
// Hour and minute, optionally seconds, then optionally the AM or PM marker.
bool ReadTimeText(const QString& text, int& position, TDateTime& time);

// The whole text is a date, a time, or a date followed by a time.
bool IsValidDateText(const QString& text);
bool IsValidTimeText(const QString& text);
bool IsValidDateTimeText(const QString& text);

// Caret is the number of characters before the caret.
TDateTimePart DatePartAtCursor(int caret, const QString& text, bool timeOnly);
TDateTimePart TimePartAtCursor(int caret, const QString& text);
