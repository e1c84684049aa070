#include "widgets/ra_status_bar.h"
#include "platform/ui/form.h"
#include "tests/ui/test_application.h"
#include <QProgressBar>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// The main window's status bar: filter state, page text and a last panel
// that holds the progress bar the data layer drives.
class StatusBarTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    void SetUp() override
    {
        previousPresenter = &Presenter();
        SetPresenter(&Application->QtPresenter());
        window.resize(600, 80);
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addStretch();
        StatusBar1 = new TRAStatusBar(&window);
        layout->addWidget(StatusBar1);
        StatusBar1->AddPanel(82, QStringLiteral("Filter Not Active"));
        StatusBar1->AddPanel(320, QStringLiteral("Caption"));
        StatusBar1->AddPanel(50);
        ProgressBar1 = new QProgressBar(StatusBar1);
        ProgressBar1->setTextVisible(false);
        ProgressBar1->hide();
        ProgressBar1->setGeometry(406, 3, 190, 16);
        Application->QtPresenter().SetProgressBar(ProgressBar1);
        window.show();
        QCoreApplication::processEvents();
    }
    void TearDown() override
    {
        Application->QtPresenter().SetProgressBar(nullptr);
        SetPresenter(previousPresenter);
    }

    TPresenter* previousPresenter = nullptr;
    TForm window;
    TRAStatusBar* StatusBar1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
};

} // namespace

TEST_F(StatusBarTest, PanelsLieSideBySideAndTheLastReachesTheEdge)
{
    EXPECT_EQ(StatusBar1->width(), 600);
    EXPECT_EQ(StatusBar1->PanelRect(0).left(), 0);
    EXPECT_EQ(StatusBar1->PanelRect(0).width(), 82);
    EXPECT_EQ(StatusBar1->PanelRect(1).left(), 82);
    EXPECT_EQ(StatusBar1->PanelRect(1).width(), 320);
    EXPECT_EQ(StatusBar1->PanelRect(2).left(), 402);
    EXPECT_EQ(StatusBar1->PanelRect(2).right(), 599);

    // Text is drawn in the first panel and none in the empty last one.
    const QImage shot = StatusBar1->grab().toImage();
    const auto darkPixels = [&](const QRect& area) {
        int dark = 0;
        for (int y = area.top() + 2; y < area.bottom() - 1; ++y)
            for (int x = area.left() + 2; x < area.right() - 1; ++x)
                dark += qGray(shot.pixel(x, y)) < 100;
        return dark;
    };
    EXPECT_GT(darkPixels(StatusBar1->PanelRect(0)), 10);
    EXPECT_EQ(darkPixels(StatusBar1->PanelRect(2)), 0);
}

TEST_F(StatusBarTest, AControlOnTheBarMovesWithItAndKeepsItsPlace)
{
    EXPECT_EQ(ProgressBar1->parentWidget(), StatusBar1);
    const QPoint before = ProgressBar1->mapTo(&window, QPoint(0, 0));
    window.resize(900, 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(StatusBar1->width(), 900);
    EXPECT_EQ(ProgressBar1->mapTo(&window, QPoint(0, 0)), before + QPoint(0, 120));
    // The bar's panels do not move it: its window places it.
    StatusBar1->SetPanelWidth(1, 200);
    EXPECT_EQ(ProgressBar1->geometry(), QRect(406, 3, 190, 16));
}

TEST_F(StatusBarTest, ProgressIsShownSteppedAndHiddenAroundTheWork)
{
    EXPECT_FALSE(ProgressBar1->isVisible());
    {
        TProgress progress(5);
        EXPECT_TRUE(ProgressBar1->isVisible());
        EXPECT_EQ(ProgressBar1->maximum(), 5);
        progress.SetPosition(3);
        EXPECT_EQ(ProgressBar1->value(), 3);
        StatusBar1->grab().save(QStringLiteral("/tmp/quelt_status_bar.png"));
        {
            // A step of the larger task: its end leaves the bar shown.
            TProgress inner(15);
            inner.SetPosition(9);
            EXPECT_EQ(ProgressBar1->value(), 9);
        }
        EXPECT_TRUE(ProgressBar1->isVisible());
        progress.SetMax(4);
        progress.SetPosition(7);   // past the end: shows full
        EXPECT_EQ(ProgressBar1->value(), 4);
    }
    EXPECT_FALSE(ProgressBar1->isVisible());
    EXPECT_EQ(ProgressBar1->value(), 4);   // finished work leaves the bar full
}
