#include "dataset/date_text.h"
#include "tests/support/qt_print.h"
#include "tests/support/scoped_format_settings.h"
#include <gtest/gtest.h>
#include <cmath>
#include <optional>

namespace {

TFormatSettings MonthDayYear()
{
    TFormatSettings s = TFormatSettings::UsEnglish();
    s.ShortDateFormat = QStringLiteral("mm/dd/yyyy");
    s.DateSeparator = QLatin1Char('/');
    s.TimeSeparator = QLatin1Char(':');
    s.TimeAMString = QStringLiteral("AM");
    s.TimePMString = QStringLiteral("PM");
    return s;
}

TFormatSettings DayMonthYear()
{
    TFormatSettings s = MonthDayYear();
    s.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    return s;
}

TFormatSettings YearMonthDay()
{
    TFormatSettings s = MonthDayYear();
    s.ShortDateFormat = QStringLiteral("yyyy-mm-dd");
    s.DateSeparator = QLatin1Char('-');
    return s;
}

std::optional<QDate> DateOf(const QString& text)
{
    int position = 1;
    TDateTime value = 0;
    if (!ReadDateText(text, position, value)) return std::nullopt;
    return DateTimeToQDate(value);
}

std::optional<QTime> TimeOf(const QString& text)
{
    int position = 1;
    TDateTime value = 0;
    if (!ReadTimeText(text, position, value)) return std::nullopt;
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(std::llround(value * 86400000.0)));
}

// Fixes today's date at 15 June 2024 for texts without a year.
class DateTextTest : public ::testing::Test {
protected:
    void SetUp() override { SetClock([] { return EncodeDate(2024, 6, 15) + 0.5; }); }
    void TearDown() override { SetClock({}); }
};

} // namespace

TEST(DateOrderOfFormat, FirstOfDMYDecides)
{
    EXPECT_EQ(DateOrderOfFormat("dd/mm/yyyy"), TDateOrder::DMY);
    EXPECT_EQ(DateOrderOfFormat("MM/dd/yy"), TDateOrder::MDY);
    EXPECT_EQ(DateOrderOfFormat("yyyy-mm-dd"), TDateOrder::YMD);
    EXPECT_EQ(DateOrderOfFormat("/-."), TDateOrder::MDY);
}

TEST_F(DateTextTest, DayMonthYear)
{
    const ScopedFormatSettings settings(DayMonthYear());
    EXPECT_EQ(DateOf("3/4/05"), QDate(1905, 4, 3));
    EXPECT_EQ(DateOf("3/4/0"), QDate(1900, 4, 3));
    EXPECT_EQ(DateOf("3/4/100"), QDate(100, 4, 3));
    EXPECT_EQ(DateOf("3/4"), QDate(2024, 4, 3));
    EXPECT_EQ(DateOf("3/apr/2000"), QDate(2000, 4, 3));
    EXPECT_EQ(DateOf(" 3 / 4 / 2000"), QDate(2000, 4, 3));
    EXPECT_EQ(DateOf("29/2/2000"), QDate(2000, 2, 29));
    EXPECT_EQ(DateOf("31/2/2000"), std::nullopt);
    EXPECT_EQ(DateOf("29/2/1900"), std::nullopt);
    EXPECT_EQ(DateOf("12/31/1999"), std::nullopt);
    EXPECT_EQ(DateOf("3/"), std::nullopt);
    EXPECT_EQ(DateOf("3/4/"), std::nullopt);
    EXPECT_EQ(DateOf("3/xyz/2000"), std::nullopt);
}

TEST_F(DateTextTest, MonthDayYear)
{
    const ScopedFormatSettings settings(MonthDayYear());
    EXPECT_EQ(DateOf("12/31/1999"), QDate(1999, 12, 31));
    EXPECT_EQ(DateOf("4/3/2000"), QDate(2000, 4, 3));
    EXPECT_EQ(DateOf("4/3/04"), QDate(1904, 4, 3));
    EXPECT_EQ(DateOf("4/3"), QDate(2024, 4, 3));
    EXPECT_EQ(DateOf("jan/5/2001"), QDate(2001, 1, 5));
    EXPECT_EQ(DateOf("31/12/1999"), std::nullopt);
}

