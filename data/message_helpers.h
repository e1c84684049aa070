#pragma once
// Small routines the table rules, the summary and report builders and the
// close-period dialog share: the error box of every refused check, blank
// trimming, parts of a date and the English month names.
#include "platform/rtl/datetime.h"
#include <QChar>
#include <QString>

// The error box of a refused check: error icon, OK, help context 1, the text
// followed by a carriage return. Always returns 7 (the "No" result) whatever
// the user pressed; the duplicate checks rely on it.
qint16 ShowErrorMessage(const QString& msg);

QString TrimLeftChar(QString s, QChar c);
QString TrimRightChar(QString s, QChar c);
// Removes leading and trailing blanks (code 32 only; tabs stay).
QString TrimSpaces(const QString& s);

qint16 YearOf(TDateTime d);
qint16 MonthOf(TDateTime d);
// The last day of d's month, at midnight.
TDateTime LastDayOfMonth(TDateTime d);
// "January" .. "December"; ERangeError outside 1 to 12.
QString MonthName(qint16 month);
