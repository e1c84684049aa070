#include "dataset/intl.h"
#include "tests/support/qt_print.h"
#include <gtest/gtest.h>

namespace {

// Puts the defaults back into the global text object after each test.
class IntlTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        TwwIntl defaults;
        defaults.SetConnected(true);
    }
};

} // namespace

TEST_F(IntlTest, UserMessagesDefaultToTheLibraryTexts)
{
    const TwwUserMessagesIntl& m = GlobalIntl().UserMessages;
    EXPECT_EQ(m.wwDBGridDiscardChanges, "Discard changes to this record?");
    EXPECT_EQ(m.PictureValidateError, "Invalid characters. Field : ");
    EXPECT_EQ(m.LocateNoMatches, "No matches found");
    EXPECT_EQ(m.LocateNoMoreMatches, "No more matches found");
    EXPECT_EQ(m.MemoChangesWarning, "Changes have been made!  Are you sure you wish to cancel?");
    EXPECT_EQ(m.RichEditExitWarning, "Changes have been made!  Do you wish to save your changes?");
    EXPECT_EQ(m.RichEditClearWarning, "Clear entire text?");
    EXPECT_EQ(m.FilterDlgNoCriteria, "You have not selected any search criteria");
    EXPECT_EQ(m.RecordViewExitWarning, "Changes have been made!  Do you wish to save your changes?");
}

TEST_F(IntlTest, OptionsDefaultAndReadByName)
{
    const TwwIntl intl;
    EXPECT_EQ(intl.GetPropertyValue("BtnOKCaption").toString(), "&OK");
    EXPECT_EQ(intl.GetPropertyValue("BtnCancelCaption").toString(), "Cancel");
    EXPECT_TRUE(intl.GetPropertyValue("OKCancelBitmapped").toBool());
    EXPECT_TRUE(intl.GetPropertyValue("UseLocateMethodForSearch").toBool());
    EXPECT_FALSE(intl.GetPropertyValue("Connected").toBool());
    EXPECT_EQ(intl.GetPropertyValue("CheckBoxInGridStyle").value<TwwIntl::TwwCheckBoxInGridStyle>(),
              TwwIntl::cbStyleAuto);
    EXPECT_EQ(intl.DialogFontStyle(), 0u);
    EXPECT_TRUE(intl.ReopenOnCancelRange());
    EXPECT_EQ(intl.LocateDialog.MatchExactLabel, "&Exact Match");
    EXPECT_EQ(intl.LocateDialog.BtnFirst, "Fi&rst");
}

TEST_F(IntlTest, ConnectingCopiesTextsAndOptionsIntoTheGlobalObject)
{
    TwwIntl translated;
    translated.SetBtnOKCaption("&Ja");
    translated.SetOKCancelBitmapped(false);
    translated.SetUseLocateMethodForSearch(false);
    translated.SetDialogFontStyle(TwwIntl::dfsBold);
    translated.UserMessages.PictureValidateError = "Ungültige Zeichen. Feld : ";
    translated.RichEdit.MenuLabels.FileCaption = "&Datei";
    EXPECT_EQ(GlobalIntl().BtnOKCaption(), "&OK");

    ASSERT_TRUE(translated.SetPropertyValue("Connected", true));
    const TwwIntl& global = GlobalIntl();
    EXPECT_EQ(global.BtnOKCaption(), "&Ja");
    EXPECT_FALSE(global.OKCancelBitmapped());
    EXPECT_FALSE(global.UseLocateMethodForSearch());
    EXPECT_EQ(global.DialogFontStyle(), TwwIntl::dfsBold);
    EXPECT_EQ(global.UserMessages.PictureValidateError, "Ungültige Zeichen. Feld : ");
    EXPECT_EQ(global.RichEdit.MenuLabels.FileCaption, "&Datei");
    EXPECT_FALSE(global.Connected());
}

TEST_F(IntlTest, UnconnectedComponentLeavesTheGlobalObjectAlone)
{
    TwwIntl other;
    other.SetBtnOKCaption("&Oui");
    other.SetCheckBoxInGridStyle(TwwIntl::cbStyleXmark);
    other.SetConnected(false);
    EXPECT_EQ(GlobalIntl().BtnOKCaption(), "&OK");
    EXPECT_EQ(GlobalIntl().CheckBoxInGridStyle(), TwwIntl::cbStyleAuto);
}

TEST_F(IntlTest, CheckBoxStyleFollowsWhileConnected)
{
    TwwIntl intl;
    intl.SetConnected(true);
    intl.SetCheckBoxInGridStyle(TwwIntl::cbStyleCheckmark);
    EXPECT_EQ(GlobalIntl().CheckBoxInGridStyle(), TwwIntl::cbStyleCheckmark);
    // Other texts changed after connecting are not passed on.
    intl.SetBtnCancelCaption("Abbrechen");
    EXPECT_EQ(GlobalIntl().BtnCancelCaption(), "Cancel");
}
