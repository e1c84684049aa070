#pragma once
// A chart on a monthly table in a fresh database: two years of rows, the
// table filtered to one year as the chart page shows it, and pixel counts of
// the chart as it is painted.
#include "platform/chart/chart_series.h"
#include "tests/ui/save_screenshot.h"
#include "platform/chart/db_chart.h"
#include "tests/db/db_test_env.h"
#include "tests/ui/test_application.h"
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLegend>
#include <QLegendMarker>
#include <QMouseEvent>

class ChartTest : public DbTest {
protected:
    void SetUp() override {
        TestApplication();
        DbTest::SetUp();
        using enum TFieldType;
        TTableDesc desc;
        desc.Name = QStringLiteral("TeeData1");
        desc.Columns = {Column("PeriodYear", ftInteger), Column("PeriodMonth", ftInteger),
                        Column("CalcPeriod", ftString, 10), Column("Income", ftFloat), Column("Expense", ftFloat)};
        desc.Indexes = {TIndexDesc{QString(), {"PeriodYear", "PeriodMonth"}, true, true, false, false}};
        Engine().CreateTable(desc);
        Engine().StartTransaction();
        for (int year : {2025, 2026})
            for (int month = 1; month <= (year == 2026 ? 6 : 12); ++month) AddMonth(year, month);
        Engine().Commit();
        months = NewTable("TeeData1");
        months->OnFilterRecord = [this](TDataSet& data, bool& accept) {
            accept = data.FieldByName("PeriodYear")->AsInteger() == year;
        };
        months->SetFiltered(true);
        months->Open();
        chart = std::make_unique<TDBChart>();
        chart->resize(640, 420);
        chart->SetView3D(false);
    }

    static double IncomeOf(int year, int month) { return (year - 2024) * 1000 + month * 150; }
    static double ExpenseOf(int year, int month) { return (year - 2024) * 600 + (month % 3) * 200 + 100; }

    void AddMonth(int year, int month) {
        Engine().InsertRow(QStringLiteral("TeeData1"),
                           {year, month, QStringLiteral("%1/%2").arg(month, 2, 10, QLatin1Char('0')).arg(year),
                            IncomeOf(year, month), ExpenseOf(year, month)});
    }

    template <typename Series>
    Series* AddSeries(const QString& title, const QString& valueField) {
        auto* series = new Series(chart.get());
        series->SetTitle(title);
        series->SetDataSource(months);
        series->SetXLabelsSource(QStringLiteral("CalcPeriod"));
        series->SetXValuesSource(QStringLiteral("PeriodMonth"));
        series->SetYValuesSource(valueField);
        return series;
    }

    QImage Grab() {
        chart->show();
        QApplication::processEvents();
        QApplication::processEvents();
        return chart->grab().toImage();
    }

    // A left-button drag over the chart, as the mouse sends it.
    void Drag(QPoint from, QPoint to) {
        QWidget* view = chart->viewport();
        const auto send = [view](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
            QMouseEvent event(type, at, view->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
            QApplication::sendEvent(view, &event);
        };
        send(QEvent::MouseButtonPress, from, Qt::LeftButton);
        send(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
        send(QEvent::MouseMove, to, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }

    // Pictures to look at, when QUELT_SCREENSHOTS names a folder.
    void Shot(const QString& name) {
        SaveScreenshot(Grab(), name);
    }

    static int CountPixels(const QImage& image, const QColor& color) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y).rgb() == color.rgb()) ++count;
        return count;
    }

    // The lengths of the runs of this colour along one row of the picture.
    static QList<int> Runs(const QImage& image, int y, const QColor& color) {
        QList<int> runs;
        bool inRun = false;
        for (int x = 0; x < image.width(); ++x) {
            const bool match = image.pixelColor(x, y).rgb() == color.rgb();
            if (match && !inRun) runs << 0;
            if (match) ++runs.last();
            inRun = match;
        }
        return runs;
    }

    QStringList LegendLines() const {
        QStringList lines;
        for (const QLegendMarker* marker : chart->chart()->legend()->markers()) lines << marker->label();
        return lines;
    }

    static QList<double> Values(const TChartSeries& series) {
        QList<double> values;
        for (int i = 0; i < series.Count(); ++i) values << series.Points(i).Y;
        return values;
    }

    int year = 2026;
    TTable* months = nullptr;
    std::unique_ptr<TDBChart> chart;
};
