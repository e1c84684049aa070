#pragma once
// Text formatting and conversion routines as the system uses them.
#include "platform/rtl/datetime.h"
#include <QString>
#include <QVariant>
#include <initializer_list>

// printf-style formatting over variant arguments: %[-][width][.precision] with
// d (precision = minimum digits: "%.10d", "%.3d"; "%.0d" of 0 gives "0"), s,
// f and n (fixed, n with thousands; 2 decimals by default), g (as FloatToStr),
// e, x; %% for a percent sign. EConvertError on a missing argument, a
// mismatch between a directive and its argument, or a width or precision
// above 1024.
QString Format(const QString& format, std::initializer_list<QVariant> args);

// Date patterns: d dd ddd dddd m mm mmm mmmm yy yyyy h hh n nn s ss am/pm ampm,
// "/" and ":" as the settings' separators, quoted literals; case-insensitive
// letters ("DDD, DD, MMM, YYYY"). 0 (a null date) still formats as 30/12/1899.
QString FormatDateTime(const QString& pattern, TDateTime value);
QString DateToStr(TDateTime value);      // short date format
QString TimeToStr(TDateTime value);      // long time format
QString DateTimeToStr(TDateTime value);
TDateTime StrToDate(const QString& text);  // short date order; EConvertError when invalid
bool TryStrToDate(const QString& text, TDateTime& result);

// Numbers.
QString IntToStr(qint64 value);
qint64 StrToInt(const QString& text);                 // EConvertError "'x' is not a valid integer value"
qint64 StrToIntDef(const QString& text, qint64 def);
bool TryStrToInt(const QString& text, qint64& result);
QString FloatToStr(double value);                     // general format, 15 significant digits
double StrToFloat(const QString& text);               // EConvertError "'x' is not a valid floating point value"
bool TryStrToFloat(const QString& text, double& result);
[[noreturn]] void NotAFloatError(const QString& text);  // the EConvertError of StrToFloat
// Picture formats of display and edit formats: "#", "0", ".", ",", ";" sections,
// e.g. ",.00" -> "1,234.50", ".00" -> "1234.50".
QString FormatFloat(const QString& format, double value);
