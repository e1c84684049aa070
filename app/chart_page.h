#pragma once
// The "Chart" page of the main window: the monthly figures of one year from
// the chart table as up to six series (two bar, two line and two point
// series), which the configuration record enables and assigns, with the
// year, the 3D view and its depth chosen on the page's tool bar.
#include <array>

class QLineEdit;
class QObject;
class TChartSeries;
class TCheckBox;
class TDBChart;
class TFrmMainMenu;
class TLabel;
class TPanel;
class TScrollBar;
class TSpeedButton;
class TUpDown;

class TChartPage {
public:
    // Builds the page's controls on the window's chart sheet.
    explicit TChartPage(TFrmMainMenu& window);
    TChartPage(const TChartPage&) = delete;
    TChartPage& operator=(const TChartPage&) = delete;

    TPanel* ToolBar4;
    TCheckBox* CB3D;
    TScrollBar* ScrollBar2;
    TLabel* Label2;
    QLineEdit* EdtYear;
    TUpDown* UpDownYear;
    TSpeedButton* ToolButton10;
    TDBChart* DBChart1;
    // Series1 .. Series6: two bar, two line and two point series.
    std::array<TChartSeries*, 6> Series;

    // Applies the configuration's six settings to the series (a pending edit
    // of the configuration is posted first) and reads the data again.
    void ConfigureChartSeries();
    // Binds series index to what code 0..4 shows; another code gives an
    // active series with no title and no values.
    void SetupChartSeries(int index, int code);
    // Bounds the year choice to the chart table's years and shows the last.
    void SetChartYearRange();

    // Shows the year typed into EdtYear; text that is not a year raises
    // EConvertError and leaves the chart as it was.
    void EdtYearChange(QObject* sender);
    void CB3DClick(QObject* sender);
    void ScrollBar2Change(QObject* sender);
    // Opens the chart options window, or brings the open one to the front.
    void ToolButton10Click(QObject* sender);
};
