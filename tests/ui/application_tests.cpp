#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "tests/support/qt_print.h"
#include "tests/support/scripted_presenter.h"
#include "tests/ui/test_application.h"
#include <QFontInfo>
#include <QFontMetrics>
#include <QScreen>
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

TEST_F(ApplicationTest, TheFormsFacesAreOneFaceWhoseWidthsFitTheirLayouts)
{
    const auto designFont = [](const char* face, int height) {
        TForm form;
        form.SetDesignFont(QString::fromLatin1(face), height);
        return form.font();
    };
    const QFont sans = designFont("MS Sans Serif", -11);
    EXPECT_EQ(QFontInfo(sans).pixelSize(), 11);
    for (const char* face : {"Arial", "System"}) {
        EXPECT_EQ(QFontInfo(designFont(face, -11)).family(), QFontInfo(sans).family()) << face;
        EXPECT_EQ(QFontInfo(designFont(face, -13)).pixelSize(), 13) << face;
    }
    // The main window's first status panel is 82 pixels wide; its frame and
    // text indent leave 76 for the filter state.
    EXPECT_LE(QFontMetrics(sans).horizontalAdvance(QStringLiteral("Filter Not Active")), 76);
    // The month calendars ask for 12 pixels, which the bitmap face drew at 11:
    // day names fit the 25-pixel columns of the 178-pixel calendar, and the
    // date line ends before the year spin at 105 pixels.
    const QFontMetrics calendar(designFont("MS Sans Serif", -12));
    EXPECT_LE(calendar.horizontalAdvance(QStringLiteral("Wed")), 23);
    EXPECT_LE(6 + calendar.horizontalAdvance(QStringLiteral("Wed, 30, Sep, 2026")), 103);
    // The year calendar's day cells are 13 pixels wide: a two-digit day in
    // bold 11-pixel Arial keeps a pixel clear of the next one.
    QFont days = designFont("Arial", -11);
    days.setBold(true);
    for (const char* day : {"28", "30", "31"})
        EXPECT_LE(QFontMetrics(days).horizontalAdvance(QString::fromLatin1(day)), 12) << day;
}

TEST_F(ApplicationTest, AWindowWithoutAPlaceOpensCentredOverTheMainWindowAndAPlacedOneWhereItWasPut)
{
    TForm* main = Application->CreateForm<TForm>();
    main->setGeometry(40, 30, 500, 360);
    main->Show();
    const QPoint mainCentre = main->frameGeometry().center();
    const auto distance = [](const QPoint& a, const QPoint& b) { return (a - b).manhattanLength(); };

    TForm* legend = Application->CreateForm<TForm>();
    legend->SetClientSize(200, 120);
    legend->Show();
    EXPECT_LE(distance(legend->frameGeometry().center(), mainCentre), 4);

    // Shown again, it stays where it was rather than being centred anew.
    legend->move(300, 250);
    legend->Hide();
    legend->Show();
    EXPECT_EQ(legend->pos(), QPoint(300, 250));

    TForm* placed = Application->CreateForm<TForm>();
    placed->SetClientSize(120, 80);
    placed->move(5, 420);
    placed->Show();
    EXPECT_EQ(placed->pos(), QPoint(5, 420));

    TForm* centred = Application->CreateForm<TForm>();
    centred->SetClientSize(120, 80);
    centred->SetPosition(TPosition::poScreenCenter);
    centred->Show();
    EXPECT_LE(distance(centred->frameGeometry().center(), centred->screen()->availableGeometry().center()), 4);

    // A window opened modally while the main window is hidden is centred on the screen.
    main->Hide();
    TForm* dialog = Application->CreateForm<TForm>();
    dialog->SetClientSize(160, 90);
    QPoint shownAt;
    QTimer::singleShot(0, dialog, [&] {
        shownAt = dialog->frameGeometry().center();
        dialog->SetModalResult(mrOk);
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_LE(distance(shownAt, dialog->screen()->availableGeometry().center()), 4);
}
