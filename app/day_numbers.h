#pragma once
// Calendar arithmetic on 16-bit day numbers: day 0 is 1 January 1900, the last
// representable day (65535) is 6 June 2079. The year 1900 counts as a common
// year; every other year divisible by 4 is a leap year, which is the Gregorian
// rule for 1901..2078. A result that does not fit a day number raises ERangeError.
#include "platform/rtl/datetime.h"
#include <cstdint>

using TDayNumber = std::uint16_t;

// True for an existing date of the years 1900..2078.
bool DayNumberIsValid(std::uint16_t day, std::uint16_t month, std::uint16_t year);

// Does not check that the date exists: 31 February is the day after 30 February.
void EncodeDayNumber(std::uint16_t day, std::uint16_t month, std::uint16_t year, TDayNumber& j);
void DecodeDayNumber(TDayNumber j, std::uint16_t& day, std::uint16_t& month, std::uint16_t& year);

// Adds years and months to the date of j keeping its day of the month (31
// January plus one month is "31 February", that is 3 March or 2 March), then
// adds days.
TDayNumber IncDayNumber(TDayNumber j, std::int32_t days, std::int32_t months, std::int32_t years);

// The date months months after date, less one day (1 January plus 12 months
// gives 31 December; plus 0 months gives the day before date).
TDateTime AddMonthsMinusDay(TDateTime date, std::int32_t months);
