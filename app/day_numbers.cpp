#include "app/day_numbers.h"
#include "platform/rtl/exceptions.h"
#include <limits>

namespace {

// Every intermediate value is computed wide and must land in a 16-bit field.
std::uint16_t CheckedUInt16(std::int64_t value)
{
    if (value < 0 || value > std::numeric_limits<std::uint16_t>::max())
        throw ERangeError(QStringLiteral("Range check error"));
    return static_cast<std::uint16_t>(value);
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

} // namespace

bool DayNumberIsValid(std::uint16_t day, std::uint16_t month, std::uint16_t year)
{
    if (year < 1900 || year > 2078 || month < 1 || month > 12 || day < 1)
        return false;
    static constexpr std::uint16_t MonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    std::uint16_t length = MonthDays[month - 1];
    if (month == 2 && year % 4 == 0 && year != 1900)
        ++length;
    return day <= length;
}

void EncodeDayNumber(std::uint16_t day, std::uint16_t month, std::uint16_t year, TDayNumber& j)
{
    // January and February 1900 precede the first March-based year of the formula.
    if (year == 1900 && month < 3) {
        j = CheckedUInt16(month == 1 ? std::int64_t(day) - 1 : std::int64_t(day) + 30);
        return;
    }
    std::int64_t m = month;
    std::int64_t y = year;
    if (m > 2) {
        m -= 3;
    } else {
        m += 9;
        y -= 1;
    }
    y = CheckedUInt16(y - 1900);
    j = CheckedUInt16((153 * m + 2) / 5 + (1461 * y) / 4 + day + 58);
}

void DecodeDayNumber(TDayNumber j, std::uint16_t& day, std::uint16_t& month, std::uint16_t& year)
{
    if (j <= 58) {
        year = 1900;
        if (j <= 30) {
            month = 1;
            day = j + 1;
        } else {
            month = 2;
            day = j - 30;
        }
        return;
    }
    const std::int32_t t = 4 * std::int32_t(j) - 233;
    std::int32_t y = t / 1461;
    const std::int32_t t2 = ((t % 1461) / 4) * 5 + 2;
    std::int32_t m = t2 / 153;
    day = static_cast<std::uint16_t>((t2 % 153) / 5 + 1);
    y += 1900;
    if (m < 10) {
        m += 3;
    } else {
        m -= 9;
        y += 1;
    }
    month = static_cast<std::uint16_t>(m);
    year = static_cast<std::uint16_t>(y);
}

TDayNumber IncDayNumber(TDayNumber j, std::int32_t days, std::int32_t months, std::int32_t years)
{
    std::uint16_t d, m, y;
    DecodeDayNumber(j, d, m, y);
    // Months counted from January of year y; floor division keeps negative
    // counts in the right year whatever their size.
    const std::int64_t s = std::int64_t(m) + months - 1;
    const std::int64_t newYear = std::int64_t(y) + years + FloorDiv(s, 12);
    const std::int64_t newMonth = s - 12 * FloorDiv(s, 12) + 1;
    TDayNumber moved;   // a year before 1900 fails here
    EncodeDayNumber(d, static_cast<std::uint16_t>(newMonth), CheckedUInt16(newYear), moved);
    return CheckedUInt16(std::int64_t(moved) + days);
}

TDateTime AddMonthsMinusDay(TDateTime date, std::int32_t months)
{
    int year, month, day;
    DecodeDate(date, year, month, day);
    TDayNumber j;
    EncodeDayNumber(CheckedUInt16(day), CheckedUInt16(month), CheckedUInt16(year), j);
    const TDayNumber moved = IncDayNumber(j, 0, months, 0);
    // Day number n is date-time n + 2 (1 January 1900 is day 2 after
    // 30 December 1899), so n + 1 is the day before it.
    return TDateTime(moved) + 1;
}
