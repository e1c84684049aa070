#include "data/message_helpers.h"
#include "platform/rtl/exceptions.h"
#include "tests/support/qt_print.h"
#include "tests/support/scripted_presenter.h"
#include <gtest/gtest.h>

TEST(ShowErrorMessage, ShowsOneErrorBoxAndAlwaysAnswersNo) {
    ScriptedPresenter presenter;
    presenter.Answer(mrOk);
    presenter.Answer(mrCancel);   // the window's close button
    EXPECT_EQ(ShowErrorMessage("Bank Name has to be entered"), 7);
    EXPECT_EQ(ShowErrorMessage("x"), 7);
    ASSERT_EQ(presenter.shown.size(), 2u);
    const TMessageRequest& box = presenter.shown[0];
    EXPECT_EQ(box.Text, QString("Bank Name has to be entered\r"));
    EXPECT_EQ(box.Type, TMsgDlgType::mtError);
    EXPECT_EQ(box.Buttons, TMsgDlgButtons(mbOK));
    EXPECT_EQ(box.HelpContext, 1);
}

TEST(TrimSpaces, RemovesOnlyOuterBlanks) {
    EXPECT_EQ(TrimSpaces("  Rent  due "), QString("Rent  due"));
    EXPECT_EQ(TrimSpaces("\t\t"), QString("\t\t"));
    EXPECT_EQ(TrimSpaces(" \tx\t "), QString("\tx\t"));
    EXPECT_EQ(TrimSpaces("    "), QString());
    EXPECT_EQ(TrimSpaces(""), QString());
    EXPECT_EQ(TrimLeftChar("000120", '0'), QString("120"));
    EXPECT_EQ(TrimRightChar("120000", '0'), QString("12"));
    EXPECT_EQ(TrimRightChar("0000", '0'), QString());
}

TEST(DateParts, IgnoreTheTimeOfDay) {
    const TDateTime lateMarch = EncodeDate(2001, 3, 31) + EncodeTime(23, 59, 0, 0);
    EXPECT_EQ(YearOf(lateMarch), 2001);
    EXPECT_EQ(MonthOf(lateMarch), 3);
    EXPECT_EQ(YearOf(EncodeDate(1900, 1, 1)), 1900);
    EXPECT_EQ(MonthOf(EncodeDate(1899, 12, 30)), 12);
}

TEST(LastDayOfMonth, HandlesYearEndAndLeapYears) {
    EXPECT_EQ(LastDayOfMonth(EncodeDate(1999, 12, 1)), EncodeDate(1999, 12, 31));
    EXPECT_EQ(LastDayOfMonth(EncodeDate(1999, 12, 31) + 0.75), EncodeDate(1999, 12, 31));
    EXPECT_EQ(LastDayOfMonth(EncodeDate(2000, 2, 15)), EncodeDate(2000, 2, 29));
    EXPECT_EQ(LastDayOfMonth(EncodeDate(1900, 2, 15)), EncodeDate(1900, 2, 28));
    EXPECT_EQ(LastDayOfMonth(EncodeDate(2023, 4, 30)), EncodeDate(2023, 4, 30));
}

TEST(MonthName, NamesTwelveMonthsAndRefusesOthers) {
    EXPECT_EQ(MonthName(1), QString("January"));
    EXPECT_EQ(MonthName(9), QString("September"));
    EXPECT_EQ(MonthName(12), QString("December"));
    EXPECT_THROW(MonthName(0), ERangeError);
    EXPECT_THROW(MonthName(13), ERangeError);
}
