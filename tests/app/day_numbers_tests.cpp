#include "app/day_numbers.h"
#include "platform/rtl/exceptions.h"
#include <gtest/gtest.h>
#include <tuple>

namespace {

TDayNumber Encode(int day, int month, int year)
{
    TDayNumber j = 0;
    EncodeDayNumber(day, month, year, j);
    return j;
}

std::tuple<int, int, int> Decode(TDayNumber j)
{
    std::uint16_t d = 0, m = 0, y = 0;
    DecodeDayNumber(j, d, m, y);
    return {d, m, y};
}

} // namespace

TEST(DayNumbers, EncodeAndDecodeAtTheEdgesOfTheRange)
{
    const struct { int day, month, year; TDayNumber j; } cases[] = {
        {1, 1, 1900, 0},   {31, 1, 1900, 30}, {1, 2, 1900, 31},     {28, 2, 1900, 58},
        {1, 3, 1900, 59},  {1, 1, 1901, 365}, {31, 12, 2078, 65378}, {6, 6, 2079, 65535},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.day << "/" << c.month << "/" << c.year);
        EXPECT_EQ(Encode(c.day, c.month, c.year), c.j);
        EXPECT_EQ(Decode(c.j), std::make_tuple(c.day, c.month, c.year));
    }
}

TEST(DayNumbers, DecodeInvertsEncodeOnEveryDayOfTheRange)
{
    // Walk the calendar with Qt's dates as the reference, including 29 February 2000.
    QDate date(1900, 3, 1);
    for (TDayNumber j = 59; j < 65535; ++j, date = date.addDays(1)) {
        ASSERT_EQ(Decode(j), std::make_tuple(date.day(), date.month(), date.year())) << j;
        ASSERT_EQ(Encode(date.day(), date.month(), date.year()), j);
    }
}

TEST(DayNumbers, ValidityFollowsTheCalendarOf1900To2078)
{
    EXPECT_FALSE(DayNumberIsValid(29, 2, 1900));
    EXPECT_TRUE(DayNumberIsValid(28, 2, 1900));
    EXPECT_TRUE(DayNumberIsValid(29, 2, 2000));
    EXPECT_TRUE(DayNumberIsValid(29, 2, 1904));
    EXPECT_FALSE(DayNumberIsValid(29, 2, 1999));
    EXPECT_TRUE(DayNumberIsValid(31, 12, 2078));
    EXPECT_FALSE(DayNumberIsValid(1, 1, 2079));
    EXPECT_FALSE(DayNumberIsValid(31, 12, 1899));
    EXPECT_FALSE(DayNumberIsValid(1, 13, 1999));
    EXPECT_FALSE(DayNumberIsValid(1, 0, 1999));
    EXPECT_FALSE(DayNumberIsValid(31, 4, 1999));
    EXPECT_TRUE(DayNumberIsValid(30, 4, 1999));
    EXPECT_FALSE(DayNumberIsValid(0, 5, 1999));   // a day 0 is no date
}

TEST(DayNumbers, IncKeepsTheDayOfTheMonthWithoutClamping)
{
    EXPECT_EQ(IncDayNumber(Encode(31, 1, 1999), 0, 1, 0), Encode(3, 3, 1999));
    EXPECT_EQ(IncDayNumber(Encode(31, 1, 2000), 0, 1, 0), Encode(2, 3, 2000));
    EXPECT_EQ(IncDayNumber(Encode(15, 11, 1999), 0, 3, 0), Encode(15, 2, 2000));
    EXPECT_EQ(IncDayNumber(Encode(15, 1, 2000), 0, -1, 0), Encode(15, 12, 1999));
    EXPECT_EQ(IncDayNumber(Encode(15, 1, 2000), 0, -25, 0), Encode(15, 12, 1997));
    EXPECT_EQ(IncDayNumber(Encode(15, 6, 1990), 10, 0, 2), Encode(25, 6, 1992));
    EXPECT_EQ(IncDayNumber(Encode(1, 3, 1900), -1, 0, 0), Encode(28, 2, 1900));
}

TEST(DayNumbers, ResultsOutsideTheRangeRaiseTheRangeError)
{
    EXPECT_THROW(IncDayNumber(Encode(31, 12, 2078), 0, 18, 0), ERangeError);   // after 6 June 2079
    EXPECT_THROW(IncDayNumber(65535, 1, 0, 0), ERangeError);
    EXPECT_THROW(IncDayNumber(0, -1, 0, 0), ERangeError);
    EXPECT_THROW(IncDayNumber(Encode(15, 3, 1900), 0, -3, 0), ERangeError);    // December 1899
    EXPECT_THROW(IncDayNumber(Encode(15, 3, 1999), 0, -2000000, 0), ERangeError);
    EXPECT_THROW(IncDayNumber(Encode(15, 3, 1999), 0, 0, 70000), ERangeError);
    TDayNumber j;
    EXPECT_THROW(EncodeDayNumber(1, 1, 1899, j), ERangeError);
    EXPECT_THROW(EncodeDayNumber(7, 6, 2079, j), ERangeError);
    EXPECT_THROW(EncodeDayNumber(0, 1, 1900, j), ERangeError);
}

TEST(DayNumbers, AddMonthsMinusDayEndsTheDayBefore)
{
    EXPECT_EQ(AddMonthsMinusDay(EncodeDate(1999, 3, 15), 1), EncodeDate(1999, 4, 14));
    EXPECT_EQ(AddMonthsMinusDay(EncodeDate(1999, 1, 31), 1), EncodeDate(1999, 3, 2));
    EXPECT_EQ(AddMonthsMinusDay(EncodeDate(1999, 5, 10), 0), EncodeDate(1999, 5, 9));
    EXPECT_EQ(AddMonthsMinusDay(EncodeDate(1999, 1, 1), 12), EncodeDate(1999, 12, 31));
    EXPECT_EQ(AddMonthsMinusDay(EncodeDate(1900, 1, 1), 0), EncodeDate(1899, 12, 31));
    EXPECT_EQ(AddMonthsMinusDay(EncodeDate(1999, 5, 10) + 0.75, 1), EncodeDate(1999, 6, 9));
    EXPECT_THROW(AddMonthsMinusDay(EncodeDate(1899, 12, 31), 1), ERangeError);
    EXPECT_THROW(AddMonthsMinusDay(EncodeDate(2079, 6, 1), 1), ERangeError);
}
