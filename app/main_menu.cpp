#include "app/main_menu.h"
#include "app/assets_form.h"
#include "app/chart_page.h"
#include "app/close_period_form.h"
#include "app/double_entry_form.h"
#include "app/filter_form.h"
#include "app/legend_form.h"
#include "app/loans_form.h"
#include "app/pending_edits.h"
#include "app/recur_form.h"
#include "app/references_form.h"
#include "app/report_page.h"
#include "app/splash_form.h"
#include "app/tel_payment_form.h"
#include "app/tool_icons.h"
#include "app/window_building.h"
#include "data/adm1.h"
#include "data/adm3.h"
#include "dataset/ww_table.h"
#include "grid/lookup_combo.h"
#include "platform/ui/application.h"
#include "platform/ui/containers.h"
#include "platform/ui/menus.h"
#include "platform/ui/page_controls.h"
#include "platform/ui/standard_controls.h"
#include "platform/ui/tool_bars.h"
#include "widgets/component_collector.h"
#include "widgets/desk_calendar.h"
#include "widgets/ra_status_bar.h"
#include "widgets/tiled_bitmap.h"
#include <QProgressBar>

TFrmMainMenu* FrmMainMenu = nullptr;
HINSTANCE ResourceLibraryHandle = 0;
int PaymentPageTag = 0;

namespace {

const QString ResourceLibraryName = QStringLiteral("KeldDll1.dll");

// Runs its work when it goes, on every way out of the scope, failures
// included; a failure of the work itself is shown, as another may be on its way.
class TOnScopeExit {
public:
    explicit TOnScopeExit(std::function<void()> work) : work_(std::move(work)) {}
    ~TOnScopeExit()
    {
        try {
            work_();
        } catch (...) {
            Application->HandleException(std::current_exception());
        }
    }
    TOnScopeExit(const TOnScopeExit&) = delete;
    TOnScopeExit& operator=(const TOnScopeExit&) = delete;

private:
    std::function<void()> work_;
};

} // namespace

TFrmMainMenu::TFrmMainMenu()
{
    // The dialogs reach the main window through its global while it is made.
    FrmMainMenu = this;
    setObjectName(QStringLiteral("FrmMainMenu"));
    SetCaption(QStringLiteral("Quelt"));
    SetDesignFont(QStringLiteral("MS Sans Serif"), -11);
    SetClientSize(800, 560);   // the size it takes when restored from maximised
    SetWindowState(TWindowState::wsMaximized);

    CreateFrame();
    LoansLauncher.Create = [] { return new TFrmLoans(); };
    RecurLauncher.Create = [] { return new TFrmRecur(); };
    DoubleEntryLauncher.Create = [] { return new TFrmDoubleEntry(); };
    AssetsLauncher.Create = [] { return new TFrmAssets(); };
    AssetsLauncher.Hourglass = false;
    TelPaymentLauncher.Create = [] { return new TFrmTelPayment(); };
    TelPaymentLauncher.HideMainWindow = false;
    TelPaymentLauncher.BeforeShow = [](TForm& window, int tag) {
        static_cast<TFrmTelPayment&>(window).ShowOnlyPage(tag);
    };
    RefrencesLauncher.Create = [] { return new TFrmRefrences(); };
    RefrencesLauncher.BeforeShow = [](TForm& window, int tag) {
        ShowReferencePageOfTag(static_cast<TFrmRefrences&>(window), tag);
    };
    ClosePeriodLauncher = ClosePeriodDialogLauncher();
    // Quitting over a row the user changed but did not post asks first.
    AskBeforeClosingOverEdits(*this);

    OnCreate = [this](QObject* sender) { FormCreate(sender); };
    OnResize = [this](QObject* sender) { FormResize(sender); };
    OnActivate = [this](QObject* sender) { FormResize(sender); };
    DoCreate();
}

