#include "app/chart_page.h"
#include "app/chart_options_form.h"
#include "app/main_menu.h"
#include "data/adm1.h"
#include "data/adm3.h"
#include "dataset/ww_table.h"
#include "platform/chart/chart_series.h"
#include "platform/chart/db_chart.h"
#include "platform/db/field.h"
#include "platform/rtl/format.h"
#include "platform/ui/application.h"
#include "platform/ui/buttons.h"
#include "platform/ui/containers.h"
#include "platform/ui/page_controls.h"
#include "platform/ui/standard_controls.h"
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

// What each chart code of the configuration draws.
struct TChartCode {
    const char* Title;
    const char* ValueField;
};

constexpr TChartCode ChartCodes[] = {
    {"Income", "Income"},
    {"Expense", "Expense"},
    {"Bank Total", "BankBalance"},
    {"Cumulative Bank Balance", "RunningBankBalance"},
    {"Communications", "Communications"},
};

QString ConfigField(const char* prefix, int index, const char* suffix)
{
    return QLatin1String(prefix) + QString::number(index) + QLatin1String(suffix);
}

} // namespace

TChartPage::TChartPage(TFrmMainMenu& window)
{
    ToolBar4 = new TPanel(window.TabChart);
    ToolBar4->setObjectName(QStringLiteral("ToolBar4"));
    ToolBar4->resize(ToolBar4->width(), 29);
    SetAlign(ToolBar4, TAlign::alTop);

    CB3D = new TCheckBox(ToolBar4);
    CB3D->setObjectName(QStringLiteral("CB3D"));
    CB3D->SetCaption(QStringLiteral("View 3D"));
    CB3D->SetChecked(true);
    CB3D->setGeometry(6, 5, 72, 20);
    ScrollBar2 = new TScrollBar(ToolBar4);
    ScrollBar2->setObjectName(QStringLiteral("ScrollBar2"));
    ScrollBar2->SetKind(TScrollBarKind::sbHorizontal);
    ScrollBar2->SetMin(1);
    ScrollBar2->SetMax(100);
    ScrollBar2->SetPosition(15);
    ScrollBar2->setGeometry(82, 6, 120, 17);
    Label2 = new TLabel(ToolBar4);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->SetCaption(QStringLiteral("Year:"));
    Label2->move(214, 8);
    EdtYear = new QLineEdit(ToolBar4);
    EdtYear->setObjectName(QStringLiteral("EdtYear"));
    EdtYear->setGeometry(244, 4, 48, 21);
    UpDownYear = new TUpDown(ToolBar4);
    UpDownYear->setObjectName(QStringLiteral("UpDownYear"));
    UpDownYear->resize(16, 21);
    UpDownYear->SetAssociate(EdtYear);
    ToolButton10 = new TSpeedButton(ToolBar4);
    ToolButton10->setObjectName(QStringLiteral("ToolButton10"));
    ToolButton10->SetCaption(QStringLiteral("Options"));
    ToolButton10->SetHint(QStringLiteral("Chart Options"));
    ToolButton10->setGeometry(318, 3, 60, 23);

    DBChart1 = new TDBChart(window.TabChart);
    DBChart1->setObjectName(QStringLiteral("DBChart1"));
    SetAlign(DBChart1, TAlign::alClient);
    DBChart1->Legend().SetAlignment(TLegendAlignment::laBottom);
    DBChart1->LeftAxis().SetTitle(QStringLiteral("Amount"));
    DBChart1->RightAxis().SetTitle(QStringLiteral("Amount"));
    DBChart1->TopAxis().SetVisible(false);
    DBChart1->Title().SetFrameVisible(true);
    DBChart1->SetAnimatedZoom(true);
    Series = {new TBarSeries(DBChart1),  new TBarSeries(DBChart1),   new TLineSeries(DBChart1),
              new TLineSeries(DBChart1), new TPointSeries(DBChart1), new TPointSeries(DBChart1)};
    for (size_t i = 0; i < Series.size(); ++i) {
        Series[i]->setObjectName(QStringLiteral("Series%1").arg(i + 1));
        Series[i]->SetMarksVisible(true);
        Series[i]->SetDataSource(ADm3->TblChart1);
    }

    CB3D->OnClick = [this](QObject* sender) { CB3DClick(sender); };
    QObject::connect(ScrollBar2, &QScrollBar::valueChanged, DBChart1, [this] { ScrollBar2Change(ScrollBar2); });
    QObject::connect(EdtYear, &QLineEdit::textChanged, DBChart1, [this] { EdtYearChange(EdtYear); });
    ToolButton10->OnClick = [this](QObject* sender) { ToolButton10Click(sender); };
}

void TChartPage::ConfigureChartSeries()
{
    TwwTable& config = *ADm1->TblConfig;
    if (IsEditState(config.State()))
        config.Post();
    for (int i = 0; i < int(Series.size()); ++i) {
        Series[size_t(i)]->SetActive(false);
        if (config.FieldByName(ConfigField("ChartBar", i, "View"))->AsBoolean())
            SetupChartSeries(i, config.FieldByName(ConfigField("ChartBar", i, "Code"))->AsInteger());
    }
    DBChart1->RefreshData();
}

void TChartPage::SetupChartSeries(int index, int code)
{
    const bool known = code >= 0 && code < int(std::size(ChartCodes));
    TChartSeries& series = *Series.at(size_t(index));
    series.SetTitle(known ? QLatin1String(ChartCodes[code].Title) : QString());
    series.SetDataSource(ADm3->TblChart1);
    series.SetXLabelsSource(known ? QStringLiteral("CalcPeriod") : QString());
    series.SetXValuesSource(known ? QStringLiteral("PeriodMonth") : QString());
    series.SetYValuesSource(known ? QLatin1String(ChartCodes[code].ValueField) : QString());
    series.SetActive(true);
}

void TChartPage::SetChartYearRange()
{
    {
        // The year is shown below whether or not the text changes: a rebuild
        // that adds no year still changes the rows of the year shown.
        const QSignalBlocker quiet(EdtYear);
        UpDownYear->SetMin(ADm1->FirstDataYear);
        UpDownYear->SetMax(ADm1->LastDataYear);
        UpDownYear->SetPosition(ADm1->LastDataYear);
        EdtYear->setText(QString::number(ADm1->LastDataYear));
    }
    EdtYearChange(EdtYear);
}

void TChartPage::EdtYearChange(QObject*)
{
    const QString text = EdtYear->text();
    ADm1->ChartYear = int(StrToInt(text));
    const QString title = QStringLiteral("Summary Chart For Year ") + text;
    TStrings& lines = DBChart1->Title().Text();
    if (lines.Count() == 0)
        lines.Add(title);
    else
        lines.SetString(0, title);
    ADm3->TblChart1->SetFiltered(true);
    // The filter reads ChartYear: the rows of the new year come with a refresh.
    ADm3->TblChart1->Refresh();
    DBChart1->RefreshData();
}

void TChartPage::CB3DClick(QObject*)
{
    DBChart1->SetView3D(CB3D->Checked());
}

void TChartPage::ScrollBar2Change(QObject*)
{
    DBChart1->SetChart3DPercent(ScrollBar2->Position());
}

void TChartPage::ToolButton10Click(QObject*)
{
    // One that is open, perhaps behind the main window, comes to the front.
    if (!FrmChartOptions || !FrmChartOptions->isVisible()) {
        // A window that was closed stays with the application until the end.
        FrmChartOptions = new TFrmChartOptions;
        if (Application)
            Application->InsertComponent(FrmChartOptions);
    }
    FrmChartOptions->Show();
}
