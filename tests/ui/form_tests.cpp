#include "platform/ui/buttons.h"
#include "platform/ui/form.h"
#include "tests/support/scripted_presenter.h"
#include "tests/ui/show_modal.h"
#include "tests/ui/test_application.h"
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

class FormTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    // Runs step inside the form's modal loop, once the loop is running.
    int ShowModalThen(std::function<void()> step) { return ::ShowModalThen(*form, std::move(step)); }
    ScriptedPresenter presenter;
    std::unique_ptr<TForm> form = std::make_unique<TForm>();
};

} // namespace

TEST_F(FormTest, ModalResultEndsTheModalLoopAndHidesTheForm)
{
    bool visibleInLoop = false;
    EXPECT_EQ(ShowModalThen([&] {
                  visibleInLoop = form->isVisible();
                  form->SetModalResult(mrYes);
              }),
              mrYes);
    EXPECT_TRUE(visibleInLoop);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(FormTest, ClosingTheWindowGivesCancel)
{
    EXPECT_EQ(ShowModalThen([&] { form->close(); }), mrCancel);
}

TEST_F(FormTest, CloseQueryCanRefuseAndTheLoopGoesOn)
{
    bool allow = false;
    form->OnCloseQuery = [&](QObject*, bool& canClose) { canClose = allow; };
    int resultAfterRefusal = -1;
    bool visibleAfterRefusal = false;
    EXPECT_EQ(ShowModalThen([&] {
                  form->SetModalResult(mrOk);
                  resultAfterRefusal = form->ModalResult();
                  visibleAfterRefusal = form->isVisible();
                  allow = true;
                  form->SetModalResult(mrNo);
              }),
              mrNo);
    EXPECT_EQ(resultAfterRefusal, mrNone);
    EXPECT_TRUE(visibleAfterRefusal);
}

TEST_F(FormTest, ExceptionInCloseQueryLeavesTheWindowOpenAndIsShown)
{
    int calls = 0;
    form->OnCloseQuery = [&](QObject*, bool&) {
        if (++calls == 1)
            throw Exception(QStringLiteral("Not now"));
    };
    bool visibleAfterError = false;
    EXPECT_EQ(ShowModalThen([&] {
                  form->close();
                  visibleAfterError = form->isVisible();
                  form->SetModalResult(mrOk);
              }),
              mrOk);
    EXPECT_TRUE(visibleAfterError);
    EXPECT_EQ(presenter.errors, std::vector<QString>{QStringLiteral("Not now")});
}

TEST_F(FormTest, VisibleWindowCannotBeMadeModal)
{
    form->Show();
    try {
        form->ShowModal();
        FAIL() << "no error";
    } catch (const EInvalidOperation& error) {
        EXPECT_EQ(error.Message, QStringLiteral("Cannot make a visible window modal"));
    }
}

TEST_F(FormTest, StyleAndBorderBecomeWindowFlagsAlsoWhenShown)
{
    form->SetFormStyle(TFormStyle::fsStayOnTop);
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
    form->Show();
    form->SetFormStyle(TFormStyle::fsNormal);
    EXPECT_FALSE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(FormTest, DefaultAndCancelButtonsGiveTheirResultByMouseEnterAndEscape)
{
    auto* ok = new TButton(form.get());
    ok->SetKind(TBitBtnKind::bkOK);
    auto* cancel = new TButton(form.get());
    cancel->SetKind(TBitBtnKind::bkCancel);
    cancel->move(0, 30);
    auto* edit = new QLineEdit(form.get());
    edit->move(0, 60);
    int clicks = 0;
    ok->OnClick = [&](QObject*) { ++clicks; };

    EXPECT_EQ(ShowModalThen([&] { QTest::mouseClick(ok, Qt::LeftButton); }), mrOk);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(ShowModalThen([&] { QTest::mouseClick(cancel, Qt::LeftButton); }), mrCancel);
    EXPECT_EQ(ShowModalThen([&] { QTest::keyClick(edit, Qt::Key_Return); }), mrOk);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(ShowModalThen([&] { QTest::keyClick(edit, Qt::Key_Escape); }), mrCancel);
    // Enter on a focused button presses that button, not the default one.
    EXPECT_EQ(ShowModalThen([&] { QTest::keyClick(cancel, Qt::Key_Enter, Qt::KeypadModifier); }), mrCancel);
    // A hidden or disabled default button is not pressed.
    ok->setEnabled(false);
    EXPECT_EQ(ShowModalThen([&] {
                  QTest::keyClick(edit, Qt::Key_Return);
                  if (form->isVisible())
                      form->SetModalResult(mrAbort);
              }),
              mrAbort);
}

TEST_F(FormTest, BitButtonKindsHaveTheirCaptionsResultsAndRoles)
{
    const struct { TBitBtnKind kind; const char* caption; int result; bool isDefault; } kinds[] = {
        {TBitBtnKind::bkOK, "OK", mrOk, true},
        {TBitBtnKind::bkCancel, "Cancel", mrCancel, false},
        {TBitBtnKind::bkYes, "&Yes", mrYes, true},
        {TBitBtnKind::bkNo, "&No", mrNo, false},
    };
    for (const auto& k : kinds) {
        TButton button;
        button.SetKind(k.kind);
        EXPECT_EQ(button.Caption(), QString::fromLatin1(k.caption));
        EXPECT_EQ(button.ModalResult(), k.result);
        EXPECT_EQ(button.Default(), k.isDefault);
        EXPECT_EQ(button.Cancel(), !k.isDefault);
    }
}

TEST_F(FormTest, ButtonOnAModelessFormDoesNotCloseIt)
{
    auto* yes = new TButton(form.get());
    yes->SetKind(TBitBtnKind::bkYes);
    form->Show();
    QTest::mouseClick(yes, Qt::LeftButton);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(FormTest, KeyPreviewSeesEachKeyOnceBeforeTheControlAndCanSwallowIt)
{
    auto* memo = new QPlainTextEdit(form.get());
    QStringList seen;
    form->OnKeyDown = [&](QObject*, int& key, Qt::KeyboardModifiers) {
        seen << QKeySequence(key).toString();
        if (key == Qt::Key_F2)
            key = 0;
    };
    form->OnKeyPress = [&](QObject*, QChar& ch) {
        if (ch == QLatin1Char('x'))
            ch = QChar();
    };
    form->Show();
    QTest::keyClicks(memo, QStringLiteral("x"));
    QTest::keyClick(memo, Qt::Key_F2);
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("x"));
    EXPECT_EQ(seen, QStringList({"F2"})) << "without KeyPreview the form sees only keys its controls leave";

    seen.clear();
    form->SetKeyPreview(true);
    QTest::keyClicks(memo, QStringLiteral("xc"));
    QTest::keyClick(memo, Qt::Key_F2);   // the memo leaves F2; it must not reach the form twice
    QTest::keyClick(memo, Qt::Key_Escape);
    EXPECT_EQ(seen, QStringList({"X", "C", "F2", "Esc"}));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("xc")) << "the preview swallowed the second x";
}

TEST_F(FormTest, CloseActionDecidesWhatClosingDoes)
{
    TCloseAction action = TCloseAction::caNone;
    auto* modeless = new TForm;
    const QPointer<TForm> alive(modeless);
    modeless->OnClose = [&](QObject*, TCloseAction& a) { a = action; };
    modeless->Show();
    modeless->close();
    EXPECT_TRUE(modeless->isVisible()) << "caNone keeps the window";
    action = TCloseAction::caHide;
    modeless->close();
    EXPECT_FALSE(modeless->isVisible());
    modeless->Show();
    action = TCloseAction::caFree;
    modeless->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull()) << "caFree frees the form";

    form->OnClose = [](QObject*, TCloseAction& a) { a = TCloseAction::caNone; };
    int resultWhileRefused = -1;
    EXPECT_EQ(ShowModalThen([&] {
                  form->SetModalResult(mrOk);
                  resultWhileRefused = form->ModalResult();
                  form->OnClose = nullptr;
                  form->SetModalResult(mrYes);
              }),
              mrYes);
    EXPECT_EQ(resultWhileRefused, mrNone);
}

