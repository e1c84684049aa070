#pragma once
// The "Reports" page of the main window: a list of nine reports, the button
// that runs the chosen one and the grid that shows the report table it
// builds. Running a report brings the monthly summaries up to date first
// when they are marked out of date; title clicks sort the report.
#include "grid/ww_grid_types.h"

class QComboBox;
class TDBNavigator;
class TFrmMainMenu;
class TLabel;
class TSpeedButton;
class TwwDBGrid;

// How a report table's columns are labelled and coloured.
enum class TReportLayout { None, CrossTab, Comparison, BankBalance };

class TReportPage {
public:
    // Builds the page's controls on the window's report sheet; the grid
    // starts unbound.
    explicit TReportPage(TFrmMainMenu& window);
    ~TReportPage();
    TReportPage(const TReportPage&) = delete;
    TReportPage& operator=(const TReportPage&) = delete;

    TLabel* Label1;
    QComboBox* CbReportItems;
    TSpeedButton* SpeedButton2;
    TDBNavigator* DBNavigator3;
    TwwDBGrid* DBGrid1;

    // Runs the chosen report. On a builder's error the previous report
    // stays shown and the error goes on to the caller's handler.
    void SpeedButton2Click(QObject* sender);
    // Rebuilds the summaries of the open period and clears their
    // out-of-date mark; on an error the mark stays.
    void ProcessingForReports1Click(QObject* sender);

    static void SetupReportColumns(TwwDBGrid& grid);
    static void SetupComparisonColumns(TwwDBGrid& grid);
    static void SetupBankBalanceColumns(TwwDBGrid& grid);

    // The layout of the report table bound now; None before the first report.
    TReportLayout ShownLayout() const { return shown_; }

private:
    // Binds the grid to the report table with the handlers and columns of layout.
    void ShowReport(TReportLayout layout);
    void CrossTabCalcTitleAttributes(const QString& fieldName, TBrush& brush) const;
    void CrossTabTitleButtonClick(const QString& fieldName) const;
    void ReportCalcCellColors(TField* field, bool highlight, TFont& font, TBrush& brush,
                              TReportLayout layout) const;

    TFrmMainMenu& window_;
    TReportLayout shown_ = TReportLayout::None;
};
