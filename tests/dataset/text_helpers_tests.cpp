#include "dataset/stacks.h"
#include "dataset/text_helpers.h"
#include "platform/rtl/string_list.h"
#include "tests/support/qt_print.h"
#include "tests/support/scoped_format_settings.h"
#include <gtest/gtest.h>

namespace {

QStringList Split(const QString& text, QChar delimiter)
{
    TStringList list{QStringLiteral("left over")};
    SplitToList(text, delimiter, list);
    return list.ToQStringList();
}

} // namespace

TEST(NextToken, WalksOneCharacterDelimitersToTheEnd)
{
    const QString text = QStringLiteral("a;b");
    int position = 1;
    EXPECT_EQ(NextToken(text, ";", position), "a");
    EXPECT_EQ(position, 3);
    EXPECT_EQ(NextToken(text, ";", position), "b");
    EXPECT_EQ(position, -1);
    EXPECT_EQ(NextToken(text, ";", position), "");
    EXPECT_EQ(position, -1);
}

TEST(NextToken, EmptyPiecesAndPositionsOutsideTheText)
{
    int position = 1;
    EXPECT_EQ(NextToken(";x", ";", position), "");
    EXPECT_EQ(position, 2);
    position = 0;
    EXPECT_EQ(NextToken("abc", ";", position), "");
    EXPECT_EQ(position, 0);
    position = 4;
    EXPECT_EQ(NextToken("abc", ";", position), "");
    EXPECT_EQ(position, 4);
    position = 3;
    EXPECT_EQ(NextToken("ab;", ";", position), "");
    EXPECT_EQ(position, 4);
}

TEST(NextToken, WordDelimitersNeedBlanksAndIgnoreCase)
{
    int position = 1;
    EXPECT_EQ(NextToken("x AND y", "and", position), "x");
    EXPECT_EQ(position, 7);
    EXPECT_EQ(NextToken("x AND y", "and", position), "y");
    EXPECT_EQ(position, -1);

    position = 1;
    EXPECT_EQ(NextToken("xandy", "and", position), "xandy");
    EXPECT_EQ(position, -1);

    position = 3;
    EXPECT_EQ(NextToken("a Bc or De", "OR", position), "Bc");
    EXPECT_EQ(position, 9);
}

TEST(SplitToList, EdgeCases)
{
    EXPECT_EQ(Split("", ';'), QStringList{""});
    EXPECT_EQ(Split("a;b;", ';'), (QStringList{"a", "b", ""}));
    EXPECT_EQ(Split("a;;b", ';'), (QStringList{"a", "", "b"}));
    EXPECT_EQ(Split(";", ';'), (QStringList{"", ""}));
    EXPECT_EQ(Split("Amount\t12\tSum", '\t'), (QStringList{"Amount", "12", "Sum"}));
    EXPECT_EQ(Split("no delimiter", ';'), QStringList{"no delimiter"});
}

TEST(TextHelpers, StripReplaceCountAndTextAfter)
{
    QString text = QStringLiteral("ab. \t. ");
    StripTrailingChars(text, " .\t");
    EXPECT_EQ(text, "ab");
    QString all = QStringLiteral("   ");
    StripTrailingChars(all, " ");
    EXPECT_EQ(all, "");

    EXPECT_EQ(ReplaceChar("a;b;c", ';', '\t'), "a\tb\tc");
    EXPECT_EQ(CountChar("a;b;c", ';'), 2);
    EXPECT_EQ(CountChar("", ';'), 0);

    EXPECT_EQ(TextAfterChar("ADm1.LupBanks", '.'), "LupBanks");
    EXPECT_EQ(TextAfterChar("a.b.c", '.'), "b.c");
    EXPECT_EQ(TextAfterChar("LupBanks", '.'), "");
    EXPECT_EQ(TextAfterChar("trailing.", '.'), "");
}

TEST(TextHelpers, SameTextNoCaseFoldsUnicode)
{
    EXPECT_TRUE(SameTextNoCase("CustomEdit", "customedit"));
    EXPECT_TRUE(SameTextNoCase(QString::fromUtf8("\xC3\x84RGER"), QString::fromUtf8("\xC3\xA4rger")));
    EXPECT_FALSE(SameTextNoCase("Combo", "Combo "));
}

TEST(TextHelpers, IntegerTexts)
{
    for (const char* valid : {"", "0", "-7", "12345678901234567890"})
        EXPECT_TRUE(IsValidIntegerText(valid)) << valid;
    for (const char* invalid : {"-", "+7", " 7", "7 ", "7-", "1.5", "--7", "x"})
        EXPECT_FALSE(IsValidIntegerText(invalid)) << invalid;
}

TEST(TextHelpers, FloatTextsJudgeTheWholeText)
{
    const ScopedFormatSettings settings;
    EXPECT_TRUE(IsValidFloatText(""));
    EXPECT_TRUE(IsValidFloatText("-12.5"));
    EXPECT_TRUE(IsValidFloatText("1e3"));
    EXPECT_FALSE(IsValidFloatText("12.5x"));
    EXPECT_FALSE(IsValidFloatText("abc"));
    // A fault after the 63rd character still makes the text invalid.
    const QString longNumber = QStringLiteral("1.") + QString(70, QLatin1Char('0'));
    EXPECT_TRUE(IsValidFloatText(longNumber));
    EXPECT_FALSE(IsValidFloatText(longNumber + QStringLiteral("x")));
}

TEST(TextHelpers, FloatTextsFollowTheRegionalDecimalSeparator)
{
    const ScopedFormatSettings settings(ScopedFormatSettings::DayMonthYear('.', ','));
    EXPECT_TRUE(IsValidFloatText("12,5"));
    EXPECT_FALSE(IsValidFloatText("12;5"));
}

TEST(Stacks, StrPopsInReverseOrderAndEmptyGivesEmptyText)
{
    TStackStr stack;
    stack.Push("a");
    stack.Push("b");
    EXPECT_EQ(stack.Count(), 2);
    EXPECT_EQ(stack.Pop(), "b");
    EXPECT_EQ(stack.Pop(), "a");
    EXPECT_EQ(stack.Pop(), "");
    EXPECT_EQ(stack.Count(), 0);
    stack.Push("c");
    EXPECT_EQ(stack.Pop(), "c");
}

TEST(Stacks, PtrPopsInReverseOrderAndEmptyGivesNull)
{
    int first = 1;
    int second = 2;
    TStackPtr stack;
    stack.Push(&first);
    stack.Push(&second);
    EXPECT_EQ(stack.Pop(), &second);
    EXPECT_EQ(stack.Pop(), &first);
    EXPECT_EQ(stack.Pop(), nullptr);
    EXPECT_EQ(stack.Count(), 0);
}
