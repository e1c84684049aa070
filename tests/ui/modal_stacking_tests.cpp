// Boxes and modal windows open above every window of the program, also above
// one kept on top, with the keyboard in them; the window they were opened
// from has the keyboard again when they close.
#include "platform/rtl/exceptions.h"
#include "platform/ui/buttons.h"
#include "platform/ui/form.h"
#include "platform/ui/qt_presenter.h"
#include "tests/ui/show_modal.h"
#include "tests/ui/test_application.h"
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {

// How a modal box or window stood while it was open.
struct TStanding {
    bool Seen = false;
    bool KeptOnTop = false;
    bool HasKeyboard = false;
    const QWindow* Owner = nullptr;
};

TStanding StandingOf(QWidget& modal)
{
    return {true, bool(modal.windowFlags() & Qt::WindowStaysOnTopHint), QTest::qWaitForWindowActive(&modal),
            modal.windowHandle() ? modal.windowHandle()->transientParent() : nullptr};
}

class ModalStackingTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }

    void SetUp() override
    {
        owner.SetCaption(QStringLiteral("Owner"));
        owner.resize(400, 300);
        owner.Show();
        legend.SetCaption(QStringLiteral("Kept on top"));
        legend.SetFormStyle(TFormStyle::fsStayOnTop);
        legend.resize(200, 150);
        legend.Show();
        // The user goes on working in the owner, the window kept on top beside it.
        owner.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    }

    // Records how the presenter's box stands once it is open, then answers it.
    static void AnswerWhenOpen(TStanding& standing)
    {
        QTimer::singleShot(0, [&standing] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            standing = StandingOf(*box);
            box->buttons().first()->click();
        });
    }

    void ExpectAboveAndBack(const TStanding& standing, const char* what)
    {
        EXPECT_TRUE(standing.Seen) << what;
        EXPECT_TRUE(standing.KeptOnTop) << what << " opens under the window kept on top";
        EXPECT_TRUE(standing.HasKeyboard) << what;
        EXPECT_EQ(standing.Owner, owner.windowHandle()) << what << " belongs to the window it was opened from";
        EXPECT_TRUE(QTest::qWaitForWindowActive(&owner)) << "after " << what;
        EXPECT_TRUE(legend.isVisible());
        EXPECT_TRUE(legend.windowFlags() & Qt::WindowStaysOnTopHint);
    }

    TForm owner;
    TForm legend;
};

TEST_F(ModalStackingTest, BoxesAndModalWindowsOpenAboveAWindowKeptOnTopAndGiveTheKeyboardBack)
{
    TQtPresenter& presenter = Application->QtPresenter();

    TStanding question;
    AnswerWhenOpen(question);
    TMessageRequest request;
    request.Text = QStringLiteral("Expense Description has to be entered");
    request.Type = TMsgDlgType::mtError;
    presenter.ShowMessage(request);
    ExpectAboveAndBack(question, "a message box");

    owner.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    TStanding error;
    AnswerWhenOpen(error);
    presenter.ShowException(EInvalidOperation(QStringLiteral("Cannot make a visible window modal")));
    ExpectAboveAndBack(error, "the error box");

    TForm dialog;
    dialog.resize(240, 120);
    TStanding modal;
    EXPECT_EQ(ShowModalThen(dialog, [&] {
                  modal = StandingOf(dialog);
                  dialog.SetModalResult(mrOk);
              }),
              mrOk);
    ExpectAboveAndBack(modal, "a modal window");
    // Shown modelessly later, it is an ordinary window again.
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
}

// Without a window kept on top nothing is kept on top: the box stays in the
// ordinary layer, above its owner.
TEST_F(ModalStackingTest, WithNoWindowKeptOnTopABoxIsAnOrdinaryOne)
{
    legend.Hide();
    TStanding standing;
    AnswerWhenOpen(standing);
    TMessageRequest request;
    request.Text = QStringLiteral("Saved.");
    request.Type = TMsgDlgType::mtInformation;
    Application->QtPresenter().ShowMessage(request);
    EXPECT_TRUE(standing.Seen);
    EXPECT_FALSE(standing.KeptOnTop);
    EXPECT_TRUE(standing.HasKeyboard);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&owner));
}

} // namespace
