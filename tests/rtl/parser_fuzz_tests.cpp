// Random and mutated patterns, texts and values through the formatting and
// reading routines: each either gives its result or raises the error it
// declares, never crashes, hangs or trips the sanitizers; and every number
// FloatToStr writes reads back.
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "tests/support/fuzz_text.h"
#include "tests/support/scoped_format_settings.h"
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace {

// Runs work; a declared error is an answer too.
template <typename F>
void Tolerating(F&& work)
{
    try {
        work();
    } catch (const EConvertError&) {
    } catch (const ERangeError&) {
    }
}

// Doubles of every kind: from random bits (NaN, infinities, subnormals and
// all), and near the edges the calendar and the formats care about.
double AnyDouble(FuzzText& fuzz)
{
    static const double edges[] = {0.0, -0.0, 0.5, -1.25, 2958465.99999, 2958466.0, -693593.0, -693594.0,
                                   1e15, 1e300, std::numeric_limits<double>::max(),
                                   std::numeric_limits<double>::denorm_min(),
                                   std::numeric_limits<double>::quiet_NaN(),
                                   std::numeric_limits<double>::infinity()};
    if (fuzz.Below(3) == 0) return edges[fuzz.Below(int(std::size(edges)))] * (fuzz.Below(2) ? 1 : -1);
    quint64 bits = 0;
    for (int k = 0; k < 4; ++k) bits = (bits << 16) | quint64(fuzz.Below(65536));
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return fuzz.Below(2) == 0 ? value : std::fmod(value, 3e6);
}

QVariant AnyArgument(FuzzText& fuzz)
{
    switch (fuzz.Below(4)) {
    case 0: return qint64(fuzz.Below(2000001) - 1000000) * (fuzz.Below(2) ? 1 : 1000000007LL);
    case 1: return AnyDouble(fuzz);
    case 2: return fuzz.Random(QStringLiteral("ab %d"), 6);
    default: return std::numeric_limits<qint64>::min();
    }
}

TEST(FormatFuzz, DirectivesAndPicturesGiveTextOrTheFormatError)
{
    const ScopedFormatSettings us;
    FuzzText fuzz(1899);
    const QStringList seeds = {QStringLiteral("%.10d"), QStringLiteral("Row %d of %s"), QStringLiteral("%-8.3f|%n"),
                               QStringLiteral("%e %g %x %%"), QStringLiteral("%1024.1024d")};
    const QString alphabet = QStringLiteral("%-.0123456789dsfngexDSX% a");
    for (int n = 0; n < 4000; ++n) {
        const QString format = fuzz.Next(seeds, alphabet, 14);
        Tolerating([&] { Format(format, {AnyArgument(fuzz), AnyArgument(fuzz), AnyArgument(fuzz)}); });
    }
    const QStringList pictures = {QStringLiteral(",.00"), QStringLiteral("#,##0.00;(#,##0.00);Zero"),
                                  QStringLiteral("0000"), QStringLiteral("'x'#.#\"y\"")};
    for (int n = 0; n < 4000; ++n) {
        const QString picture = fuzz.Next(pictures, QStringLiteral("#0.,;'\"xE+-"), 12);
        FormatFloat(picture, AnyDouble(fuzz));
    }
}

TEST(DateTimeFuzz, PatternsAndTextsGiveResultsOrTheirErrors)
{
    const ScopedFormatSettings us;
    FuzzText fuzz(30121899);
    const QStringList patterns = {QStringLiteral("dd/mm/yyyy"), QStringLiteral("DDD, DD, MMM, YYYY"),
                                  QStringLiteral("hh:nn:ss am/pm"), QStringLiteral("dddd mmmm yy 'at' h:n ampm")};
    const QString patternAlphabet = QStringLiteral("dmyhnsDMYHNS/:'\" apmAPM");
    for (int n = 0; n < 4000; ++n) {
        const QString pattern = fuzz.Next(patterns, patternAlphabet, 20);
        const double value = AnyDouble(fuzz);
        Tolerating([&] { FormatDateTime(pattern, value); });
        Tolerating([&] { DateToStr(value); });
        Tolerating([&] { DateTimeToStr(value); });
        Tolerating([&] { TimeToStr(value); });
    }
    const QStringList texts = {QStringLiteral("12/31/2024"), QStringLiteral("2/29/1900"), QStringLiteral("1/1/0001"),
                               QStringLiteral("12/31/9999"), QStringLiteral(" 7 / 4 / 76 ")};
    for (int n = 0; n < 4000; ++n) {
        const QString text = fuzz.Next(texts, QStringLiteral("0123456789/ -+"), 16);
        TDateTime date = 0;
        if (TryStrToDate(text, date)) {
            EXPECT_EQ(StrToDate(DateToStr(date)), date) << text.toStdString();
        } else {
            EXPECT_THROW(StrToDate(text), EConvertError) << text.toStdString();
        }
    }
}

TEST(NumberTextFuzz, WhatIsWrittenReadsBackAndAnyTextReadsOrFails)
{
    const ScopedFormatSettings us;
    FuzzText fuzz(65535);
    for (int n = 0; n < 5000; ++n) {
        const double value = AnyDouble(fuzz);
        const QString text = FloatToStr(value);
        if (!std::isfinite(value)) continue;
        const double back = StrToFloat(text);
        EXPECT_LE(std::fabs(back - value), std::fabs(value) * 1e-14) << text.toStdString();
    }
    const QStringList numbers = {QStringLiteral("1.79769313486232E308"), QStringLiteral("-0.0001"),
                                 QStringLiteral("$7FFFFFFFFFFFFFFF"), QStringLiteral("-9223372036854775808"),
                                 QStringLiteral("0x1F"), QStringLiteral(" 12.5e-3 ")};
    for (int n = 0; n < 5000; ++n) {
        const QString text = fuzz.Next(numbers, QStringLiteral("0123456789.eE+-$xXF "), 24);
        double real = 0;
        if (TryStrToFloat(text, real)) {
            EXPECT_TRUE(std::isfinite(real)) << text.toStdString();
        }
        qint64 whole = 0;
        if (TryStrToInt(text, whole)) {
            EXPECT_EQ(StrToInt(IntToStr(whole)), whole) << text.toStdString();
        }
    }
}

} // namespace
