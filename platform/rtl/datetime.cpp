#include "platform/rtl/datetime.h"
#include "platform/rtl/exceptions.h"
#include <cmath>
#include <utility>

namespace {

constexpr qint64 MSecsPerDay = 86400000;

// Julian day number of 30 December 1899, day 0 of TDateTime.
qint64 ZeroJulianDay()
{
    static const qint64 day = QDate(1899, 12, 30).toJulianDay();
    return day;
}

std::function<TDateTime()>& Clock()
{
    static std::function<TDateTime()> clock;
    return clock;
}

// Days of 1 January 0001 and of the day after 31 December 9999.
constexpr double FirstDay = -693593;
constexpr double DayAfterLast = 2958466;

// A value that is no day at all (NaN, infinite, or far outside the years the
// calendar covers) cannot be taken apart: the range error, rather than an
// undefined conversion to an integer.
TDateTime Checked(TDateTime value)
{
    if (!(value > FirstDay - 1 && value < DayAfterLast))
        throw ERangeError(QStringLiteral("Range check error"));
    return value;
}

// The day part counts towards zero; the time is the absolute fraction, so
// -1.25 is 29 December 1899 at six in the morning.
double DayPart(TDateTime value) { return std::trunc(Checked(value)); }

qint64 TimeMSecs(TDateTime value)
{
    Checked(value);
    const double fraction = std::fabs(value - std::trunc(value));
    qint64 msecs = std::llround(fraction * MSecsPerDay);
    return msecs >= MSecsPerDay ? MSecsPerDay - 1 : msecs;
}

TDateTime Combine(TDateTime date, TDateTime time)
{
    return date >= 0 ? date + time : date - time;
}

} // namespace

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInAMonth(int year, int month)
{
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInAMonth(year, month))
        return false;
    result = static_cast<double>(QDate(year, month, day).toJulianDay() - ZeroJulianDay());
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime result = 0;
    if (!TryEncodeDate(year, month, day, result))
        throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return result;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    const QDate date = QDate::fromJulianDay(static_cast<qint64>(DayPart(value)) + ZeroJulianDay());
    if (!date.isValid() || date.year() < 1 || date.year() > 9999) {
        year = month = day = 0;
        return;
    }
    year = date.year();
    month = date.month();
    day = date.day();
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result)
{
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999)
        return false;
    const qint64 msecs = ((hour * 60LL + min) * 60 + sec) * 1000 + msec;
    result = static_cast<double>(msecs) / MSecsPerDay;
    return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec)
{
    TDateTime result = 0;
    if (!TryEncodeTime(hour, min, sec, msec, result))
        throw EConvertError(QStringLiteral("Invalid argument to time encode"));
    return result;
}

void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec)
{
    qint64 msecs = TimeMSecs(value);
    msec = static_cast<int>(msecs % 1000);
    msecs /= 1000;
    sec = static_cast<int>(msecs % 60);
    msecs /= 60;
    min = static_cast<int>(msecs % 60);
    hour = static_cast<int>(msecs / 60);
}

int DayOfWeek(TDateTime value)
{
    const QDate date = QDate::fromJulianDay(static_cast<qint64>(DayPart(value)) + ZeroJulianDay());
    return date.dayOfWeek() % 7 + 1;
}

TDateTime Now()
{
    if (Clock()) return Clock()();
    return QDateTimeToDateTime(QDateTime::currentDateTime());
}

TDateTime Date()
{
    return DayPart(Now());
}

TDateTime Time()
{
    const TDateTime now = Now();
    return std::fabs(now - DayPart(now));
}

void SetClock(std::function<TDateTime()> clock)
{
    Clock() = std::move(clock);
}

QDate DateTimeToQDate(TDateTime value)
{
    if (value == 0) return {};
    return QDate::fromJulianDay(static_cast<qint64>(DayPart(value)) + ZeroJulianDay());
}

TDateTime QDateToDateTime(const QDate& date)
{
    if (!date.isValid()) return 0;
    return static_cast<double>(date.toJulianDay() - ZeroJulianDay());
}

QTime DateTimeToQTime(TDateTime value)
{
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(TimeMSecs(value)));
}

TDateTime QTimeToDateTime(const QTime& time)
{
    if (!time.isValid()) return 0;
    return static_cast<double>(time.msecsSinceStartOfDay()) / MSecsPerDay;
}

QDateTime DateTimeToQDateTime(TDateTime value)
{
    if (value == 0) return {};
    const QDate date = QDate::fromJulianDay(static_cast<qint64>(DayPart(value)) + ZeroJulianDay());
    return QDateTime(date, DateTimeToQTime(value));
}

TDateTime QDateTimeToDateTime(const QDateTime& value)
{
    if (!value.isValid()) return 0;
    return Combine(QDateToDateTime(value.date()), QTimeToDateTime(value.time()));
}
