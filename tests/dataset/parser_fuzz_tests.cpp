// Random and mutated masks, texts and carets through the picture masks and
// the date and time readers: nothing may crash, hang or trip the sanitizers,
// and what a mask accepted it accepts again unchanged.
#include "dataset/date_text.h"
#include "dataset/picture_mask.h"
#include "tests/support/fuzz_text.h"
#include "tests/support/qt_print.h"
#include "tests/support/scoped_format_settings.h"
#include <climits>
#include <gtest/gtest.h>

namespace {

const QStringList MaskSeeds = {
    QStringLiteral("*[&*[{#, ,.,;,,;;,:,;[,;],(,),}]]"), QStringLiteral("(###) ###-####"), QStringLiteral("{yes,no}"),
    QStringLiteral("#{[a],b}"), QStringLiteral("*2{#-}"), QStringLiteral("&*_,w"), QStringLiteral("##[-##]"),
    QStringLiteral("!99/99/0000"), QStringLiteral("*3{&,~}[;*]"), QStringLiteral("#{ a,-}"),
};
const QString MaskAlphabet = QStringLiteral("#?&~!@*[]{},;0123456789aw_- ");
const QString TextAlphabet = QStringLiteral("aAwW1_9- ,;.()x\u00e9\u0130");

TEST(PictureMaskFuzz, NoCrashAndAnAcceptedTextIsAcceptedAgainUnchanged)
{
    FuzzText fuzz(20261207);
    for (int n = 0; n < 4000; ++n) {
        const QString mask = fuzz.Next(MaskSeeds, MaskAlphabet, 16);
        const bool autoFill = fuzz.Below(2) == 0;
        const TwwPictureValidator validator(mask, autoFill);
        for (int t = 0; t < 4; ++t) {
            QString text = fuzz.Random(TextAlphabet, 10);
            const QString typed = text;
            const TPicResult first = validator.Picture(text, autoFill);
            if (first != prComplete) continue;
            QString again = text;
            EXPECT_EQ(int(validator.Picture(again, autoFill)), int(prComplete)) << mask.toStdString() << " on " << typed.toStdString();
            EXPECT_EQ(again, text) << mask.toStdString() << " on " << typed.toStdString();
            EXPECT_TRUE(validator.IsValid(text)) << mask.toStdString() << " on " << typed.toStdString();
        }
    }
}

TEST(PictureMaskEdges, NestedRepetitionsAndAlternativesStayQuick)
{
    // Each of these took longer than the suite could wait before a part of a
    // mask was tried at most once per place in the text.
    const QString xs = QString(80, QLatin1Char('x'));
    const struct { const char* mask; QString text; TPicResult result; } cases[] = {
        {"*255*255*255*255*255*255[x]", QStringLiteral("y"), prError},
        {"*255*255*255*255*255*255[x]", xs, prIncomplete},   // 255 to the sixth power of x wanted
        {"*255*255*255*255*255*255[x]", xs + QLatin1Char('y'), prError},
        {"*255{*255{*255{*255x z,x},y},x}", xs + QLatin1Char('y'), prIncomplete},
        {"*255*255*255{*255{x,y}z,*255[x]}", xs + QStringLiteral("yz"), prError},
        {"*{*{*{*{*[x]}}}}", xs, prComplete},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mask);
        QString text = c.text;
        EXPECT_EQ(int(TwwPictureValidator(QString::fromLatin1(c.mask), false).Picture(text, false)), int(c.result));
    }
}

TEST(PictureMaskEdges, ABlankTakenForALiteralGivesTheTextThatChecksAgainUnchanged)
{
    // The second alternative turns the blank into its "w"; the first one then
    // reads that "w" as a letter in upper case, which is the text that stands.
    const TwwPictureValidator validator(QStringLiteral("&*_,w"), true);
    QString text = QStringLiteral(" ");
    EXPECT_EQ(validator.Picture(text, true), prComplete);
    EXPECT_EQ(text, "W");
    EXPECT_EQ(validator.Picture(text, true), prComplete);
    EXPECT_EQ(text, "W");
    // Literals are filled in only where the mask takes the text with them.
    text = QStringLiteral(" ");
    EXPECT_EQ(TwwPictureValidator(QStringLiteral("&*_,ww"), true).Picture(text, true), prIncomplete);
    EXPECT_EQ(text, "w");
    // A text that fails leaves the letters it was given as they were.
    text = QStringLiteral("xb");
    EXPECT_EQ(TwwPictureValidator(QStringLiteral("{&a,@c}"), false).Picture(text, false), prError);
    EXPECT_EQ(text, "xb");
}

TEST(DateTextEdges, ACaretOutsideTheTextStandsAtItsNearerEnd)
{
    const ScopedFormatSettings us;
    for (const QString& text : {QStringLiteral("12/31/2024 10:30:15 PM"), QStringLiteral("12/31"), QString()}) {
        SCOPED_TRACE(text.toStdString());
        const int end = int(text.size());
        for (const bool timeOnly : {false, true}) {
            EXPECT_EQ(DatePartAtCursor(INT_MAX, text, timeOnly), DatePartAtCursor(end, text, timeOnly));
            EXPECT_EQ(DatePartAtCursor(end + 1, text, timeOnly), DatePartAtCursor(end, text, timeOnly));
            EXPECT_EQ(DatePartAtCursor(INT_MIN, text, timeOnly), DatePartAtCursor(0, text, timeOnly));
        }
        EXPECT_EQ(TimePartAtCursor(INT_MAX, text), TimePartAtCursor(end, text));
    }
    EXPECT_EQ(DatePartAtCursor(INT_MAX, QStringLiteral("12/31/2024 10:30:15 PM"), false), dtpAmPm);
    EXPECT_EQ(DatePartAtCursor(INT_MIN, QStringLiteral("12/31/2024"), false), dtpMonth);
}

TEST(DateTextFuzz, ReadersAndCaretPartsTakeAnyTextAndCaret)
{
    const ScopedFormatSettings us;
    FuzzText fuzz(4711);
    const QStringList seeds = {QStringLiteral("12/31/2024"), QStringLiteral("1/2 3:04 PM"), QStringLiteral("Dec/5"),
                               QStringLiteral("10:30:59 am"), QStringLiteral("2024/02/29 23:59")};
    const QString alphabet = QStringLiteral("0123456789/: aApPmMDecJnF\u00e9");
    const int carets[] = {INT_MIN, -1, 0, 1, 3, 8, 15, INT_MAX - 1, INT_MAX};
    for (int n = 0; n < 5000; ++n) {
        const QString text = fuzz.Next(seeds, alphabet, 24);
        int position = 1 + fuzz.Below(int(text.size()) + 2);
        TDateTime value = 0;
        if (ReadDateText(text, position, value)) {
            EXPECT_GE(position, 1);
            EXPECT_LE(position, text.size() + 1) << text.toStdString();
        }
        position = 1;
        ReadTimeText(text, position, value);
        IsValidDateText(text);
        IsValidTimeText(text);
        IsValidDateTimeText(text);
        const int caret = carets[fuzz.Below(int(std::size(carets)))];
        const TDateTimePart part = DatePartAtCursor(caret, text, fuzz.Below(2) == 0);
        EXPECT_GE(part, dtpDay);
        EXPECT_LE(part, dtpAmPm);
        const TDateTimePart timePart = TimePartAtCursor(caret, text);
        EXPECT_GE(timePart, dtpHour);
        EXPECT_LE(timePart, dtpAmPm);
    }
}

} // namespace
