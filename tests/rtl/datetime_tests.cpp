#include "platform/rtl/datetime.h"
#include "platform/rtl/exceptions.h"
#include <gtest/gtest.h>

namespace {

struct Ymd { int y, m, d; };

Ymd Decoded(TDateTime value)
{
    Ymd r{};
    DecodeDate(value, r.y, r.m, r.d);
    return r;
}

} // namespace

TEST(DateTime, KnownDayNumbers)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1899, 12, 31), 1);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    // 1900 is not a leap year: 28 February and 1 March are one day apart.
    EXPECT_EQ(EncodeDate(1900, 2, 28), 60);
    EXPECT_EQ(EncodeDate(1900, 3, 1), 61);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526);
    EXPECT_EQ(EncodeDate(2000, 3, 1) - EncodeDate(2000, 2, 28), 2);
    EXPECT_EQ(EncodeDate(1899, 12, 29), -1);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465);
}

TEST(DateTime, RoundTripsEveryDayOverFourCenturies)
{
    int expectedDay = static_cast<int>(EncodeDate(1800, 1, 1));
    for (int y = 1800; y <= 2200; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= DaysInAMonth(y, m); ++d) {
                const TDateTime value = EncodeDate(y, m, d);
                ASSERT_EQ(value, expectedDay++) << y << "-" << m << "-" << d;
                const Ymd back = Decoded(value);
                ASSERT_EQ(back.y, y);
                ASSERT_EQ(back.m, m);
                ASSERT_EQ(back.d, d);
            }
        }
    }
}

TEST(DateTime, LeapYearsAndMonthLengths)
{
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2100));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_EQ(DaysInAMonth(2000, 2), 29);
    EXPECT_EQ(DaysInAMonth(1900, 2), 28);
    EXPECT_EQ(DaysInAMonth(2023, 4), 30);
    EXPECT_EQ(DaysInAMonth(2023, 12), 31);
}

TEST(DateTime, InvalidDatesAndTimesRaise)
{
    const Ymd bad[] = {{1900, 2, 29}, {2023, 2, 29}, {2000, 2, 30}, {2000, 13, 1}, {2000, 0, 1},
                       {2000, 4, 31}, {2000, 1, 0}, {0, 1, 1}, {10000, 1, 1}};
    for (const Ymd& d : bad) {
        TDateTime result = 123;
        EXPECT_FALSE(TryEncodeDate(d.y, d.m, d.d, result)) << d.y << "-" << d.m << "-" << d.d;
        EXPECT_EQ(result, 123);
    }
    try {
        EncodeDate(2001, 2, 29);
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "Invalid argument to date encode");
    }
    try {
        EncodeTime(24, 0, 0, 0);
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "Invalid argument to time encode");
    }
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
}

TEST(DateTime, TimesRoundTripToTheMillisecond)
{
    const int cases[][4] = {{0, 0, 0, 0}, {6, 0, 0, 0}, {12, 30, 15, 500}, {23, 59, 59, 999}, {7, 5, 3, 1}};
    for (const auto& c : cases) {
        int h, n, s, ms;
        DecodeTime(EncodeDate(2020, 5, 17) + EncodeTime(c[0], c[1], c[2], c[3]), h, n, s, ms);
        EXPECT_EQ(h, c[0]);
        EXPECT_EQ(n, c[1]);
        EXPECT_EQ(s, c[2]);
        EXPECT_EQ(ms, c[3]);
    }
    EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
}

TEST(DateTime, NegativeValuesKeepTheTimeAsTheAbsoluteFraction)
{
    // -1.25 is 29 December 1899 at 6:00, not 28 December at 18:00.
    const Ymd day = Decoded(-1.25);
    EXPECT_EQ(day.y, 1899);
    EXPECT_EQ(day.m, 12);
    EXPECT_EQ(day.d, 29);
    int h, n, s, ms;
    DecodeTime(-1.25, h, n, s, ms);
    EXPECT_EQ(h, 6);
    EXPECT_EQ(n, 0);
    const QDateTime qt = DateTimeToQDateTime(-1.25);
    EXPECT_EQ(qt, QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    EXPECT_DOUBLE_EQ(QDateTimeToDateTime(qt), -1.25);
}

TEST(DateTime, DayOfWeekStartsOnSunday)
{
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);   // a Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2023, 10, 1)), 1);    // a Sunday
    EXPECT_EQ(DayOfWeek(EncodeDate(2000, 2, 29) + 0.75), 3);
    EXPECT_EQ(DayOfWeek(EncodeDate(1850, 6, 3)), 2);     // a Monday before day 0
}

TEST(DateTime, QtConversionsKeepNullDatesNull)
{
    EXPECT_FALSE(DateTimeToQDate(0).isValid());
    EXPECT_EQ(QDateToDateTime(QDate()), 0);
    EXPECT_FALSE(DateTimeToQDateTime(0).isValid());
    EXPECT_EQ(QDateTimeToDateTime(QDateTime()), 0);
    EXPECT_EQ(DateTimeToQDate(EncodeDate(2000, 2, 29) + 0.5), QDate(2000, 2, 29));
    EXPECT_EQ(QDateToDateTime(QDate(1900, 3, 1)), 61);
    EXPECT_EQ(DateTimeToQTime(EncodeTime(13, 14, 15, 16)), QTime(13, 14, 15, 16));
    EXPECT_DOUBLE_EQ(QTimeToDateTime(QTime(18, 0)), 0.75);
}

TEST(DateTime, ClockCanBeFixedAndRestored)
{
    const TDateTime fixed = EncodeDate(2001, 9, 8) + EncodeTime(14, 30, 0, 0);
    SetClock([fixed] { return fixed; });
    EXPECT_EQ(Now(), fixed);
    EXPECT_EQ(Date(), EncodeDate(2001, 9, 8));
    EXPECT_NEAR(Time(), EncodeTime(14, 30, 0, 0), 1e-9);
    SetClock({});
    const TDateTime systemToday = QDateToDateTime(QDate::currentDate());
    EXPECT_NEAR(Date(), systemToday, 1);   // the day may turn between the two reads
}
