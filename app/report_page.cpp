#include "app/report_page.h"
#include "app/chart_page.h"
#include "app/grid_colours.h"
#include "app/main_menu.h"
#include "data/adm1.h"
#include "data/adm3.h"
#include "data/period_close.h"
#include "dataset/controls_disabled.h"
#include "dataset/ww_data_source.h"
#include "dataset/ww_table.h"
#include "grid/ww_db_grid.h"
#include "platform/db/fields.h"
#include "platform/rtl/format.h"
#include "platform/ui/buttons.h"
#include "platform/ui/containers.h"
#include "platform/ui/db_navigator.h"
#include "platform/ui/page_controls.h"
#include "platform/ui/standard_controls.h"
#include <QComboBox>
#include <QFontMetrics>
#include <QProgressBar>
#include <algorithm>

namespace {

constexpr TColor LightYellow = 0xC0FFFF;
constexpr TColor TotalGreen = 0x008000;
const QString GrandTotalKey = QStringLiteral("999999999");
const QString MoneyFormat = QStringLiteral(",.00");

enum class TBuild { CrossTab, PeriodOverview, BankPeriodReport, Nothing };

// One report of the list: what builds it, how it is shown and the titles of
// its two name columns (null leaves the title as the last report set it).
struct TReportEntry {
    const char* Title;
    TBuild Build;
    TReportLayout Layout;
    int Mode = 0;
    const char* SourceTable = "";
    const char* TempTable = "";
    const char* Key1Field = "";
    const char* Key2Field = "";
    int Key1Kind = 0;
    int Key2Kind = 0;
    const char* Key1Caption = nullptr;
    const char* Key2Caption = nullptr;
};

constexpr TReportEntry Catalogue[] = {
    {"Bank/Item Summary Report", TBuild::CrossTab, TReportLayout::CrossTab, 2, "MTHBNK1A", "TempBnk1",
     "BankAccountCode", "BankItemCode", 1, 2, "Bank Account Name", "Item Description"},
    {"Overall Bank Summary Report", TBuild::CrossTab, TReportLayout::CrossTab, 1, "MTHBNK1A", "TempBnk1",
     "BankAccountCode", "BankItemCode", 1, 2, "Bank Account Name", "Item Description"},
    {"Overall Bank Item Summary Report", TBuild::CrossTab, TReportLayout::CrossTab, 1, "MTHBNK1A", "TempBnk1",
     "BankItemCode", "BankAccountCode", 2, 1, "Bank Item Name", "Item Description"},
    {"Telcommunication Account/ Items Summary Report", TBuild::CrossTab, TReportLayout::CrossTab, 2, "MTHTEL1A",
     "TempTel1", "TelcomCode", "TelItemCode", 3, 4, "Communication Account Name", "Item Description"},
    {"Telcommunication Account Summary Report", TBuild::CrossTab, TReportLayout::CrossTab, 1, "MTHTEL1A",
     "TempTel1", "TelcomCode", "TelItemCode", 3, 4, "Communication Account Name", "Item Description"},
    {"Income Summary", TBuild::CrossTab, TReportLayout::CrossTab, 1, "MTHINC1A", "TempInc1", "IncomeCode",
     "IncomeCode", 5, 5, "Income Account Name"},
    {"Expense Summary", TBuild::CrossTab, TReportLayout::CrossTab, 1, "MTHEXP1A", "TempExp1", "ExpenseCode",
     "ExpenseCode", 6, 6, "Expense Account Name"},
    {"Overall Comparasion Summary ", TBuild::PeriodOverview, TReportLayout::Comparison},
    {"Bank Balance Summary Report", TBuild::BankPeriodReport, TReportLayout::BankBalance},
    {"", TBuild::Nothing, TReportLayout::None},
};

void RunBuilder(const TReportEntry& entry)
{
    switch (entry.Build) {
    case TBuild::CrossTab:
        ADm3->BuildCrossTab(entry.Mode, QLatin1String(entry.SourceTable), QLatin1String(entry.TempTable),
                            QLatin1String(entry.Key1Field), QLatin1String(entry.Key2Field),
                            QStringLiteral("TotalAmount"), entry.Key1Kind, entry.Key2Kind);
        break;
    case TBuild::PeriodOverview:
        ADm3->BuildPeriodOverview();
        break;
    case TBuild::BankPeriodReport:
        ADm3->BuildBankPeriodReport();
        break;
    case TBuild::Nothing:
        return;
    }
    ADm3->DsReports->SetDataSet(ADm3->TblProc);
}

bool Is(const TField& field, const char* name)
{
    return field.FieldName().compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

bool IsMonthColumn(const QString& fieldName)
{
    return fieldName.startsWith(QLatin1String("col"), Qt::CaseInsensitive);
}

// The number of a "col" field: up to four characters after "col".
int ColumnNumber(const QString& fieldName)
{
    return int(StrToInt(fieldName.mid(3, 4)));
}

// The grid makes a column as wide as its characters of '0' and 4 pixels
// more; a title wants its text and 3 pixels of margin on either side.
constexpr int CellPadding = 4;
constexpr int TitleMargins = 2 * 3;

// The designed width in characters, widened where the title is wider in the
// grid's bold title face than it was in the face the reports were laid out in,
// so that no title loses its last letter or touches its column's border.
int FittedWidth(TwwDBGrid& grid, const QString& title, int designed)
{
    const int zero = QFontMetrics(grid.Font().Font()).horizontalAdvance(QLatin1Char('0'));
    const int room = QFontMetrics(grid.TitleFont().Font()).horizontalAdvance(title) + TitleMargins - CellPadding;
    return std::max(designed, (room + zero - 1) / zero);
}

void Look(TwwDBGrid& grid, TField& field, const QString& title, int width)
{
    field.SetDisplayLabel(title);
    field.SetDisplayWidth(FittedWidth(grid, title, width));
    if (auto* number = qobject_cast<TNumericField*>(&field))
        number->SetDisplayFormat(MoneyFormat);
}

void Hide(TDataSet& dataSet, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        dataSet.FieldByName(QLatin1String(name))->SetVisible(false);
}

// The month rows of reports 7 and 8: the period and codes hidden, the
// month's name under "Month/Year".
void ShowMonthRows(TwwDBGrid& grid)
{
    TDataSet& dataSet = *grid.DataSet();
    Hide(dataSet, {"KeyField1", "KeyField2", "PeriodYear", "PeriodMonth", "KeyField2Desc"});
    Look(grid, *dataSet.FieldByName(QStringLiteral("KeyField1Desc")), QStringLiteral("Month/Year"), 15);
    grid.viewport()->update();
}

// Shows the progress bar for its lifetime, whatever ends the work.
class TProgressShown {
public:
    explicit TProgressShown(QProgressBar* bar) : bar_(bar) { bar_->show(); }
    ~TProgressShown() { bar_->hide(); }
    TProgressShown(const TProgressShown&) = delete;
    TProgressShown& operator=(const TProgressShown&) = delete;

private:
    QProgressBar* bar_;
};

// Where the report table component stands, to go back to it when a build fails.
struct TReportTableState {
    bool Active;
    QString TableName;
    QString IndexName;
    QString IndexFieldNames;

    static TReportTableState Of(const TwwTable& table)
    {
        return {table.Active(), table.TableName(), table.IndexName(), table.IndexFieldNames()};
    }
    // Reopens the table shown before; the build's rollback left it as it was.
    void Restore(TwwTable& table) const
    {
        if (!Active)
            return;
        try {
            table.Close();
            table.SetTableName(TableName);
            if (IndexName.isEmpty())
                table.SetIndexFieldNames(IndexFieldNames);
            else
                table.SetIndexName(IndexName);
            table.Open();
        } catch (const Exception&) {
            table.Close();   // the build's error is the one to show
        }
    }
};

} // namespace

TReportPage::TReportPage(TFrmMainMenu& window)
    : window_(window)
{
    TPanel* panel = window.PanelReports;
    Label1 = new TLabel(panel);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->SetCaption(QStringLiteral(" Choose Report"));
    Label1->move(8, 9);
    CbReportItems = new QComboBox(panel);
    CbReportItems->setObjectName(QStringLiteral("CbReportItems"));
    CbReportItems->setMaxVisibleItems(20);
    for (const TReportEntry& entry : Catalogue)
        CbReportItems->addItem(QLatin1String(entry.Title));
    CbReportItems->setCurrentIndex(-1);
    CbReportItems->setGeometry(100, 5, 300, 22);
    SpeedButton2 = new TSpeedButton(panel);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->SetCaption(QStringLiteral("Run"));
    SpeedButton2->SetHint(QStringLiteral("Run Report"));
    SpeedButton2->setGeometry(406, 4, 50, 24);
    SpeedButton2->OnClick = [this](QObject* sender) { SpeedButton2Click(sender); };
    DBNavigator3 = new TDBNavigator(panel);
    DBNavigator3->setObjectName(QStringLiteral("DBNavigator3"));
    DBNavigator3->SetVisibleButtons({nbFirst, nbPrior, nbNext, nbLast});
    DBNavigator3->SetDataSource(ADm3->DsReports);
    DBNavigator3->setGeometry(466, 4, 100, 24);

    DBGrid1 = new TwwDBGrid(window.TabReports);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    SetAlign(DBGrid1, TAlign::alClient);
    DBGrid1->SetFixedCols(1);
    DBGrid1->SetShowHorzScrollBar(true);
    DBGrid1->TitleFont().SetStyle(DBGrid1->TitleFont().Style() | fsBold);
    DBGrid1->SetTitleButtons(true);
    DBGrid1->SetKeyOptions(0);
}

TReportPage::~TReportPage()
{
    // The handlers reach this page, which goes before the grid does.
    DBGrid1->OnCalcTitleAttributes = nullptr;
    DBGrid1->OnTitleButtonClick = nullptr;
    DBGrid1->OnCalcCellColors = nullptr;
}

void TReportPage::SpeedButton2Click(QObject*)
{
    const int index = CbReportItems->currentIndex();
    if (index < 0)
        return;
    const TReportEntry& entry = Catalogue[index];
    // The empty entry shows the last report again; before any there is nothing to show.
    if (entry.Build == TBuild::Nothing && (shown_ == TReportLayout::None || !ADm3->TblProc->Active()))
        return;
    if (ADm1->TblConfig->FieldByName(QStringLiteral("DataUpdated"))->AsBoolean())
        ProcessingForReports1Click(nullptr);

    const TProgressShown progress(window_.ProgressBar1);
    TwwTable& proc = *ADm3->TblProc;
    const TReportTableState previous = TReportTableState::Of(proc);
    DBGrid1->SetDataSource(nullptr);
    // The grid hears of the new columns once, when their set-up is done.
    const TControlsDisabled quiet(proc);
    try {
        RunBuilder(entry);
    } catch (...) {
        previous.Restore(proc);
        if (proc.Active())
            ShowReport(shown_);
        throw;
    }
    if (entry.Key1Caption)
        ADm1->Key1Caption = QLatin1String(entry.Key1Caption);
    if (entry.Key2Caption)
        ADm1->Key2Caption = QLatin1String(entry.Key2Caption);
    // The empty entry shows the last report again as it was shown: the
    // month captions of a cross tab would not fit a month-row report.
    ShowReport(entry.Build == TBuild::Nothing ? shown_ : entry.Layout);
}

void TReportPage::ShowReport(TReportLayout layout)
{
    shown_ = layout;
    if (layout == TReportLayout::CrossTab) {
        DBGrid1->OnCalcTitleAttributes = [this](QObject*, const QString& fieldName, TFont&, TBrush& brush,
                                                TAlignment&) { CrossTabCalcTitleAttributes(fieldName, brush); };
        DBGrid1->OnTitleButtonClick = [this](QObject*, const QString& fieldName) {
            CrossTabTitleButtonClick(fieldName);
        };
    } else {
        // The month rows keep the order they were built in.
        DBGrid1->OnCalcTitleAttributes = nullptr;
        DBGrid1->OnTitleButtonClick = nullptr;
    }
    DBGrid1->OnCalcCellColors = [this, layout](QObject*, TField* field, TGridDrawState, bool highlight, TFont& font,
                                               TBrush& brush) {
        ReportCalcCellColors(field, highlight, font, brush, layout);
    };
    DBGrid1->SetDataSource(ADm3->DsReports);
    if (layout == TReportLayout::Comparison)
        SetupComparisonColumns(*DBGrid1);
    else if (layout == TReportLayout::BankBalance)
        SetupBankBalanceColumns(*DBGrid1);
    else
        SetupReportColumns(*DBGrid1);
}

void TReportPage::ProcessingForReports1Click(QObject*)
{
    const THourglass hourglass;
    {
        const TProgressShown progress(window_.ProgressBar1);
        ADm3->RebuildSummaries(OpenPeriodSourceFilter(ADm1->CurrentCloseDate),
                               OpenPeriodTargetFilter(ADm1->CurrentCloseDate));
        ADm1->LoadYearRange();
        window_.ChartPage->SetChartYearRange();
    }
    ADm1->SetDataUpdated(false);
}

// ---- Column set-up.

void TReportPage::SetupReportColumns(TwwDBGrid& grid)
{
    TDataSet& dataSet = *grid.DataSet();
    for (int i = 0; i < dataSet.FieldCount(); ++i) {
        TField& field = *dataSet.Fields(i);
        field.SetVisible(true);
        if (IsMonthColumn(field.FieldName()))
            Look(grid, field, ADm1->ColumnCaptions->Strings(ColumnNumber(field.FieldName())), ReportColumnWidth);
        if (ADm1->CrossTabMode == 1 && Is(field, "KeyField2Desc"))
            field.SetVisible(false);
        if (Is(field, "Total1"))
            Look(grid, field, QStringLiteral("Total"), ReportColumnWidth + 2);
    }
    Hide(dataSet, {"KeyField1", "KeyField2"});
    Look(grid, *dataSet.FieldByName(QStringLiteral("KeyField1Desc")), ADm1->Key1Caption, 20);
    Look(grid, *dataSet.FieldByName(QStringLiteral("KeyField2Desc")), ADm1->Key2Caption, 20);
    grid.viewport()->update();
}

void TReportPage::SetupComparisonColumns(TwwDBGrid& grid)
{
    static constexpr std::pair<const char*, const char*> Titles[] = {
        {"Income", "Income"},     {"BankBalance", "Bank Tran"}, {"Expense", "Expense"},
        {"Communications", "Communications"}, {"Total1", "Total(C+D)"}, {"Total2", "Bank-Total"},
        {"Total3", "Bank-Diff"},
    };
    TDataSet& dataSet = *grid.DataSet();
    for (int i = 0; i < dataSet.FieldCount(); ++i) {
        TField& field = *dataSet.Fields(i);
        field.SetVisible(!Is(field, "KeyField2Desc") && !Is(field, "PeriodYear"));
        for (const auto& [name, title] : Titles)
            if (Is(field, name))
                Look(grid, field, QLatin1String(title), 8);
        if (Is(field, "Total1"))
            field.SetVisible(false);
    }
    ShowMonthRows(grid);
}

void TReportPage::SetupBankBalanceColumns(TwwDBGrid& grid)
{
    TDataSet& dataSet = *grid.DataSet();
    for (int i = 0; i < dataSet.FieldCount(); ++i) {
        TField& field = *dataSet.Fields(i);
        field.SetVisible(!Is(field, "KeyField2Desc") && !Is(field, "PeriodYear"));
        if (IsMonthColumn(field.FieldName()))
            Look(grid, field, ADm1->BankColumnCaptions->Strings(ColumnNumber(field.FieldName())), ReportColumnWidth);
        if (Is(field, "Income"))
            Look(grid, field, QStringLiteral("Income"), 8);
        if (Is(field, "Total1")) {
            Look(grid, field, QStringLiteral("Total"), 8);
            field.SetVisible(true);
        }
    }
    ShowMonthRows(grid);
}

// ---- Grid handlers.

void TReportPage::CrossTabCalcTitleAttributes(const QString& fieldName, TBrush& brush) const
{
    const QString& indexName = ADm3->TblProc->IndexName();
    bool sorted = false;
    if (IsMonthColumn(fieldName))
        sorted = indexName.compare(QStringLiteral("ByCol") + fieldName.mid(3, 4), Qt::CaseInsensitive) == 0;
    else if (fieldName.compare(QLatin1String("KeyField1Desc"), Qt::CaseInsensitive) == 0)
        sorted = indexName == QLatin1String("ByKeyField1");
    else if (fieldName.compare(QLatin1String("KeyField2Desc"), Qt::CaseInsensitive) == 0)
        sorted = indexName == QLatin1String("ByKeyField2");
    // Report rows sort ascending only, in the colour the transaction grids
    // give an ascending order.
    if (sorted)
        brush.Color = GridColorASort;
}

void TReportPage::CrossTabTitleButtonClick(const QString& fieldName) const
{
    TwwTable& proc = *ADm3->TblProc;
    if (IsMonthColumn(fieldName))
        proc.SetIndexName(QStringLiteral("ByCol") + QString::number(ColumnNumber(fieldName)));
    else if (fieldName.compare(QLatin1String("KeyField1Desc"), Qt::CaseInsensitive) == 0)
        proc.SetIndexName(QStringLiteral("ByKeyField1"));
    else if (fieldName.compare(QLatin1String("KeyField2Desc"), Qt::CaseInsensitive) == 0)
        proc.SetIndexName(QStringLiteral("ByKeyField2"));
    proc.Refresh();
}

void TReportPage::ReportCalcCellColors(TField* field, bool highlight, TFont& font, TBrush& brush,
                                       TReportLayout layout) const
{
    // The grid makes each visible row current while it is drawn; the first is row 0.
    brush.Color = DBGrid1->DataLink().ActiveRecord() % 2 == 1 ? LightYellow : clWhite;
    if (highlight)
        font.SetColor(clBlack);
    const bool grandTotal =
        field->DataSet()->FieldByName(QStringLiteral("KeyField1"))->AsString().trimmed() == GrandTotalKey;
    const bool totalColumn = Is(*field, "Total1")
        || ((layout == TReportLayout::Comparison || layout == TReportLayout::BankBalance) && Is(*field, "Total2"));
    if (grandTotal || totalColumn) {
        brush.Color = TotalGreen;
        font.SetColor(clWhite);
    }
}
