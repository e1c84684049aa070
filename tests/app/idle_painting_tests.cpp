// A program left alone rests: once a page or window has painted, nothing
// paints again until the user does something. A paint that schedules another
// paint (or a timer that repaints for nothing) keeps a processor core busy
// for as long as the program runs.
#include "app/chart_options_form.h"
#include "app/chart_page.h"
#include "app/filter_form.h"
#include "app/legend_form.h"
#include "platform/ui/menus.h"
#include "platform/ui/tool_bars.h"
#include "tests/app/main_window_fixture.h"
#include "widgets/desk_calendar.h"
#include <QAction>

namespace {

// Counts the paint events of the whole application, by the class and name of
// the widget painted, so that a failure says what keeps painting.
class TApplicationPaints : public QObject {
public:
    TApplicationPaints() { qApp->installEventFilter(this); }
    ~TApplicationPaints() override { qApp->removeEventFilter(this); }

    void Reset() { painted_.clear(); }
    QStringList Painted() const { return painted_.keys(); }

protected:
    bool eventFilter(QObject* target, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++painted_[QStringLiteral("%1 %2").arg(QString::fromLatin1(target->metaObject()->className()),
                                                     target->objectName())];
        return false;
    }

private:
    QMap<QString, int> painted_;
};

class IdlePaintingTest : public MainWindowTest {
protected:
    // What painted during a second left alone, after what was shown had
    // painted and settled.
    QStringList PaintedWhileIdle()
    {
        QTest::qWait(200);
        paints.Reset();
        QTest::qWait(1000);
        return paints.Painted();
    }

    TApplicationPaints paints;
};

TEST_F(IdlePaintingTest, NoPageOrModelessWindowPaintsWhileTheUserDoesNothing)
{
    ShowWindow();
    // The chart page has a tab of its own only when asked for; asking shows it.
    window->MnuViewChart->Action()->trigger();
    EXPECT_EQ(PaintedWhileIdle(), QStringList()) << "chart page";
    ClickTab(window->PageControlMain, 1);
    EXPECT_EQ(PaintedWhileIdle(), QStringList()) << "reports page";
    ClickTab(window->PageControlMain, 0);
    for (int page = 0; page < 4; ++page) {
        ClickTab(window->PageControl2, page);
        EXPECT_EQ(PaintedWhileIdle(), QStringList()) << "transaction page " << page;
    }

    // The program makes the filter and legend windows at start; the test makes them here.
    const auto filter = std::make_unique<TFrmFilter>();
    const auto legend = std::make_unique<TFrmLegend>();
    window->MnuFilterOptions->Action()->trigger();
    ASSERT_TRUE(filter->isVisible());
    EXPECT_EQ(PaintedWhileIdle(), QStringList()) << "filter window";

    window->MnuViewLegend->Action()->trigger();
    ASSERT_TRUE(legend->isVisible());
    EXPECT_EQ(PaintedWhileIdle(), QStringList()) << "legend window";

    QTest::mouseClick(window->ChartPage->ToolButton10, Qt::LeftButton);
    ASSERT_TRUE(FrmChartOptions && FrmChartOptions->isVisible());
    EXPECT_EQ(PaintedWhileIdle(), QStringList()) << "chart options window";

    QTest::mouseClick(window->SpdBtnTableEvents, Qt::LeftButton);
    ASSERT_TRUE(QueltCalMonthform && QueltCalMonthform->isVisible());
    EXPECT_EQ(PaintedWhileIdle(), QStringList()) << "desk calendar";

    delete QueltCalMonthform.data();
    delete FrmChartOptions;
}

}  // namespace
