#include "dataset/picture_mask.h"
#include "tests/support/qt_print.h"
#include <gtest/gtest.h>

namespace {

const QString kAppMask = QStringLiteral("*[&*[{#, ,.,;,,;;,:,;[,;],(,),}]]");

struct Checked {
    TPicResult result;
    QString text;
};

Checked Check(const QString& mask, const QString& typed, bool autoFill = false)
{
    const TwwPictureValidator validator(mask, autoFill);
    QString text = typed;
    const TPicResult result = validator.Picture(text, autoFill);
    return {result, text};
}

TPicResult ResultOf(const QString& mask, const QString& typed, bool autoFill = false)
{
    return Check(mask, typed, autoFill).result;
}

} // namespace

TEST(PictureMask, DigitsCountExactly)
{
    const QString mask = QStringLiteral("###");
    EXPECT_EQ(ResultOf(mask, ""), prEmpty);
    EXPECT_EQ(ResultOf(mask, "12"), prIncomplete);
    EXPECT_EQ(ResultOf(mask, "123"), prComplete);
    EXPECT_EQ(ResultOf(mask, "1234"), prError);
    EXPECT_EQ(ResultOf(mask, "12a"), prError);
}

TEST(PictureMask, LetterAndAnyCharacterCodesConvertCase)
{
    EXPECT_EQ(Check("&&", "ab").text, "AB");
    EXPECT_EQ(ResultOf("&&", "ab"), prComplete);
    EXPECT_EQ(Check("~~", "AB").text, "ab");
    EXPECT_EQ(Check("??", "aB").text, "aB");
    EXPECT_EQ(ResultOf("??", "a1"), prError);
    EXPECT_EQ(ResultOf("&", "1"), prError);
    EXPECT_EQ(Check("!!!", "a1-").text, "A1-");
    EXPECT_EQ(Check("@@", "a/").text, "a/");
    // Characters above 128 count as letters and convert too.
    EXPECT_EQ(Check("&", QString(QChar(0xE9))).text, QString(QChar(0xC9)));
    EXPECT_EQ(ResultOf("?", QString(QChar(0x80))), prError);
}

TEST(PictureMask, LiteralsMatchWithoutCaseAndTakeTheMaskCharacter)
{
    EXPECT_EQ(Check("X-#", "x-5").text, "X-5");
    EXPECT_EQ(ResultOf("X-#", "x-5"), prComplete);
    EXPECT_EQ(ResultOf("X-#", "x/5"), prError);
    EXPECT_EQ(ResultOf("(###) ###-####", "555"), prError);
}

TEST(PictureMask, BlankStandsForALiteralOnlyAsTheLastCharacter)
{
    const QString mask = QStringLiteral("(###) ###");
    const Checked atEnd = Check(mask, "(555 ");
    EXPECT_EQ(atEnd.result, prIncomplete);
    EXPECT_EQ(atEnd.text, "(555)");
    EXPECT_EQ(ResultOf(mask, "(555 1"), prError);
}

TEST(PictureMask, AutoFillAppendsLiteralsUpToTheNextCode)
{
    const QString mask = QStringLiteral("(###) ###-####");
    const Checked filled = Check(mask, "(555", true);
    EXPECT_EQ(filled.result, prIncomplete);
    EXPECT_EQ(filled.text, "(555) ");
    EXPECT_EQ(Check(mask, "(555) 123", true).text, "(555) 123-");
    EXPECT_EQ(Check(mask, "(555", false).text, "(555");
    // Escaped codes are filled in as literals.
    EXPECT_EQ(Check("#;#;*#", "1", true).text, "1#*");
}

TEST(PictureMask, AutoFillCompletesTheAlternativeThatWasLeftIncomplete)
{
    const QString mask = QStringLiteral("{yes,no}");
    EXPECT_EQ(Check(mask, "y", true).text, "yes");
    EXPECT_EQ(ResultOf(mask, "y", true), prComplete);
    EXPECT_EQ(Check(mask, "N", true).text, "no");
    EXPECT_EQ(ResultOf(mask, "x", true), prError);
    EXPECT_EQ(ResultOf(mask, "y", false), prIncomplete);
}

