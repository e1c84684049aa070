#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "tests/support/qt_print.h"
#include "tests/support/scoped_format_settings.h"
#include <gtest/gtest.h>

TEST(Format, IntegerPrecisionPadsWithZeros)
{
    EXPECT_EQ(Format("%.10d", {1}), "0000000001");
    EXPECT_EQ(Format("%.10d", {1234567890}), "1234567890");
    EXPECT_EQ(Format("%.5d", {42}), "00042");
    EXPECT_EQ(Format("%.3d", {7}), "007");
    EXPECT_EQ(Format("%.3d", {1000}), "1000");   // wider than the precision: all digits
    EXPECT_EQ(Format("%.0d", {0}), "0");         // C's printf would print nothing
    EXPECT_EQ(Format("%.0d", {15}), "15");
    EXPECT_EQ(Format("%d", {0}), "0");
    EXPECT_EQ(Format("%.5d", {-42}), "-00042");
    EXPECT_EQ(Format("%d", {-7}), "-7");
    EXPECT_EQ(Format("%.3d", {qint64(123456789012)}), "123456789012");
}

TEST(Format, TextWidthAndMixedDirectives)
{
    EXPECT_EQ(Format("Row %d of %s", {3, QString("Banks")}), "Row 3 of Banks");
    EXPECT_EQ(Format("%5s|%-5s|", {QString("ab"), QString("cd")}), "   ab|cd   |");
    EXPECT_EQ(Format("%.2s", {QString("abcdef")}), "ab");
    EXPECT_EQ(Format("100%%", {}), "100%");
    EXPECT_EQ(Format("%s: Field '%s' not found", {QString("Error"), QString("Code")}),
              "Error: Field 'Code' not found");
    EXPECT_EQ(Format("%x", {255}), "FF");
}

TEST(Format, FloatDirectivesUseTheDecimalSeparator)
{
    ScopedFormatSettings us;
    EXPECT_EQ(Format("%.2f", {1234.565}), "1234.57");
    EXPECT_EQ(Format("%f", {2.5}), "2.50");
    EXPECT_EQ(Format("%.2n", {1234567.5}), "1,234,567.50");
    EXPECT_EQ(Format("%g", {0.5}), "0.5");
    EXPECT_EQ(Format("%.0f", {-0.4}), "0");
    EXPECT_EQ(Format("%.4e", {-1234.5}), "-1.235E+003");
    EXPECT_EQ(Format("%.3e", {0.0}), "0.00E+000");
    ScopedFormatSettings dmy(ScopedFormatSettings::DayMonthYear());
    EXPECT_EQ(Format("%.1f", {3.25}), "3,3");
}

TEST(Format, MismatchedOrMissingArgumentsRaise)
{
    EXPECT_THROW(Format("%d", {QString("1")}), EConvertError);
    EXPECT_THROW(Format("%d", {1.5}), EConvertError);
    EXPECT_THROW(Format("%s", {1}), EConvertError);
    EXPECT_THROW(Format("%d %d", {1}), EConvertError);
    EXPECT_THROW(Format("%", {1}), EConvertError);
    try {
        Format("%d", {QString("x")});
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "Format '%d' invalid or incompatible with argument");
    }
}

TEST(Integers, TextToIntegerAcceptsSignsAndHex)
{
    EXPECT_EQ(StrToInt("0000000041"), 41);
    EXPECT_EQ(StrToInt("-12"), -12);
    EXPECT_EQ(StrToInt("+12"), 12);
    EXPECT_EQ(StrToInt("  7"), 7);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToInt("0x10"), 16);
    EXPECT_EQ(StrToInt("9223372036854775807"), std::numeric_limits<qint64>::max());
    EXPECT_EQ(StrToInt("-9223372036854775808"), std::numeric_limits<qint64>::min());
    EXPECT_EQ(StrToIntDef("", 5), 5);
    EXPECT_EQ(IntToStr(-2147483648LL), "-2147483648");
}

TEST(Integers, BadTextRaisesWithTheText)
{
    for (const char* bad : {"", "abc", "12a", "1.5", "-", "9223372036854775808", "7 ", "$", "1 2"}) {
        qint64 result = 99;
        EXPECT_FALSE(TryStrToInt(bad, result)) << bad;
        EXPECT_EQ(result, 99);
    }
    try {
        StrToInt("abc");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'abc' is not a valid integer value");
    }
}