TFrmMainMenu::~TFrmMainMenu()
{
    // The account pickers read the local tables, which go with this window's members.
    delete wwDbLupEditBankAccount;
    delete wwDbLupEditComAccount;
    if (FrmMainMenu == this)
        FrmMainMenu = nullptr;
}

void TFrmMainMenu::CreateFrame()
{
    // The menu bar docks first, so that it stays above the cool bar.
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();

    PageControlMain = Named(new TPageControl(this), "PageControlMain");
    SetAlign(PageControlMain, TAlign::alClient);
    TabTransactions = Named(new TTabSheet(PageControlMain, QStringLiteral("Transactions")), "TabTransactions");
    TabReports = Named(new TTabSheet(PageControlMain, QStringLiteral("Reports")), "TabReports");
    TabChart = Named(new TTabSheet(PageControlMain, QStringLiteral("Chart")), "TabChart");
    PageControlMain->OnChange = [this](QObject* sender) { PageControlMainChange(sender); };

    PanelReports = Named(new TPanel(TabReports), "PanelReports");
    PanelReports->resize(PanelReports->width(), PageHeaderHeight);
    SetAlign(PanelReports, TAlign::alTop);
    TiledBitmap5 = Named(new TTiledBitmap(PanelReports), "TiledBitmap5");

    CreateTransactionPages();
    ReportPage = std::make_unique<TReportPage>(*this);
    ChartPage = std::make_unique<TChartPage>(*this);
    ProcessingForReports1->OnClick = [this](QObject* sender) { ReportPage->ProcessingForReports1Click(sender); };
    ComponentCollector1 = Named(new TComponentCollector(this), "ComponentCollector1");
    ComponentCollector1->SetButtonHeight(28);
}

void TFrmMainMenu::CreateToolBar()
{
    CoolBar1 = Named(new TCoolBar(this), "CoolBar1");
    SetAlign(CoolBar1, TAlign::alTop);
    ImageList1 = Named(new TImageList(this, 16, 16), "ImageList1");
    for (TToolIcon icon : {TToolIcon::References, TToolIcon::Calendar, TToolIcon::SortAscending,
                           TToolIcon::SortDescending, TToolIcon::Exit})
        ImageList1->Add(DrawToolIcon(icon));

    ToolbarMain = Named(new TToolBar(CoolBar1), "ToolbarMain");
    ToolbarMain->SetFlat(true);
    ToolbarMain->SetButtonSize(25, 25);
    ToolbarMain->SetImages(ImageList1);
    const auto button = [this](const char* name, TToolButtonStyle style, int image, const char* hint) {
        auto* made = Named(new TToolButton(ToolbarMain), name);
        made->SetStyle(style);
        made->SetImageIndex(image);
        made->SetHint(QString::fromLatin1(hint));
        return made;
    };
    const auto separator = [this] { (new TToolButton(ToolbarMain))->SetStyle(TToolButtonStyle::tbsSeparator); };
    SpdBtnDatabaseImport = button("SpdBtnDatabaseImport", TToolButtonStyle::tbsDropDown, 0, "Refrences");
    separator();
    SpdBtnTableEvents = button("SpdBtnTableEvents", TToolButtonStyle::tbsButton, 1, "Show Calendar");
    separator();
    SpdBtnGenerateSource = button("SpdBtnGenerateSource", TToolButtonStyle::tbsCheck, 2,
                                  "Show Records In Ascending Order");
    ToolButton4 = button("ToolButton4", TToolButtonStyle::tbsCheck, 3, "Show Records In Descending Order");
    separator();
    SpeedButton3 = button("SpeedButton3", TToolButtonStyle::tbsButton, 4, "Exit Case Tool");
    // The two order buttons show which order the next title click takes.
    SpdBtnGenerateSource->SetGrouped(true);
    ToolButton4->SetGrouped(true);
    SpdBtnGenerateSource->SetDown(true);

    SpdBtnDatabaseImport->SetDropdownMenu(PopupMenu1);
    SpdBtnGenerateSource->OnClick = [this](QObject* sender) { SpdBtnGenerateSourceClick(sender); };
    ToolButton4->OnClick = [this](QObject* sender) { ToolButton4Click(sender); };
    SpdBtnTableEvents->OnClick = [this](QObject* sender) { MnuViewCalendarClick(sender); };
    SpeedButton3->OnClick = [this](QObject* sender) { Exit1Click(sender); };
    ToolbarMain->resize(ToolbarMain->ButtonCount() * 25, 25);
    CoolBar1->AddBand(ToolbarMain);
}

