// The chart page and the chart options window through the real window: the
// series the configuration enables, the year choice bounded by the data, the
// 3D switch, and the options window's tabs and Apply.
#include "tests/app/reports_window_fixture.h"
#include "app/chart_options_form.h"
#include "platform/chart/chart_series.h"
#include "platform/chart/db_chart.h"
#include "platform/ui/buttons.h"
#include "platform/ui/db_controls.h"
#include "platform/ui/standard_controls.h"
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

class ChartPageTest : public ReportsWindowTest {
protected:
    void TearDown() override
    {
        delete FrmChartOptions;
        ReportsWindowTest::TearDown();
    }

    // Sets the configuration's six series: view flag and code of each.
    void Configure(std::initializer_list<std::pair<bool, int>> settings)
    {
        TwwTable& config = *adm1->TblConfig;
        config.Edit();
        int i = 0;
        for (const auto& [view, code] : settings) {
            config.FieldByName(QStringLiteral("ChartBar%1View").arg(i))->SetAsBoolean(view);
            config.FieldByName(QStringLiteral("ChartBar%1Code").arg(i))->SetAsInteger(code);
            ++i;
        }
        config.Post();
    }

    // The active series: title and the month labels and values of its points.
    QStringList Drawn()
    {
        QStringList lines;
        for (TChartSeries* series : Chart().Series) {
            if (!series->Active())
                continue;
            QStringList points;
            for (int i = 0; i < series->Count(); ++i)
                points << QStringLiteral("%1=%2").arg(series->Points(i).Label).arg(series->Points(i).Y);
            lines << series->objectName() + QLatin1Char(':') + series->Title() + QLatin1Char(':')
                    + points.join(QLatin1Char(' '));
        }
        return lines;
    }

    QString TitleLine() { return Chart().DBChart1->Title().Text().Strings(0); }

    void ClickUpDown(bool up)
    {
        const auto buttons = Chart().UpDownYear->findChildren<QToolButton*>();
        ASSERT_EQ(buttons.size(), 2);
        QTest::mouseClick(buttons[up ? 0 : 1], Qt::LeftButton);
    }

    void ClickTab(TTabSet* tabs, int index)
    {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    }
};

TEST_F(ChartPageTest, TheChartDrawsTheConfiguredSeriesOfTheYearChosenWithinTheData)
{
    Configure({{true, 0}, {false, 1}, {true, 3}, {false, 0}, {true, 7}, {false, 0}});
    Chart().ConfigureChartSeries();
    // The rebuild of the hidden menu item bounds the years and shows the last.
    window->ProcessingForReports1->Click();
    EXPECT_FALSE(DataUpdated());
    EXPECT_EQ(Chart().UpDownYear->Min(), 2025);
    EXPECT_EQ(Chart().UpDownYear->Max(), 2026);
    EXPECT_EQ(Chart().EdtYear->text(), QStringLiteral("2026"));
    EXPECT_EQ(TitleLine(), QStringLiteral("Summary Chart For Year 2026"));
    // Series 1 shows income; series 3 the running balance; series 5 has a
    // code outside the list: active, without title or values.
    EXPECT_EQ(Drawn(), QStringList({"Series1:Income:Jan2026=0 Feb2026=2500 Mar2026=150",
                                    "Series3:Cumulative Bank Balance:Jan2026=3940 Feb2026=4533.5 Mar2026=4491.25",
                                    "Series5::"}));

    window->MnuViewChart->Click();
    ASSERT_EQ(window->PageControlMain->ActivePage(), window->TabChart);
    SaveGrab(window->TabChart, QStringLiteral("chart_3d"));

    // The down arrow goes back a year, and no further than the first.
    ClickUpDown(false);
    EXPECT_EQ(Chart().EdtYear->text(), QStringLiteral("2025"));
    EXPECT_EQ(adm1->ChartYear, 2025);
    EXPECT_EQ(TitleLine(), QStringLiteral("Summary Chart For Year 2025"));
    EXPECT_EQ(Drawn().first(), QStringLiteral("Series1:Income:Nov2025=2400 Dec2025=0"));
    ClickUpDown(false);
    EXPECT_EQ(Chart().EdtYear->text(), QStringLiteral("2025"));
    ClickUpDown(true);
    ClickUpDown(true);
    EXPECT_EQ(Chart().EdtYear->text(), QStringLiteral("2026"));

    // A typed year that is not a number is refused; the chart stays.
    const QStringList shown = Drawn();
    Chart().EdtYear->setFocus();
    QTest::keyClick(Chart().EdtYear, Qt::Key_X);
    ASSERT_EQ(presenter.errors.size(), 1u);
    EXPECT_EQ(presenter.errors[0], QStringLiteral("'2026x' is not a valid integer value"));
    EXPECT_EQ(adm1->ChartYear, 2026);
    EXPECT_EQ(Drawn(), shown);
    QTest::keyClick(Chart().EdtYear, Qt::Key_Backspace);

    // 2D, then a deeper 3D.
    QTest::mouseClick(Chart().CB3D, Qt::LeftButton);
    EXPECT_FALSE(Chart().DBChart1->View3D());
    SaveGrab(window->TabChart, QStringLiteral("chart_2d"));
    QTest::mouseClick(Chart().CB3D, Qt::LeftButton);
    Chart().ScrollBar2->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_TRUE(Chart().DBChart1->View3D());
    EXPECT_EQ(Chart().DBChart1->Chart3DPercent(), Chart().ScrollBar2->Position());
    EXPECT_GT(Chart().DBChart1->Chart3DPercent(), 15);

    // A rebuild that adds no year still shows the new rows of the year shown.
    BankRow(Db(), "0000000002", "0000000009", QDate(2026, 4, 2), "001", 0, 75);
    adm1->SetDataUpdated(true);
    RunReport(8);
    EXPECT_EQ(Chart().EdtYear->text(), QStringLiteral("2026"));
    EXPECT_TRUE(Drawn().first().endsWith(QStringLiteral("Apr2026=0"))) << qPrintable(Drawn().first());
    EXPECT_EQ(presenter.errors.size(), 1u);

    // "View &Chart" again hides the page.
    window->PageControlMain->SetActivePage(window->TabChart);
    window->MnuViewChart->Click();
    EXPECT_FALSE(window->TabChart->TabVisible());
    EXPECT_EQ(window->PageControlMain->ActivePage(), window->TabTransactions);
}

