#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "tests/support/scripted_presenter.h"
#include "tests/ui/test_application.h"
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// Throws whatever it is given from its event handler.
class TThrower : public QObject {
public:
    explicit TThrower(std::function<void()> raise) : raise_(std::move(raise)) {}
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::User)
            raise_();
        return QObject::event(event);
    }

private:
    std::function<void()> raise_;
};

bool Deliver(std::function<void()> raise)
{
    TThrower receiver(std::move(raise));
    QEvent event(QEvent::User);
    return QCoreApplication::sendEvent(&receiver, &event);
}

class ApplicationTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    void TearDown() override { Application->DestroyComponents(); }
    ScriptedPresenter presenter;
};

} // namespace

TEST_F(ApplicationTest, ExceptionLeavingAnEventHandlerIsShownOnceInTheErrorBox)
{
    Deliver([] { throw EDatabaseError(QStringLiteral("Key violation")); });
    ASSERT_EQ(presenter.errors.size(), 1u);
    EXPECT_EQ(presenter.errors[0], QStringLiteral("Key violation"));
}

TEST_F(ApplicationTest, SilentAbortIsShownNowhere)
{
    Deliver([] { Abort(); });
    EXPECT_TRUE(presenter.errors.empty());
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(ApplicationTest, ForeignExceptionsAreShownWithTheirText)
{
    Deliver([] { throw std::runtime_error("disk full"); });
    Deliver([] { throw 42; });
    ASSERT_EQ(presenter.errors.size(), 2u);
    EXPECT_EQ(presenter.errors[0], QStringLiteral("disk full"));
    EXPECT_EQ(presenter.errors[1], QStringLiteral("Unknown error"));
}

TEST_F(ApplicationTest, ExceptionFromATimerInTheMessageLoopIsCaught)
{
    QTimer::singleShot(0, [] { throw Exception(QStringLiteral("late")); });
    QTimer::singleShot(0, [] { Application->Terminate(); });
    Application->exec();
    EXPECT_EQ(presenter.errors, std::vector<QString>{QStringLiteral("late")});
}

TEST_F(ApplicationTest, FirstCreatedFormIsTheMainWindowAndOnlyItsClosingEndsTheLoop)
{
    TForm* main = Application->CreateForm<TForm>();
    TForm* other = Application->CreateForm<TForm>();
    EXPECT_EQ(Application->MainForm(), main);
    bool ranAfterOtherClosed = false;
    QTimer::singleShot(0, other, [&] {
        other->Show();
        other->close();
        QTimer::singleShot(0, main, [&] {
            ranAfterOtherClosed = true;
            main->close();
        });
    });
    // Only a fault keeps the loop running: then this guard ends it with 99.
    QTimer::singleShot(30000, main, [] { Application->exit(99); });
    EXPECT_EQ(Application->Run(), 0);
    EXPECT_TRUE(ranAfterOtherClosed);
    EXPECT_FALSE(main->isVisible());
}

TEST_F(ApplicationTest, ComponentsAreFreedNewestFirst)
{
    std::vector<QString> freed;
    for (const char* name : {"ADm1", "ADm2", "FrmMainMenu"}) {
        auto* component = new QObject;
        component->setObjectName(QString::fromLatin1(name));
        QObject::connect(component, &QObject::destroyed, [&freed, name] { freed.push_back(QString::fromLatin1(name)); });
        Application->InsertComponent(component);
    }
    Application->DestroyComponents();
    EXPECT_EQ(freed, (std::vector<QString>{"FrmMainMenu", "ADm2", "ADm1"}));
}
