#pragma once
// Completing a date or time text on the space key: each press adds the next
// part of today's date or of the time now (day, month, year, hour, minute,
// second, AM/PM marker) in the order of the regional formats, or the
// separator that must come before it.
#include "platform/rtl/datetime.h"
#include <QString>

// What an edit that is bound to no field holds.
enum class TwwEditDataType { wwDefault, wwEdtDate, wwEdtTime, wwEdtDateTime };

// The text after one press of the space key at the end of Text; Text itself
// when it is already complete. The year is always written with four digits,
// also under a short date format with a two-digit year: the date readers take
// a two-digit year as 19yy, and today must not come back a century early.
QString CompleteDateTimeText(const QString& text, TwwEditDataType kind, TDateTime now);
