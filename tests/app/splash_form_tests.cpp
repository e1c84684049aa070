#include "app/splash_form.h"
#include "data/accounts_directory.h"
#include "platform/db/session.h"
#include "platform/engine/engine_session.h"
#include "tests/support/scripted_presenter.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/test_application.h"
#include <QFile>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

class SplashFormTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    void SetUp() override
    {
        qputenv("VRACCOUNTS_DIR", accounts.Path().toLocal8Bit());
        Session().AddStandardAlias(AccountsAlias, accounts.Path());
    }
    void TearDown() override
    {
        qunsetenv("VRACCOUNTS_DIR");
        Application->DestroyComponents();
    }
    void PlaceMarker()
    {
        QFile marker(accounts.File(QStringLiteral("oru.oru")));
        ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    }

    TestDir accounts;
    ScriptedPresenter presenter;
};

} // namespace

TEST_F(SplashFormTest, StoredLayout)
{
    const auto splash = std::make_unique<TSplashForm>();
    EXPECT_EQ(splash->size(), QSize(401, 227));
    EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash->Panel1->geometry(), QRect(0, 0, 401, 227));
    EXPECT_EQ(splash->Image1->pixmap().size(), QSize(401, 170));
    EXPECT_EQ(splash->Image1->y() + splash->Image1->height(), 171);
    EXPECT_EQ(splash->LblDistDetails->text(), QStringLiteral("Find the latest Version on the web at: "));
    EXPECT_TRUE(splash->LblDistDetails->wordWrap());
    EXPECT_TRUE(splash->LblDistDetails->font().bold());
    EXPECT_EQ(splash->LblDistDetails->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_GE(splash->FusedLabel1->y(), splash->LblDistDetails->y() + splash->LblDistDetails->height());
    EXPECT_EQ(splash->FusedLabel1->size(), QSize(191, 17));
    // The hint shows the bare address; the scheme is added when the link opens.
    EXPECT_EQ(splash->FusedLabel1->toolTip(), QStringLiteral("quelt.example.org"));
    EXPECT_EQ(splash->FusedLabel1->LinkAddress(), QStringLiteral("http://quelt.example.org"));
    EXPECT_EQ(splash->FusedLabel1->FontColor(), QColor(Qt::red));
    EXPECT_EQ(splash->BtnOk->text(), QStringLiteral("Thank You"));
    EXPECT_TRUE(splash->BtnOk->isHidden());
    EXPECT_EQ(splash->Timer1->interval(), 1000);
    EXPECT_FALSE(splash->Timer1->isActive());
}

TEST_F(SplashFormTest, CreationRegistersTheTablePassword)
{
    TEngineSession::Default().RemovePassword(QStringLiteral("quorvintel"));
    const auto splash = std::make_unique<TSplashForm>();
    EXPECT_TRUE(TEngineSession::Default().HoldsPassword(QStringLiteral("quorvintel")));
}

TEST_F(SplashFormTest, StaysOnTopUnlessTheMarkerFileExists)
{
    EXPECT_EQ(std::make_unique<TSplashForm>()->FormStyle(), TFormStyle::fsStayOnTop);
    PlaceMarker();
    const auto splash = std::make_unique<TSplashForm>();
    EXPECT_EQ(splash->FormStyle(), TFormStyle::fsNormal);
    EXPECT_FALSE(splash->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(SplashFormTest, TimerShowsTheButtonOnceAndStops)
{
    const auto splash = std::make_unique<TSplashForm>();
    splash->Timer1->start();
    QMetaObject::invokeMethod(splash->Timer1, "timeout");
    EXPECT_FALSE(splash->BtnOk->isHidden());
    EXPECT_FALSE(splash->Timer1->isActive());
}

TEST_F(SplashFormTest, AboutBoxIsANewModalSplashWithItsButtonAfterTheTimer)
{
    TSplashForm* previous = SplashForm;
    struct { bool modal = false, timerRunning = false, buttonHidden = false, buttonShown = false; } seen;
    QTimer::singleShot(0, [&] {
        seen.modal = QApplication::activeModalWidget() == SplashForm && SplashForm != previous;
        seen.timerRunning = SplashForm->Timer1->isActive();
        seen.buttonHidden = SplashForm->BtnOk->isHidden();
        QMetaObject::invokeMethod(SplashForm->Timer1, "timeout");
        seen.buttonShown = SplashForm->BtnOk->isVisible();
        SplashForm->BtnOk->click();
    });
    EXPECT_EQ(ShowAboutBox(), mrOk);
    EXPECT_TRUE(seen.modal);
    EXPECT_TRUE(seen.timerRunning);
    EXPECT_TRUE(seen.buttonHidden);
    EXPECT_TRUE(seen.buttonShown);
    // It stays, hidden, with the application until exit.
    ASSERT_NE(SplashForm, nullptr);
    EXPECT_FALSE(SplashForm->isVisible());
    const QPointer<TSplashForm> about = SplashForm;
    Application->DestroyComponents();
    EXPECT_TRUE(about.isNull());
    EXPECT_EQ(SplashForm, nullptr);
}
