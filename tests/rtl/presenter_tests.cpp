#include "platform/rtl/presenter.h"
#include "tests/support/qt_print.h"
#include "tests/support/scripted_presenter.h"
#include <gtest/gtest.h>

TEST(Presenter, SilentPresenterAnswersOkOrTheFirstButtonOffered)
{
    EXPECT_EQ(MessageDlg("Proceed?", TMsgDlgType::mtConfirmation, mbOKCancel), mrOk);
    EXPECT_EQ(MessageDlg("Delete?", TMsgDlgType::mtWarning, mbYesNo), mrYes);
    EXPECT_EQ(MessageDlg("Save?", TMsgDlgType::mtConfirmation, mbNo | mbCancel), mrNo);
    EXPECT_EQ(MessageDlg("Stop?", TMsgDlgType::mtError, mbCancel | mbRetry), mrCancel);
    ShowMessage("nobody sees this");
    ShowException(EDatabaseError("nor this"));
}

TEST(Presenter, ScriptedAnswersAndRecordedBoxes)
{
    ScriptedPresenter presenter;
    presenter.Answer(mrNo);
    EXPECT_EQ(MessageDlg("Delete Item \"Rent\"?", TMsgDlgType::mtWarning, mbYesNo), mrNo);
    EXPECT_EQ(MessageDlg("Again?", TMsgDlgType::mtWarning, mbYesNo), mrYes);   // script used up
    ShowMessage("Done.");
    ASSERT_EQ(presenter.shown.size(), 3u);
    EXPECT_EQ(presenter.shown[0].Text, "Delete Item \"Rent\"?");
    EXPECT_EQ(presenter.shown[0].Type, TMsgDlgType::mtWarning);
    EXPECT_EQ(presenter.shown[0].Buttons, mbYesNo);
    EXPECT_EQ(presenter.shown[2].Buttons, unsigned(mbOK));
    EXPECT_EQ(presenter.LastText(), "Done.");
}

TEST(Presenter, ExceptionsShownExceptTheSilentAbort)
{
    ScriptedPresenter presenter;
    ShowException(EDatabaseError("Table is busy"));
    try {
        Abort();
    } catch (const Exception& e) {
        ShowException(e);
    }
    EXPECT_EQ(presenter.errors, std::vector<QString>{"Table is busy"});
}

TEST(Presenter, HourglassNestsAndRestoresOnException)
{
    ScriptedPresenter presenter;
    try {
        THourglass outer;
        EXPECT_TRUE(presenter.hourglass);
        {
            THourglass inner;
            EXPECT_TRUE(presenter.hourglass);
        }
        EXPECT_TRUE(presenter.hourglass);   // the inner guard leaves the outer one's cursor
        throw EDatabaseError("failed");
    } catch (const EDatabaseError&) {
    }
    EXPECT_FALSE(presenter.hourglass);
    EXPECT_EQ(presenter.hourglassChanges, 2);
}

TEST(Presenter, ProgressResetsWhenDone)
{
    ScriptedPresenter presenter;
    try {
        TProgress progress(40);
        progress.SetPosition(1);
        progress.SetPosition(2);
        Abort();
    } catch (const EAbort&) {
    }
    EXPECT_EQ(presenter.progressMax, 40);
    EXPECT_EQ(presenter.progressPositions, (std::vector<int>{1, 2, 0}));
}