TEST(Floats, GeneralFormatFifteenDigits)
{
    ScopedFormatSettings us;
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(FloatToStr(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(FloatToStr(2.0 / 3), "0.666666666666667");
    EXPECT_EQ(FloatToStr(0), "0");
    EXPECT_EQ(FloatToStr(-0.5), "-0.5");
    EXPECT_EQ(FloatToStr(1234.5), "1234.5");
    EXPECT_EQ(FloatToStr(100), "100");
    EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
    EXPECT_EQ(FloatToStr(1e15), "1E15");
    EXPECT_EQ(FloatToStr(1e20), "1E20");
    EXPECT_EQ(FloatToStr(-1.5e20), "-1.5E20");
    EXPECT_EQ(FloatToStr(0.0001), "0.0001");
    EXPECT_EQ(FloatToStr(1e-5), "1E-5");
    EXPECT_EQ(FloatToStr(1.25e-7), "1.25E-7");
    EXPECT_EQ(FloatToStr(999999999999999.9), "1E15");   // rounds up to sixteen digits
}

TEST(Floats, GeneralFormatFollowsTheDecimalSeparator)
{
    ScopedFormatSettings dmy(ScopedFormatSettings::DayMonthYear());
    EXPECT_EQ(FloatToStr(1234.5), "1234,5");
    EXPECT_EQ(FloatToStr(2.5e-6), "2,5E-6");
    EXPECT_EQ(StrToFloat("1234,5"), 1234.5);
    EXPECT_THROW(StrToFloat("1234.5"), EConvertError);
}

TEST(Floats, TextToFloat)
{
    ScopedFormatSettings us;
    EXPECT_EQ(StrToFloat("12.5"), 12.5);
    EXPECT_EQ(StrToFloat("  -0.25  "), -0.25);
    EXPECT_EQ(StrToFloat(".5"), 0.5);
    EXPECT_EQ(StrToFloat("5."), 5);
    EXPECT_EQ(StrToFloat("1E3"), 1000);
    EXPECT_EQ(StrToFloat("1.5e-2"), 0.015);
    EXPECT_EQ(StrToFloat(FloatToStr(1.0 / 3)), 0.333333333333333);
    for (const char* bad : {"", " ", "abc", "1.2.3", "1,000", "1e", "e5", "1.5x", "-", ".", "1e999"}) {
        double result = 7;
        EXPECT_FALSE(TryStrToFloat(bad, result)) << bad;
        EXPECT_EQ(result, 7);
    }
    try {
        StrToFloat("abc");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'abc' is not a valid floating point value");
    }
}

TEST(FormatFloat, MoneyFormats)
{
    ScopedFormatSettings us;
    EXPECT_EQ(FormatFloat(",.00", 1234.5), "1,234.50");
    EXPECT_EQ(FormatFloat(",.00", 0), ".00");
    EXPECT_EQ(FormatFloat(",.00", -1234567.891), "-1,234,567.89");
    EXPECT_EQ(FormatFloat(",.00", 0.005), ".01");          // half away from zero
    EXPECT_EQ(FormatFloat(",.00", 0.125), ".13");          // an exact half, still away
    EXPECT_EQ(FormatFloat(",.00", -0.004), ".00");         // rounds to zero: no sign
    EXPECT_EQ(FormatFloat(",.00", 999.999), "1,000.00");
    EXPECT_EQ(FormatFloat(".00", 1234.5), "1234.50");
    EXPECT_EQ(FormatFloat(".00", -3), "-3.00");
    EXPECT_EQ(FormatFloat("0.00", 0.5), "0.50");
    EXPECT_EQ(FormatFloat("0.00", 12), "12.00");
    EXPECT_EQ(FormatFloat("#,##0.00", 0), "0.00");
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567), "1,234,567.00");
    EXPECT_EQ(FormatFloat("#,##0.00", -12.345), "-12.35");
    EXPECT_EQ(FormatFloat("0", 2.5), "3");
    EXPECT_EQ(FormatFloat("#.##", 1.5), "1.5");
    EXPECT_EQ(FormatFloat("000", 7), "007");
}

TEST(FormatFloat, SectionsAndLiterals)
{
    ScopedFormatSettings us;
    EXPECT_EQ(FormatFloat("0.00;(0.00)", -5), "(5.00)");
    EXPECT_EQ(FormatFloat("0.00;(0.00)", 5), "5.00");
    EXPECT_EQ(FormatFloat("0.00;(0.00);'nil'", 0), "nil");
    EXPECT_EQ(FormatFloat("0.00;;'nil'", -2), "-2.00");    // empty negative section: the first one
    EXPECT_EQ(FormatFloat("'$'#,##0.00", 1500), "$1,500.00");
    EXPECT_EQ(FormatFloat("0.0 \"kg\"", 2), "2.0 kg");
    ScopedFormatSettings dmy(ScopedFormatSettings::DayMonthYear());
    EXPECT_EQ(FormatFloat(",.00", 1234.5), "1.234,50");
}