void TFrmMainMenu::CreateStatusBar()
{
    StatusBar1 = Named(new TRAStatusBar(this), "StatusBar1");
    SetAlign(StatusBar1, TAlign::alBottom);
    StatusBar1->AddPanel(82, QStringLiteral("Filter Not Active"));
    StatusBar1->AddPanel(320);
    StatusBar1->AddPanel(50);
    ProgressBar1 = Named(new QProgressBar(StatusBar1), "ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();
    // In the last panel; FormResize gives it the width the first two leave.
    ProgressBar1->setGeometry(406, 3, 190, 16);
    if (Application)
        Application->QtPresenter().SetProgressBar(ProgressBar1);
}

void TFrmMainMenu::FormCreate(QObject*)
{
    SortDescending = false;
    if (ResourceLibraryHandle == 0)
        ResourceLibraryHandle = LoadLibrary(ResourceLibraryName);
    CoolBar1->SetBitmap(LoadBitmap(ResourceLibraryHandle, QStringLiteral("Back2")));
    for (TTiledBitmap* background : {TiledBitmap1, TiledBitmap2, TiledBitmap3, TiledBitmap4, TiledBitmap5}) {
        background->SetBitMap(LoadBitmap(ResourceLibraryHandle, QStringLiteral("Back4")));
        SetAlign(background, TAlign::alClient);
        background->lower();
    }
    MnuFlatButtons->SetChecked(ToolbarMain->Flat());
    PageControlMain->SetActivePage(TabTransactions);
    PageControl2->SetActivePage(TabBankAccounts);
    TabChart->SetTabVisible(MnuViewChart->Checked());
    for (TwwTable* local : {TblLocalTelCom, TblLocalBankAccnt}) {
        local->Open();
        local->First();
    }
    TabScratchPad->SetTabVisible(false);
    ChartPage->ConfigureChartSeries();
    PageControl2Change(PageControl2);
    LoadGridColours();
    ChartPage->SetChartYearRange();
}

void TFrmMainMenu::FormResize(QObject*)
{
    ProgressBar1->resize(StatusBar1->width() - (StatusBar1->Panel(0).Width + StatusBar1->Panel(1).Width),
                         ProgressBar1->height());
}

void TFrmMainMenu::LoadGridColours()
{
    LoadGridColoursFrom(*ADm1->TblConfig);
}

void TFrmMainMenu::PageControlMainChange(QObject*)
{
    TTabSheet* page = PageControlMain->ActivePage();
    if (page == TabTransactions)
        PageControl2Change(PageControl2);
    else if (page == TabReports)
        StatusBar1->SetPanelText(1, QStringLiteral("Reports"));
    else if (page == TabChart)
        StatusBar1->SetPanelText(1, QStringLiteral("Chart"));
}

// ---- Tool bar and view commands.

void TFrmMainMenu::MnuShowToolBarClick(QObject*)
{
    MnuShowToolBar->SetChecked(!MnuShowToolBar->Checked());
    CoolBar1->setVisible(MnuShowToolBar->Checked());
    MnuFlatButtons->SetEnabled(MnuShowToolBar->Checked());
}

void TFrmMainMenu::MnuFlatButtonsClick(QObject*)
{
    MnuFlatButtons->SetChecked(!MnuFlatButtons->Checked());
    ToolbarMain->SetFlat(MnuFlatButtons->Checked());
}

void TFrmMainMenu::MnuViewChartClick(QObject*)
{
    MnuViewChart->SetChecked(!MnuViewChart->Checked());
    const bool chartWasActive = PageControlMain->ActivePage() == TabChart;
    TabChart->SetTabVisible(MnuViewChart->Checked());
    if (chartWasActive)
        PageControlMain->SetActivePage(TabTransactions);
    if (MnuViewChart->Checked())
        PageControlMain->SetActivePage(TabChart);
    PageControlMainChange(PageControlMain);
}

void TFrmMainMenu::MnuFilterOptionsClick(QObject*)
{
    MnuFilterOptions->SetChecked(!MnuFilterOptions->Checked());
    if (MnuFilterOptions->Checked() && !FrmFilter->isVisible())
        FrmFilter->Show();
    else
        FrmFilter->Hide();
}

void TFrmMainMenu::MnuViewLegendClick(QObject*)
{
    MnuViewLegend->SetChecked(!MnuViewLegend->Checked());
    FrmLegend->TabLegend->SetTabVisible(false);
    FrmLegend->TabSetup->SetTabVisible(false);
    if (MnuViewLegend->Checked() && !FrmLegend->isVisible()) {
        FrmLegend->SetCaption(QStringLiteral("Color Legend"));
        FrmLegend->PageControl1->SetActivePage(FrmLegend->TabLegend);
        FrmLegend->Show();
    } else {
        FrmLegend->Hide();
    }
}

// The desk calendar lives while the item is checked; closing the calendar
// clears the check itself.
void TFrmMainMenu::MnuViewCalendarClick(QObject*)
{
    MnuViewCalendar->SetChecked(!MnuViewCalendar->Checked());
    if (MnuViewCalendar->Checked()) {
        QueltCalMonthform = new TQueltCalMonthform(Application,
                                                   ADm1->TblConfig->FieldByName(QStringLiteral("StartDayOfWeek")),
                                                   MnuViewCalendar);
        QueltCalMonthform->Show();
    } else if (QueltCalMonthform) {
        delete QueltCalMonthform.data();
    }
}

void TFrmMainMenu::Preferences1Click(QObject*)
{
    FrmLegend->TabLegend->SetTabVisible(false);
    FrmLegend->TabSetup->SetTabVisible(false);
    FrmLegend->PageControl1->SetActivePage(FrmLegend->TabSetup);
    FrmLegend->SetCaption(QStringLiteral("Application Preferences"));
    FrmLegend->ShowModal();
}

void TFrmMainMenu::SpdBtnGenerateSourceClick(QObject*)
{
    SortDescending = false;
}

void TFrmMainMenu::ToolButton4Click(QObject*)
{
    SortDescending = true;
}

void TFrmMainMenu::Exit1Click(QObject*)
{
    Close();
}

void TFrmMainMenu::About1Click(QObject*)
{
    ShowAboutBox();
}

// ---- Commands that open other windows.

void TFrmMainMenu::OpenModal(const TModalLauncher& launcher, int tag)
{
    if (!launcher.Create)
        return;
    // The windows work on the tables the pages show, and a dialog's account
    // combos move the accounts that choose the bank and communication rows.
    PostTransactionPages();
    const TOnScopeExit restore([this] { RestoreTransactionPages(); });
    RunModal(launcher, *this, tag);
}

void TFrmMainMenu::RefrenceClick(QObject* sender)
{
    OpenModal(RefrencesLauncher, static_cast<TMenuItem*>(sender)->Tag());
}

void TFrmMainMenu::PaymentsClick(QObject* sender)
{
    PaymentPageTag = static_cast<TMenuItem*>(sender)->Tag();
    OpenModal(TelPaymentLauncher, PaymentPageTag);
}

void TFrmMainMenu::EmptyAllTransactionFiles1Click(QObject*)
{
    if (!ADm3->EmptyAllTransactions())
        return;
    MessageDlg(QStringLiteral("Application will be Shut down now."), TMsgDlgType::mtInformation, mbOK);
    Close();
}