TEST_F(DateTextTest, YearMonthDay)
{
    const ScopedFormatSettings settings(YearMonthDay());
    EXPECT_EQ(DateOf("2000-4-3"), QDate(2000, 4, 3));
    EXPECT_EQ(DateOf("99-12-31"), QDate(1999, 12, 31));
    EXPECT_EQ(DateOf("4-3"), QDate(2024, 4, 3));
}

TEST_F(DateTextTest, NumbersStopAtFourDigits)
{
    const ScopedFormatSettings settings(DayMonthYear());
    int position = 1;
    TDateTime value = 0;
    ASSERT_TRUE(ReadDateText("1/2/12345", position, value));
    EXPECT_EQ(DateTimeToQDate(value), QDate(1234, 2, 1));
    EXPECT_EQ(position, 9);
    EXPECT_FALSE(IsValidDateText("1/2/12345"));
}

TEST_F(DateTextTest, WholeDateTexts)
{
    const ScopedFormatSettings settings(DayMonthYear());
    EXPECT_TRUE(IsValidDateText("3/4/2000"));
    EXPECT_TRUE(IsValidDateText("3/4/2000   "));
    EXPECT_FALSE(IsValidDateText("3/4/2000x"));

    int position = 1;
    TDateTime value = 0;
    ASSERT_TRUE(ReadDateText("3/4/2000  9:30", position, value));
    EXPECT_EQ(position, 11);
    int unchanged = 1;
    EXPECT_FALSE(ReadDateText("31/2/2000", unchanged, value));
    EXPECT_EQ(unchanged, 1);
}

TEST(TimeText, TwelveAndTwentyFourHourTimes)
{
    const ScopedFormatSettings settings(MonthDayYear());
    EXPECT_EQ(TimeOf("12:30 AM"), QTime(0, 30));
    EXPECT_EQ(TimeOf("12:30 PM"), QTime(12, 30));
    EXPECT_EQ(TimeOf("1:02:03 pm"), QTime(13, 2, 3));
    EXPECT_EQ(TimeOf("11:59PM"), QTime(23, 59));
    EXPECT_EQ(TimeOf("9:5"), QTime(9, 5));
    EXPECT_EQ(TimeOf("0:30 PM"), std::nullopt);
    EXPECT_EQ(TimeOf("13:00 AM"), std::nullopt);
    EXPECT_EQ(TimeOf("24:00"), std::nullopt);
    EXPECT_EQ(TimeOf("10:60"), std::nullopt);
    EXPECT_EQ(TimeOf("9:"), std::nullopt);
    EXPECT_EQ(TimeOf("9:00:"), std::nullopt);
}

TEST(TimeText, RegionalMarkersAndSeparator)
{
    TFormatSettings s = MonthDayYear();
    s.TimeSeparator = QLatin1Char('.');
    s.TimeAMString = QStringLiteral("a.m.");
    s.TimePMString = QStringLiteral("p.m.");
    const ScopedFormatSettings settings(s);
    EXPECT_EQ(TimeOf("9.15 p.m."), QTime(21, 15));
    EXPECT_EQ(TimeOf("9.15 A.M."), QTime(9, 15));
    EXPECT_EQ(TimeOf("9.15 pm"), QTime(21, 15));
    EXPECT_TRUE(IsValidTimeText("9.15 a.m.  "));
    EXPECT_FALSE(IsValidTimeText("9.15 x"));
}

TEST(TimeText, EmptyMarkersNeverMatch)
{
    TFormatSettings s = DayMonthYear();
    s.TimeAMString.clear();
    s.TimePMString.clear();
    const ScopedFormatSettings settings(s);
    EXPECT_EQ(TimeOf("21:15"), QTime(21, 15));
    EXPECT_EQ(TimeOf("9:15 PM"), QTime(21, 15));
}

TEST_F(DateTextTest, DateTimeTextsNeedBoth)
{
    const ScopedFormatSettings settings(DayMonthYear());
    EXPECT_TRUE(IsValidDateTimeText("31/12/1999 10:30:15 PM"));
    EXPECT_TRUE(IsValidDateTimeText("31/12 10:30"));
    EXPECT_FALSE(IsValidDateTimeText("31/12/1999"));
    EXPECT_FALSE(IsValidDateTimeText("31/12/1999 25:00"));
    EXPECT_FALSE(IsValidDateTimeText("10:30"));
}

