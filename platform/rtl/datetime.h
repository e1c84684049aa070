#pragma once
// TDateTime: days since 30 December 1899 as a double; the fraction is the time
// of day. 0 stands for a null (empty) date wherever a field is empty.
#include <QDate>
#include <QDateTime>
#include <QTime>
#include <cstdint>
#include <functional>

using TDateTime = double;

TDateTime EncodeDate(int year, int month, int day);          // EConvertError when invalid
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
TDateTime EncodeTime(int hour, int min, int sec, int msec);  // EConvertError when invalid
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result);
void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec);
bool IsLeapYear(int year);
int DaysInAMonth(int year, int month);
int DayOfWeek(TDateTime value);  // 1 = Sunday ... 7 = Saturday

TDateTime Now();    // from the clock below
TDateTime Date();   // Now() without its time
TDateTime Time();   // Now() without its date

// The clock Now() reads; tests fix it. Passing an empty function restores the system clock.
void SetClock(std::function<TDateTime()> clock);

// Conversions with Qt's types; a null QDate gives 0 and 0 gives a null QDate.
QDate DateTimeToQDate(TDateTime value);
TDateTime QDateToDateTime(const QDate& date);
QDateTime DateTimeToQDateTime(TDateTime value);
TDateTime QDateTimeToDateTime(const QDateTime& value);
QTime DateTimeToQTime(TDateTime value);
TDateTime QTimeToDateTime(const QTime& time);