TEST(PictureMask, RepetitionWithCount)
{
    EXPECT_EQ(ResultOf("*3#", "12"), prIncomplete);
    EXPECT_EQ(ResultOf("*3#", "123"), prComplete);
    EXPECT_EQ(ResultOf("*3#", "1234"), prError);
    EXPECT_EQ(ResultOf("*2{#-}", "1-2"), prIncomplete);
    EXPECT_EQ(ResultOf("*2{#-}", "1-2-"), prComplete);
    // A repeated optional part may be left out when the text runs out.
    EXPECT_EQ(ResultOf("#*2[x]", "1"), prComplete);
    EXPECT_EQ(ResultOf("#*2[x]", "1x"), prComplete);
    EXPECT_EQ(ResultOf("#*2x", "1"), prIncomplete);
    // The count is taken modulo 256: 257 repeats once, 256 any number of times.
    EXPECT_EQ(ResultOf("*257#", "1"), prComplete);
    EXPECT_EQ(ResultOf("*257#", "12"), prError);
    EXPECT_EQ(ResultOf("*256#", "12345"), prComplete);
}

TEST(PictureMask, RepetitionWithoutCount)
{
    EXPECT_EQ(ResultOf("*#", ""), prEmpty);
    EXPECT_EQ(ResultOf("*#", "123"), prComplete);
    EXPECT_EQ(ResultOf("*#", "12a"), prError);
    EXPECT_EQ(ResultOf("&*#", "a"), prComplete);
    // An optional body that takes nothing ends the repetition.
    EXPECT_EQ(ResultOf("*[#]", "12"), prComplete);
    EXPECT_EQ(ResultOf("*[#]", "a"), prError);
    EXPECT_EQ(ResultOf("*[#]x", "12x"), prComplete);
}

TEST(PictureMask, OptionalParts)
{
    const QString mask = QStringLiteral("##[-##]");
    EXPECT_EQ(ResultOf(mask, "12"), prComplete);
    EXPECT_EQ(ResultOf(mask, "12-3"), prIncomplete);
    EXPECT_EQ(ResultOf(mask, "12-34"), prComplete);
    EXPECT_EQ(ResultOf(mask, "12x"), prError);
    EXPECT_EQ(Check(mask, "12", true).text, "12");
}

TEST(PictureMask, GroupsCountAsOptionalWhenOneAlternativeIs)
{
    EXPECT_EQ(ResultOf("#{[a],b}", "1"), prComplete);
    EXPECT_EQ(ResultOf("#{a,b}", "1"), prIncomplete);
    EXPECT_EQ(ResultOf("#{a,b}", "1B"), prComplete);
    // The rest of an alternative is judged up to its comma.
    EXPECT_EQ(ResultOf("#[#],x", "1"), prComplete);
}

TEST(PictureMask, AlternativesAreTriedInOrder)
{
    EXPECT_EQ(Check("#,&", "a").text, "A");
    EXPECT_EQ(ResultOf("#,&", "a"), prComplete);
    EXPECT_EQ(ResultOf("#,&", "-"), prError);
    EXPECT_EQ(ResultOf("{##,#x}", "1x"), prComplete);
    EXPECT_EQ(ResultOf("{abc,a}", "a"), prComplete);
}

TEST(PictureMask, BlankTakenByABlankLiteralIsNotGivenToALaterAlternative)
{
    // The first alternative takes the blank as its blank and is left
    // incomplete; the second may not turn the same blank into "-".
    const Checked blankFirst = Check("#{ a,-}", "1 ");
    EXPECT_EQ(blankFirst.result, prIncomplete);
    EXPECT_EQ(blankFirst.text, "1 ");
    EXPECT_EQ(Check("#{ a,-}", "1 ", true).text, "1 a");
    // Without a blank literal before it, the blank becomes the "-".
    EXPECT_EQ(Check("#{-, a}", "1 ").text, "1-");
    EXPECT_EQ(ResultOf("#{-, a}", "1 "), prComplete);
}

TEST(PictureMask, EscapedCodesAreLiterals)
{
    EXPECT_EQ(ResultOf(";#", "#"), prComplete);
    EXPECT_EQ(ResultOf(";#", "5"), prError);
    EXPECT_EQ(ResultOf("a;,b", "A,B"), prComplete);
    EXPECT_EQ(ResultOf("#;*", "1*"), prComplete);
    EXPECT_EQ(ResultOf("#;;", "1;"), prComplete);
    EXPECT_EQ(ResultOf(";[#;]", "[1]"), prComplete);
}