TEST_F(FormTest, LifeCycleEventsComeInOrder)
{
    class TEventForm : public TForm {
    public:
        explicit TEventForm(QStringList& log)
        {
            OnCreate = [&log](QObject*) { log << "Create"; };
            OnShow = [&log](QObject*) { log << "Show"; };
            OnCloseQuery = [&log](QObject*, bool&) { log << "CloseQuery"; };
            OnClose = [&log](QObject*, TCloseAction&) { log << "Close"; };
            OnDestroy = [&log](QObject*) { log << "Destroy"; };
            DoCreate();
        }
    };
    QStringList log;
    {
        TEventForm events(log);
        events.Show();
        events.close();
    }
    EXPECT_EQ(log, QStringList({"Create", "Show", "CloseQuery", "Close", "Destroy"}));

    int activations = 0, resizes = 0;
    form->OnActivate = [&](QObject*) { ++activations; };
    form->OnResize = [&](QObject*) { ++resizes; };
    form->Show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_EQ(activations, 1);
    const int before = resizes;
    form->resize(form->width() + 20, form->height());
    EXPECT_EQ(resizes, before + 1);
}

TEST_F(FormTest, DialogAndSingleBordersKeepTheSizeAndTheScreenCentreIsUsed)
{
    form->SetClientSize(300, 200);
    form->SetBorderStyle(TFormBorderStyle::bsDialog);
    form->SetPosition(TPosition::poScreenCenter);
    form->Show();
    form->resize(500, 400);
    EXPECT_EQ(form->size(), QSize(300, 200));
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(form->windowType(), Qt::Dialog);
    const QPoint centre = form->screen()->availableGeometry().center();
    EXPECT_LE((form->frameGeometry().center() - centre).manhattanLength(), 4);
    form->SetBorderStyle(TFormBorderStyle::bsSizeable);
    EXPECT_EQ(form->windowType(), Qt::Window);
    form->resize(500, 400);
    EXPECT_EQ(form->size(), QSize(500, 400));
}
