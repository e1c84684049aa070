#pragma once
// The main window on transactions over two years: the main window fixture's
// rows of 2026 and more of November and December 2025, the period open since
// the end of 2024 and the summaries marked out of date, as after typing them.
#include "app/chart_page.h"
#include "tests/ui/save_screenshot.h"
#include "app/report_page.h"
#include "tests/app/main_window_fixture.h"
#include "platform/ui/menus.h"
#include "platform/ui/page_controls.h"
#include "platform/ui/standard_controls.h"
#include <QComboBox>
#include <QProgressBar>

class ReportsWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        TEngineDatabase& db = Db();
        BankRow(db, "0000000001", "0000000005", QDate(2025, 11, 5), "001", 0, 1200);
        BankRow(db, "0000000001", "0000000006", QDate(2025, 12, 12), "002", 60, 0);
        BankRow(db, "0000000002", "0000000003", QDate(2025, 12, 20), "001", 0, 300);
        Put(db, "TrnTel1a", {{"TelcomCode", "001"}, {"TelComSerialNum", "0000000002"}, {"TelItemCode", "001"},
                             {"TransactionDate", QDate(2025, 12, 1)}, {"Amount", 19.99}, {"External", false}});
        Put(db, "TrnInc1a", {{"IncomeCode", "00001"}, {"IncomeTranSerialNum", "0000000003"},
                             {"TransactionDate", QDate(2025, 11, 28)}, {"IncomeAmount", 2400.0},
                             {"External", false}});
        Put(db, "TrnExp1a", {{"ExpenseCode", "00001"}, {"ExpenseTranSerialNum", "0000000002"},
                             {"TransactionDate", QDate(2025, 12, 15)}, {"ExpenseAmount", 80.0},
                             {"External", false}});
        CloseThrough(EncodeDate(2024, 12, 31));
        adm1->SetDataUpdated(true);
        ShowWindow();
    }

    TEngineDatabase& Db() { return adm1->DataQuelt->EngineDatabase(); }
    TReportPage& Reports() { return *window->ReportPage; }
    TChartPage& Chart() { return *window->ChartPage; }
    bool DataUpdated() const
    {
        return adm1->TblConfig->FieldByName(QStringLiteral("DataUpdated"))->AsBoolean();
    }

    // Picks report index from the list and presses the run button.
    void RunReport(int index)
    {
        window->PageControlMain->SetActivePage(window->TabReports);
        Reports().CbReportItems->setCurrentIndex(index);
        QTest::mouseClick(Reports().SpeedButton2, Qt::LeftButton);
        QApplication::processEvents();
    }

    // The report grid's visible columns: title|width of each field shown.
    QStringList ShownColumns()
    {
        QStringList columns;
        TDataSet* dataSet = Reports().DBGrid1->DataSet();
        for (int i = 0; i < dataSet->FieldCount(); ++i) {
            const TField* field = dataSet->Fields(i);
            if (field->Visible())
                columns << QStringLiteral("%1|%2").arg(field->DisplayLabel()).arg(field->DisplayWidth());
        }
        return columns;
    }

    static QStringList Lines(const TStrings& list)
    {
        QStringList lines;
        for (int i = 0; i < list.Count(); ++i)
            lines << list.Strings(i);
        return lines;
    }

    void SaveGrab(QWidget* widget, const QString& name)
    {
        ::SaveScreenshot(*widget, name);
    }
};
