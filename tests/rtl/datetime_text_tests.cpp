#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "tests/support/qt_print.h"
#include "tests/support/scoped_format_settings.h"
#include <gtest/gtest.h>

namespace {

const TDateTime March1st1999 = EncodeDate(1999, 3, 1);
const TDateTime Afternoon = EncodeDate(2004, 7, 9) + EncodeTime(15, 5, 9, 0);

} // namespace

TEST(FormatDateTime, SystemPatternsUnderUsSettings)
{
    ScopedFormatSettings us;
    EXPECT_EQ(FormatDateTime("mm/dd/yyyy", March1st1999), "03/01/1999");
    EXPECT_EQ(FormatDateTime("mmmm d, yyyy", March1st1999), "March 1, 1999");
    EXPECT_EQ(FormatDateTime("mmmm d, yyyy ", March1st1999), "March 1, 1999 ");
    EXPECT_EQ(FormatDateTime("dd, mmm, yyyy", EncodeDate(1999, 12, 31)), "31, Dec, 1999");
    EXPECT_EQ(FormatDateTime("DDD, DD, MMM, YYYY", EncodeDate(2000, 2, 29)), "Tue, 29, Feb, 2000");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", EncodeDate(1900, 3, 1)), "1900-03-01");
    EXPECT_EQ(FormatDateTime("ddddd", March1st1999), "03/01/1999");
    EXPECT_EQ(DateToStr(March1st1999), "03/01/1999");
    EXPECT_EQ(FormatDateTime("c", March1st1999), "03/01/1999");
    EXPECT_EQ(FormatDateTime("c", Afternoon), "07/09/2004 3:05:09 PM");
    EXPECT_EQ(FormatDateTime("hh:nn", Afternoon), "15:05");
    EXPECT_EQ(FormatDateTime("h:nn am/pm", Afternoon), "3:05 pm");
    EXPECT_EQ(FormatDateTime("h:nn AM/PM", EncodeTime(0, 30, 0, 0)), "12:30 AM");
    EXPECT_EQ(FormatDateTime("h:nn ampm", EncodeTime(12, 0, 0, 0)), "12:00 PM");
    EXPECT_EQ(TimeToStr(Afternoon), "3:05:09 PM");
}

TEST(FormatDateTime, SystemPatternsUnderDayMonthYearSettings)
{
    ScopedFormatSettings dmy(ScopedFormatSettings::DayMonthYear(QLatin1Char('.')));
    // "/" in a pattern is the regional separator; the named patterns keep their order.
    EXPECT_EQ(FormatDateTime("mm/dd/yyyy", March1st1999), "03.01.1999");
    EXPECT_EQ(FormatDateTime("mmmm d, yyyy", March1st1999), "March 1, 1999");
    EXPECT_EQ(FormatDateTime("dd, mmm, yyyy", March1st1999), "01, Mar, 1999");
    EXPECT_EQ(FormatDateTime("DDD, DD, MMM, YYYY", March1st1999), "Mon, 01, Mar, 1999");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", March1st1999), "1999-03-01");
    EXPECT_EQ(FormatDateTime("ddddd", March1st1999), "01.03.1999");
    EXPECT_EQ(FormatDateTime("c", Afternoon), "09.07.2004 15:05:09");
    EXPECT_EQ(FormatDateTime("hh:nn", Afternoon), "15:05");
    EXPECT_EQ(FormatDateTime("h:nn am/pm", Afternoon), "3:05 pm");
}

TEST(FormatDateTime, QuotedLiteralsAndMinutesAfterHours)
{
    ScopedFormatSettings us;
    EXPECT_EQ(FormatDateTime("\"Sorry, Only dates falling after \" dd, mmm, yyyy ", EncodeDate(1999, 12, 31)),
              "Sorry, Only dates falling after  31, Dec, 1999 ");
    EXPECT_EQ(FormatDateTime("'Today is' dddd", March1st1999), "Today is Monday");
    EXPECT_EQ(FormatDateTime("hh:mm", Afternoon), "15:05");      // m after h is the minute
    EXPECT_EQ(FormatDateTime("m/d/yy", Afternoon), "7/9/04");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", 0), "30/12/1899");    // a null date still formats
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", -1.25), "29/12/1899 06:00");
}

TEST(StrToDate, ReadsInTheShortDateOrder)
{
    ScopedFormatSettings us;
    EXPECT_EQ(StrToDate("03/01/1999"), March1st1999);
    EXPECT_EQ(StrToDate(" 2/29/2000 "), EncodeDate(2000, 2, 29));
    {
        ScopedFormatSettings dmy(ScopedFormatSettings::DayMonthYear());
        EXPECT_EQ(StrToDate("01/03/1999"), March1st1999);
    }
    SetClock([] { return EncodeDate(2024, 6, 15); });
    EXPECT_EQ(StrToDate("3/1"), EncodeDate(2024, 3, 1));
    EXPECT_EQ(StrToDate("3/1/99"), EncodeDate(2099, 3, 1));
    SetClock({});
    for (const char* bad : {"", "02/30/2000", "13/01/2000", "1/2/3/4", "a/b/c", "3-1-1999", "1999"}) {
        TDateTime result = 5;
        EXPECT_FALSE(TryStrToDate(bad, result)) << bad;
        EXPECT_EQ(result, 5);
    }
    try {
        StrToDate("31/31/2000");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'31/31/2000' is not a valid date");
    }
}

TEST(FormatSettings, DateOrderReadOffTheShortFormat)
{
    TFormatSettings s = TFormatSettings::UsEnglish();
    EXPECT_EQ(s.DateOrder(), TDateOrder::MDY);
    s.ShortDateFormat = "dd.mm.yyyy";
    EXPECT_EQ(s.DateOrder(), TDateOrder::DMY);
    s.ShortDateFormat = "YYYY-MM-DD";
    EXPECT_EQ(s.DateOrder(), TDateOrder::YMD);
}

TEST(FormatSettings, SystemLocaleIsNormalisedToFullDates)
{
    const TFormatSettings s = TFormatSettings::FromSystemLocale();
    QString letters = s.ShortDateFormat;
    letters.remove(s.DateSeparator);
    EXPECT_TRUE(letters == "mmddyyyy" || letters == "ddmmyyyy" || letters == "yyyymmdd") << letters.toStdString();
    EXPECT_EQ(s.ShortDateFormat.count(s.DateSeparator), 2);
    for (const QString& name : s.ShortMonthNames) EXPECT_FALSE(name.isEmpty());
    const TDateTime day = EncodeDate(2012, 11, 5);
    ScopedFormatSettings system(s);
    EXPECT_EQ(StrToDate(DateToStr(day)), day);
}
