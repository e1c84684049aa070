#include "platform/ui/form.h"
#include "tests/support/scripted_presenter.h"
#include "tests/ui/test_application.h"
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

class FormTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    // Runs step inside the form's modal loop, once the loop is running.
    int ShowModalThen(std::function<void()> step)
    {
        QTimer::singleShot(0, form.get(), std::move(step));
        return form->ShowModal();
    }
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
