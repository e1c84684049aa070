#include "platform/ui/qt_presenter.h"
#include "tests/support/real_boxes.h"
#include "tests/support/scripted_presenter.h"
#include "tests/ui/test_application.h"
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

// What the box looked like when it was answered.
struct TShownBox {
    QString Caption;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QStringList Buttons;   // texts, in the order the box holds them
    QString DefaultButton;
};

QString Plain(const QString& buttonText)
{
    return QString(buttonText).remove(QLatin1Char('&'));
}

class PresenterTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }

    // Shows request and answers the box by clicking the button whose text
    // (without its access key marker) is answer, or by Escape when answer is empty.
    int Ask(const TMessageRequest& request, const QString& answer)
    {
        QTimer::singleShot(0, [this, answer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            shown = TShownBox{box->windowTitle(), box->text(), box->icon(), {}, {}};
            QAbstractButton* chosen = nullptr;
            for (QAbstractButton* button : box->buttons()) {
                shown.Buttons << Plain(button->text());
                if (Plain(button->text()) == answer)
                    chosen = button;
            }
            if (box->defaultButton())
                shown.DefaultButton = Plain(box->defaultButton()->text());
            if (chosen) {
                chosen->click();
            } else {
                QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QCoreApplication::sendEvent(box, &escape);
            }
        });
        return presenter.ShowMessage(request);
    }

    static TMessageRequest Request(TMsgDlgButtons buttons, TMsgDlgType type = TMsgDlgType::mtConfirmation)
    {
        TMessageRequest request;
        request.Text = QStringLiteral("Delete this record?");
        request.Type = type;
        request.Buttons = buttons;
        return request;
    }

    TQtPresenter presenter;
    TShownBox shown;
};

} // namespace

TEST_F(PresenterTest, EachButtonGivesItsModalResult)
{
    const struct { TMsgDlgButtons buttons; const char* click; int result; } cases[] = {
        {mbYesNo, "Yes", mrYes},         {mbYesNo, "No", mrNo},
        {mbYesNoCancel, "Cancel", mrCancel}, {mbOKCancel, "OK", mrOk},
        {mbAbort | mbRetry | mbIgnore, "Abort", mrAbort},
        {mbAbort | mbRetry | mbIgnore, "Retry", mrRetry},
        {mbAbort | mbRetry | mbIgnore, "Ignore", mrIgnore},
        {mbYes | mbAll, "All", mrAll},   {mbNo | mbNoToAll, "No to All", mrNoToAll},
        {mbYes | mbYesToAll, "Yes to All", mrYesToAll},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.click);
        EXPECT_EQ(Ask(Request(c.buttons), QString::fromLatin1(c.click)), c.result);
    }
}

TEST_F(PresenterTest, OffersExactlyTheButtonsAsked)
{
    Ask(Request(mbYesNoCancel), QStringLiteral("Yes"));
    EXPECT_EQ(shown.Buttons.size(), 3);
    for (const char* text : {"Yes", "No", "Cancel"})
        EXPECT_TRUE(shown.Buttons.contains(QString::fromLatin1(text))) << text;
    Ask(Request(mbHelp), QStringLiteral("OK"));
    EXPECT_EQ(shown.Buttons, QStringList{QStringLiteral("OK")});
}

TEST_F(PresenterTest, DefaultAndEscapeButtons)
{
    EXPECT_EQ(Ask(Request(mbYesNo), {}), mrNo);
    EXPECT_EQ(shown.DefaultButton, QStringLiteral("Yes"));
    EXPECT_EQ(Ask(Request(mbYesNoCancel), {}), mrCancel);
    EXPECT_EQ(Ask(Request(mbOKCancel), {}), mrCancel);
    EXPECT_EQ(shown.DefaultButton, QStringLiteral("OK"));
    EXPECT_EQ(Ask(Request(mbOK), {}), mrOk);
}