TEST(DatePartAtCursor, DatePartsFollowTheOrder)
{
    {
        const ScopedFormatSettings settings(MonthDayYear());
        const QString text = QStringLiteral("12/31/1999");
        for (int caret = 0; caret <= 2; ++caret) EXPECT_EQ(DatePartAtCursor(caret, text, false), dtpMonth) << caret;
        for (int caret = 3; caret <= 5; ++caret) EXPECT_EQ(DatePartAtCursor(caret, text, false), dtpDay) << caret;
        for (int caret = 6; caret <= 10; ++caret) EXPECT_EQ(DatePartAtCursor(caret, text, false), dtpYear) << caret;
    }
    {
        const ScopedFormatSettings settings(DayMonthYear());
        const QString text = QStringLiteral("31/12/1999");
        EXPECT_EQ(DatePartAtCursor(0, text, false), dtpDay);
        EXPECT_EQ(DatePartAtCursor(4, text, false), dtpMonth);
        EXPECT_EQ(DatePartAtCursor(7, text, false), dtpYear);
        // An unreadable date is still taken apart by its separators.
        EXPECT_EQ(DatePartAtCursor(2, QStringLiteral("31/"), false), dtpDay);
        EXPECT_EQ(DatePartAtCursor(3, QStringLiteral("31/"), false), dtpMonth);
        EXPECT_EQ(DatePartAtCursor(4, QStringLiteral("99/99/"), false), dtpMonth);
    }
    {
        const ScopedFormatSettings settings(YearMonthDay());
        const QString text = QStringLiteral("1999-12-31");
        EXPECT_EQ(DatePartAtCursor(0, text, false), dtpYear);
        EXPECT_EQ(DatePartAtCursor(5, text, false), dtpMonth);
        EXPECT_EQ(DatePartAtCursor(8, text, false), dtpDay);
    }
}

TEST(DatePartAtCursor, DateAndTime)
{
    const ScopedFormatSettings settings(MonthDayYear());
    const QString text = QStringLiteral("12/31/1999 10:30:15 PM");
    EXPECT_EQ(DatePartAtCursor(10, text, false), dtpYear);
    for (int caret = 11; caret <= 13; ++caret) EXPECT_EQ(DatePartAtCursor(caret, text, false), dtpHour) << caret;
    for (int caret = 14; caret <= 16; ++caret) EXPECT_EQ(DatePartAtCursor(caret, text, false), dtpMinute) << caret;
    for (int caret = 17; caret <= 19; ++caret) EXPECT_EQ(DatePartAtCursor(caret, text, false), dtpSecond) << caret;
    for (int caret = 20; caret <= 22; ++caret) EXPECT_EQ(DatePartAtCursor(caret, text, false), dtpAmPm) << caret;
}

TEST(DatePartAtCursor, TimeOnlyAndSingleDigitFields)
{
    const ScopedFormatSettings settings(MonthDayYear());
    EXPECT_EQ(DatePartAtCursor(0, "10:30:15 PM", true), dtpHour);
    EXPECT_EQ(DatePartAtCursor(4, "10:30:15 PM", true), dtpMinute);
    EXPECT_EQ(DatePartAtCursor(9, "10:30:15 PM", true), dtpAmPm);
    // A one-digit minute does not shift the later parts.
    const QString shortMinute = QStringLiteral("9:5:10 PM");
    EXPECT_EQ(DatePartAtCursor(2, shortMinute, true), dtpMinute);
    EXPECT_EQ(DatePartAtCursor(4, shortMinute, true), dtpSecond);
    EXPECT_EQ(DatePartAtCursor(6, shortMinute, true), dtpSecond);
    EXPECT_EQ(DatePartAtCursor(7, shortMinute, true), dtpAmPm);
}

TEST(TimePartAtCursor, FromTheStartOfTheText)
{
    const ScopedFormatSettings settings(MonthDayYear());
    EXPECT_EQ(TimePartAtCursor(0, "10:30"), dtpHour);
    EXPECT_EQ(TimePartAtCursor(2, "10:30"), dtpHour);
    EXPECT_EQ(TimePartAtCursor(3, "10:30"), dtpMinute);
    EXPECT_EQ(TimePartAtCursor(6, "10:30:15"), dtpSecond);
}
