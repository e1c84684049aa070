// Values and texts at the edges of the conversion routines: what no user
// types but a damaged file or a careless caller can hand them.
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "tests/support/qt_print.h"
#include "tests/support/scoped_format_settings.h"
#include <gtest/gtest.h>
#include <cmath>
#include <limits>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

TEST(DateTimeRange, ValuesThatAreNoDayGiveTheRangeError)
{
    const ScopedFormatSettings us;
    for (const double value : {NaN, Inf, -Inf, 1e300, -1e300, 1e19, 2958466.0, -693594.0}) {
        SCOPED_TRACE(value);
        int y = 0, m = 0, d = 0, h = 0, n = 0, s = 0, ms = 0;
        EXPECT_THROW(DecodeDate(value, y, m, d), ERangeError);
        EXPECT_THROW(DayOfWeek(value), ERangeError);
        EXPECT_THROW(DateToStr(value), ERangeError);
        EXPECT_THROW(FormatDateTime("dd/mm/yyyy", value), ERangeError);
        EXPECT_THROW(DateTimeToQDate(value), ERangeError);
        EXPECT_THROW(DateTimeToQDateTime(value), ERangeError);
        if (!std::isfinite(value)) {
            EXPECT_THROW(DecodeTime(value, h, n, s, ms), ERangeError);
        }
    }
    // The first and last days of the calendar still convert.
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", EncodeDate(1, 1, 1)), "01/01/0001");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", EncodeDate(9999, 12, 31) + 0.75), "31/12/9999 18:00");
    EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);   // a Monday
}

TEST(FormatBounds, WidthsAndPrecisionsBeyondTheBoundAreRefused)
{
    for (const char* format : {"%99999999999d", "%.99999999999d", "%1025s", "%.1025f", "%-2147483648d",
                               "%123456789x", "%.4294967296e"}) {
        SCOPED_TRACE(format);
        EXPECT_THROW(Format(format, {1}), EConvertError);
    }
    EXPECT_EQ(Format("%1024d", {7}).size(), 1024);
    EXPECT_EQ(Format("%.1024d", {7}).right(3), "007");
}

TEST(FloatText, EveryTextFloatToStrWritesReadsBack)
{
    const ScopedFormatSettings us;
    const double max = std::numeric_limits<double>::max();
    EXPECT_EQ(FloatToStr(max), "1.79769313486232E308");
    EXPECT_EQ(StrToFloat(FloatToStr(max)), max);
    EXPECT_EQ(StrToFloat(FloatToStr(-max)), -max);
    for (const double value : {std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min(),
                               std::numeric_limits<double>::lowest(), 1e308, 123.456, -0.0001})
        EXPECT_NEAR(StrToFloat(FloatToStr(value)) / value, 1.0, 1e-14) << value;
    // Texts beyond what the program writes are still refused.
    EXPECT_THROW(StrToFloat("1.7976931348624E308"), EConvertError);
    EXPECT_THROW(StrToFloat("1E309"), EConvertError);
    EXPECT_THROW(StrToFloat("1E99999999999"), EConvertError);
}

// A pasted page of digits makes a box of one line: each message quotes the
// first forty characters of the text and an ellipsis; a shorter text whole.
TEST(ConversionErrors, AMessageQuotesAtMostTheFirstFortyCharacters)
{
    const ScopedFormatSettings us;
    const QString page(100000, QLatin1Char('9'));
    const QString shown = QLatin1Char('\'') + page.left(40) + QStringLiteral("...'");
    const auto message = [](auto convert) {
        try {
            convert();
        } catch (const EConvertError& e) {
            return e.Message;
        }
        return QStringLiteral("no exception");
    };
    EXPECT_EQ(message([&] { StrToFloat(page + QLatin1Char('x')); }), shown + " is not a valid floating point value");
    EXPECT_EQ(message([&] { StrToInt(page); }), shown + " is not a valid integer value");
    EXPECT_EQ(message([&] { StrToDate(page); }), shown + " is not a valid date");
    const QString forty = QString(39, QLatin1Char('1')) + QLatin1Char('x');
    EXPECT_EQ(message([&] { StrToInt(forty); }), "'" + forty + "' is not a valid integer value");
}

} // namespace