TEST_F(PresenterTest, CaptionIsTheApplicationTitleUnlessGiven)
{
    Application->SetTitle(QStringLiteral("Quelt"));
    Ask(Request(mbOK), QStringLiteral("OK"));
    EXPECT_EQ(shown.Caption, QStringLiteral("Quelt"));
    EXPECT_EQ(shown.Text, QStringLiteral("Delete this record?"));
    TMessageRequest request = Request(mbOK);
    request.Caption = QStringLiteral("Loans");
    Ask(request, QStringLiteral("OK"));
    EXPECT_EQ(shown.Caption, QStringLiteral("Loans"));
}

TEST_F(PresenterTest, IconFollowsTheKindOfMessage)
{
    const struct { TMsgDlgType type; QMessageBox::Icon icon; } cases[] = {
        {TMsgDlgType::mtWarning, QMessageBox::Warning},     {TMsgDlgType::mtError, QMessageBox::Critical},
        {TMsgDlgType::mtInformation, QMessageBox::Information},
        {TMsgDlgType::mtConfirmation, QMessageBox::Question}, {TMsgDlgType::mtCustom, QMessageBox::NoIcon},
    };
    for (const auto& c : cases) {
        Ask(Request(mbOK, c.type), QStringLiteral("OK"));
        EXPECT_EQ(shown.Icon, c.icon);
    }
}

TEST_F(PresenterTest, ExceptionIsShownInTheErrorBoxButAbortIsNot)
{
    int boxes = 0;
    auto answerAnyBox = [&] {
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++boxes;
                shown = TShownBox{box->windowTitle(), box->text(), box->icon(), {}, {}};
                box->accept();
            }
        });
    };
    answerAnyBox();
    presenter.ShowException(EDatabaseError(QStringLiteral("Key violation")));
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(shown.Text, QStringLiteral("Key violation"));
    EXPECT_EQ(shown.Icon, QMessageBox::Critical);
    answerAnyBox();
    presenter.ShowException(EAbort(QStringLiteral("Operation aborted")));
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes, 1);
}

TEST_F(PresenterTest, HourglassIsTheOverrideCursorAndRestoresOnlyItsOwn)
{
    presenter.SetHourglass(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    presenter.SetHourglass(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    QApplication::setOverrideCursor(Qt::CrossCursor);
    presenter.SetHourglass(false);   // not shown: leaves the other cursor alone
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::CrossCursor);
    QApplication::restoreOverrideCursor();
}

TEST_F(PresenterTest, ProgressGoesToTheRegisteredBarWhileItLives)
{
    presenter.SetProgressMax(10);   // no bar yet: nothing to do
    auto bar = std::make_unique<QProgressBar>();
    presenter.SetProgressBar(bar.get());
    presenter.SetProgressMax(250);
    presenter.SetProgressPosition(120);
    EXPECT_EQ(bar->maximum(), 250);
    EXPECT_EQ(bar->value(), 120);
    bar.reset();
    presenter.SetProgressPosition(130);   // the bar is gone: ignored, no crash
}

// A box that follows another at once, before the window behind has been made
// active again, still belongs to that window: it is shown over it, and the
// window is active once it has gone, as after any box.
TEST_F(PresenterTest, ABoxRightAfterAnotherBelongsToTheSameWindow)
{
    QWidget window;
    window.resize(300, 200);
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    RealBoxes boxes;
    std::vector<QWidget*> parents;
    const auto noteParent = [&parents](QMessageBox& box) { parents.push_back(box.parentWidget()); };
    boxes.WhileUp(noteParent);
    boxes.Answer(mrOk);
    boxes.WhileUp(noteParent);
    boxes.Answer(mrOk);
    MessageDlg(QStringLiteral("Delete this record?"), TMsgDlgType::mtConfirmation, mbOK, 0);
    // The first box has gone; the window manager has not yet made the window active again.
    QApplication::setActiveWindow(nullptr);
    MessageDlg(QStringLiteral("Editing of this Record is not allowed"), TMsgDlgType::mtError, mbOK, 0);

    ASSERT_EQ(parents.size(), 2u);
    EXPECT_EQ(parents[0], &window);
    EXPECT_EQ(parents[1], &window);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &window);
}
