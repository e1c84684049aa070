#include "app/main_menu.h"
#include "app/program.h"
#include "app/splash_form.h"
#include "platform/engine/engine_session.h"
#include "tests/support/scripted_presenter.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/test_application.h"
#include <QDir>
#include <QFile>
#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

TEST(ProgramArguments, NoSplashOnlyForExactlyOneArgumentInAnyCase)
{
    EXPECT_TRUE(ShowSplashFor({}));
    EXPECT_FALSE(ShowSplashFor({QStringLiteral("/nosplash")}));
    EXPECT_FALSE(ShowSplashFor({QStringLiteral("/NoSplash")}));
    EXPECT_FALSE(ShowSplashFor({QStringLiteral("/NOSPLASH")}));
    EXPECT_TRUE(ShowSplashFor({QStringLiteral("/nosplash"), QStringLiteral("/nosplash")}));
    EXPECT_TRUE(ShowSplashFor({QStringLiteral("/nosplash"), QStringLiteral("extra")}));
    EXPECT_TRUE(ShowSplashFor({QStringLiteral("nosplash")}));
    EXPECT_TRUE(ShowSplashFor({QStringLiteral("/nosplash ")}));
}

// A clock that moves on by step seconds each time it is read.
class StepClock {
public:
    StepClock(TDateTime start, double stepSeconds) : now_(start), step_(stepSeconds / 86400)
    {
        SetClock([this] { ++reads; return now_ += step_; });
    }
    ~StepClock() { SetClock({}); }
    int reads = 0;

private:
    TDateTime now_;
    TDateTime step_;
};

TEST(SplashWait, LastsUntilTheClockIsPastTwoSeconds)
{
    const TDateTime start = EncodeDate(2024, 5, 1) + 0.5;
    StepClock clock(start, 0.3);
    WaitForSplash(start);
    EXPECT_EQ(clock.reads, 7);   // 0.3 s each: 2.1 s is the first reading past two seconds
}

TEST(SplashWait, ClockAlreadyPastEndsAtOnce)
{
    StepClock clock(EncodeDate(2024, 5, 1), 5);
    WaitForSplash(EncodeDate(2024, 5, 1));
    EXPECT_EQ(clock.reads, 1);
}

class ProgramTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    void SetUp() override
    {
        qputenv("VRACCOUNTS_DIR", accounts.Path().toLocal8Bit());
        TEngineSession::Default().AddAlias(QStringLiteral("VrAccounts"), accounts.Path());
    }
    void TearDown() override { qunsetenv("VRACCOUNTS_DIR"); }

    // Closes the main window once it is on screen, noting what was there. Start-up
    // processes events while the splash is painted, so the first turns may come
    // before the main window exists; a program that never shows it ends with 99.
    void CloseMainWindowWhenShown(int turnsLeft = 1000)
    {
        QTimer::singleShot(0, [this, turnsLeft] {
            if (!FrmMainMenu || !FrmMainMenu->isVisible()) {
                if (turnsLeft > 0)
                    CloseMainWindowWhenShown(turnsLeft - 1);
                else
                    Application->exit(99);
                return;
            }
            mainWindowIsMain = Application->MainForm() == FrmMainMenu;
            caption = FrmMainMenu->Caption();
            splashVisibleInLoop = SplashForm && SplashForm->isVisible();
            FrmMainMenu->close();
        });
    }

    TestDir accounts;
    ScriptedPresenter presenter;
    bool mainWindowIsMain = false;
    bool splashVisibleInLoop = false;
    QString caption;
};

TEST_F(ProgramTest, WithoutSplashRunsTheMainWindowUntilItCloses)
{
    CloseMainWindowWhenShown();
    EXPECT_EQ(RunProgram({QStringLiteral("/NoSplash")}), 0);
    EXPECT_FALSE(ShowSplash);
    EXPECT_TRUE(mainWindowIsMain);
    EXPECT_EQ(caption, QStringLiteral("Quelt"));
    EXPECT_EQ(Application->HelpFile(), QStringLiteral("Quelt.chm"));
    EXPECT_TRUE(QFile::exists(accounts.File(QStringLiteral("DataQuelt.sqlite"))));
    EXPECT_EQ(FrmMainMenu, nullptr);   // freed with the application's components
    EXPECT_TRUE(presenter.errors.empty());
}

TEST_F(ProgramTest, SplashIsHiddenAfterTheWaitAndFreedAtTheEnd)
{
    StepClock clock(EncodeDate(2024, 5, 1), 0.5);
    CloseMainWindowWhenShown();
    EXPECT_EQ(RunProgram({}), 0);
    EXPECT_TRUE(ShowSplash);
    EXPECT_FALSE(splashVisibleInLoop);
    EXPECT_GE(clock.reads, 5);   // the wait read the clock past two seconds
    EXPECT_EQ(SplashForm, nullptr);
}

TEST_F(ProgramTest, EngineErrorAtStartIsShownAndEndsTheProgramWithFailure)
{
    // The alias names a directory below a plain file: no database can be made there.
    const QString blocker = accounts.File(QStringLiteral("blocker"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    TEngineSession::Default().AddAlias(QStringLiteral("VrAccounts"), blocker + QStringLiteral("/data"));
    // Ends a message loop that should never have run; gone with the test, so
    // that it cannot stop a later one.
    const QObject guard;
    QTimer::singleShot(0, &guard, [] { Application->exit(99); });
    EXPECT_EQ(RunProgram({QStringLiteral("/nosplash")}), EXIT_FAILURE);
    ASSERT_EQ(presenter.errors.size(), 1u);
    EXPECT_TRUE(presenter.errors[0].contains(QStringLiteral("blocker"))) << presenter.errors[0].toStdString();
    EXPECT_EQ(FrmMainMenu, nullptr);
}

} // namespace