TEST(PictureMask, SyntaxErrorsAreRecordedAndLetInputPass)
{
    for (const QString& mask : {QString("*"), QString("12;"), QString("[#"), QString("#]"), QString("{#"),
                               QString("#;;*"), QString("]#[")}) {
        SCOPED_TRACE(mask.toStdString());
        const TwwPictureValidator validator(mask, false);
        EXPECT_EQ(validator.Status(), TwwPictureValidator::vsSyntax);
        QString text = QStringLiteral("1");
        EXPECT_EQ(validator.Picture(text, false), prSyntax);
        QString empty;
        EXPECT_EQ(validator.Picture(empty, false), prSyntax);
        EXPECT_TRUE(validator.IsValidInput(text, false));
        EXPECT_FALSE(validator.IsValid(text));
    }
    EXPECT_EQ(TwwPictureValidator("#;*", false).Status(), TwwPictureValidator::vsOk);
    EXPECT_EQ(TwwPictureValidator(kAppMask, false).Status(), TwwPictureValidator::vsOk);
}

TEST(PictureMask, EmptyMaskAcceptsEverything)
{
    const TwwPictureValidator validator(QString(), true);
    QString text = QStringLiteral("anything");
    EXPECT_TRUE(validator.IsValidInput(text, false));
    EXPECT_TRUE(validator.IsValid(text));
}

TEST(PictureMask, OptionsFollowAutoFill)
{
    EXPECT_EQ(TwwPictureValidator("#", true).Options(),
              TwwPictureValidator::voFill | TwwPictureValidator::voOnAppend);
    EXPECT_EQ(TwwPictureValidator("#", false).Options(), TwwPictureValidator::voOnAppend);
}

TEST(PictureMask, IsValidInputFillsUnlessSuppressed)
{
    const TwwPictureValidator filling(QStringLiteral("(###) ###"), true);
    QString text = QStringLiteral("(555");
    EXPECT_TRUE(filling.IsValidInput(text, false));
    EXPECT_EQ(text, "(555) ");
    QString suppressed = QStringLiteral("(555");
    EXPECT_TRUE(filling.IsValidInput(suppressed, true));
    EXPECT_EQ(suppressed, "(555");
    QString wrong = QStringLiteral("(55x");
    EXPECT_FALSE(filling.IsValidInput(wrong, false));

    const TwwPictureValidator plain(QStringLiteral("(###) ###"), false);
    QString unfilled = QStringLiteral("(555");
    EXPECT_TRUE(plain.IsValidInput(unfilled, false));
    EXPECT_EQ(unfilled, "(555");
}

TEST(PictureMask, IsValidTakesCompleteOrEmptyOnly)
{
    const TwwPictureValidator validator(QStringLiteral("##"), true);
    EXPECT_TRUE(validator.IsValid(""));
    EXPECT_TRUE(validator.IsValid("12"));
    EXPECT_FALSE(validator.IsValid("1"));
    EXPECT_FALSE(validator.IsValid("1a"));
}

TEST(PictureMask, ApplicationMaskTakesLetterFirstTexts)
{
    const Checked typed = Check(kAppMask, "abc 12");
    EXPECT_EQ(typed.result, prComplete);
    EXPECT_EQ(typed.text, "ABC 12");
    EXPECT_EQ(Check(kAppMask, "Main St. (2)").text, "MAIN ST. (2)");
    EXPECT_EQ(ResultOf(kAppMask, "x;y:z[1],(2)"), prComplete);
    EXPECT_EQ(Check(kAppMask, "First Bank (Main St. 12), acct. 4711: savings").text,
              "FIRST BANK (MAIN ST. 12), ACCT. 4711: SAVINGS");
    EXPECT_EQ(Check(kAppMask, "abc ").text, "ABC ");
    EXPECT_EQ(ResultOf(kAppMask, "abc "), prComplete);
    EXPECT_EQ(ResultOf(kAppMask, ""), prEmpty);
}

TEST(PictureMask, ApplicationMaskRefusesOtherTexts)
{
    EXPECT_EQ(ResultOf(kAppMask, "1abc"), prError);
    EXPECT_EQ(ResultOf(kAppMask, " abc"), prError);
    EXPECT_EQ(ResultOf(kAppMask, "a-b"), prError);
    const TwwPictureValidator validator(kAppMask, true);
    EXPECT_FALSE(validator.IsValid("(a)"));
    EXPECT_TRUE(validator.IsValid("Rent 2024"));
}