TEST_F(ChartPageTest, TheOptionsWindowEditsEachSeriesAndApplyRedrawsTheChart)
{
    Configure({{true, 0}, {true, 1}, {false, 2}, {false, 3}, {false, 4}, {false, 0}});
    window->ProcessingForReports1->Click();
    Chart().ConfigureChartSeries();
    ASSERT_EQ(Drawn().size(), 2);

    QTest::mouseClick(Chart().ToolButton10, Qt::LeftButton);
    TFrmChartOptions* options = FrmChartOptions;
    ASSERT_NE(options, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(options));
    EXPECT_EQ(options->Caption(), QStringLiteral("Chart Options"));
    EXPECT_EQ(options->GroupBox2->Caption(), QStringLiteral(" Bar-1 Options "));
    EXPECT_TRUE(options->DbShowGraph->isChecked());
    EXPECT_EQ(options->DbShowGroup->ItemIndex(), 0);
    // A second press while it is open, lost behind the main window, makes no
    // other window but brings this one to the front with the keyboard in it.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::mouseClick(Chart().ToolButton10, Qt::LeftButton);
    EXPECT_EQ(FrmChartOptions, options);
    EXPECT_TRUE(QTest::qWaitForWindowActive(options));
    SaveGrab(options, QStringLiteral("chart_options"));

    // Bar-1 switched off; the tab change posts it before the controls move on.
    QTest::mouseClick(options->DbShowGraph, Qt::LeftButton);
    EXPECT_TRUE(IsEditState(adm1->TblConfig->State()));
    ClickTab(options->TabSet1, 2);
    EXPECT_EQ(adm1->TblConfig->State(), dsBrowse);
    EXPECT_FALSE(adm1->TblConfig->FieldByName(QStringLiteral("ChartBar0View"))->AsBoolean());
    EXPECT_EQ(options->GroupBox2->Caption(), QStringLiteral(" Line-1 Options "));
    EXPECT_EQ(options->DbShowGraph->DataField(), QStringLiteral("ChartBar2View"));
    EXPECT_EQ(options->DbShowGroup->DataField(), QStringLiteral("ChartBar2Code"));
    // The chart waits for Apply.
    EXPECT_EQ(Drawn().size(), 2);

    // Line-1 on, drawing communications; Apply posts it and redraws.
    QTest::mouseClick(options->DbShowGraph, Qt::LeftButton);
    QRadioButton* communications = options->DbShowGroup->Button(4);
    QTest::mouseClick(communications, Qt::LeftButton, {}, QPoint(8, communications->height() / 2));
    QTest::mouseClick(options->BtnUpdate, Qt::LeftButton);
    EXPECT_EQ(adm1->TblConfig->State(), dsBrowse);
    EXPECT_EQ(Drawn(), QStringList({"Series2:Expense:Jan2026=0 Feb2026=96.4 Mar2026=0",
                                    "Series3:Communications:Jan2026=0 Feb2026=29.99 Mar2026=0"}));
    EXPECT_TRUE(presenter.errors.empty());

    // Closed, the next press makes a new window.
    QTest::mouseClick(options->BtnClose, Qt::LeftButton);
    EXPECT_FALSE(options->isVisible());
    QTest::mouseClick(Chart().ToolButton10, Qt::LeftButton);
    EXPECT_NE(FrmChartOptions, options);
    EXPECT_TRUE(FrmChartOptions->isVisible());
    delete options;
}
