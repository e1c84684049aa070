#include "app/references_form.h"
#include "app/tab_order.h"
#include "app/adm2_record_views.h"
#include "app/lookup_combos.h"
#include "app/window_building.h"
#include "data/adm1.h"
#include "dataset/ww_data_source.h"
#include "dataset/ww_table.h"
#include "grid/lookup_combo.h"
#include "grid/record_view_dialog.h"
#include "grid/ww_db_grid.h"
#include "grid/ww_ibutton.h"
#include "platform/ui/containers.h"
#include "platform/ui/design_fonts.h"
#include "platform/ui/db_navigator.h"
#include "platform/ui/menus.h"
#include "platform/ui/page_controls.h"
#include "platform/ui/resource_library.h"
#include "platform/ui/screen.h"
#include "platform/ui/standard_controls.h"
#include "widgets/component_collector.h"
#include "widgets/net_gradient.h"
#include "widgets/ra_status_bar.h"
#include <QSplitter>
#include <span>

TFrmRefrences* FrmRefrences = nullptr;

namespace {

// This window's own hold on the resource library; 0 until loaded.
HINSTANCE RefrencesLibraryHandle = 0;

constexpr TColor LightYellow = 0x00C0FFFF;
constexpr TColor White = 0x00FFFFFF;
constexpr int HeaderHeight = 25;
constexpr int IndicatorButtonWidth = 13;
constexpr int IndicatorButtonHeight = 22;
constexpr int ToolPanelHeight = 31;
const TButtonSet BrowseButtons{nbFirst, nbPrior, nbNext, nbLast};
const TButtonSet EditButtons{nbInsert, nbDelete, nbEdit, nbPost, nbCancel};

constexpr const char* CurrencyColumns[] = {"CurrencyName\t30\tCurrency Full Name",
                                           "CurrencyShortName\t3\tCurrency Short Name"};
constexpr const char* BankColumns[] = {"BankDesc\t25\tBank Name"};
constexpr const char* CardColumns[] = {"CardName\t18\tCard Name", "CalcCardType\t20\tCard Type"};
constexpr const char* AccountColumns[] = {"CalcBankName\t12\tBank Name", "CalcCardName\t14\tCard Name",
                                          "AccountName\t50\tAccount Name", "AccountNumber\t30\tAccount Number"};
constexpr const char* BankItemColumns[] = {"BankItemDesc\t50\tItem Desc"};
constexpr const char* TelComColumns[] = {"TelcomDesc\t29\tDescription"};
constexpr const char* TelItemColumns[] = {"TelItemDesc\t50\tItem Description"};
constexpr const char* IncomeColumns[] = {"IncomeDescription\t19\tIncome Description"};
constexpr const char* ExpenseColumns[] = {"ExpenseDescription\t30\tExpense Description"};
constexpr const char* CategoryColumns[] = {"CategoryDesc\t30\tCategoryDesc"};

struct TSectionSpec {
    const char* Header;   // none on the currency page
    const char* Grid;
    TwwDataSource* TADm1::*Source;
    std::span<const char* const> Columns;
};

// In the order of TFrmRefrences::Sections().
const TSectionSpec SectionSpecs[] = {
    {nullptr, "wwDBGrid2", &TADm1::DsCurrency, CurrencyColumns},
    {"Bank Names", "wwDBGrid5", &TADm1::DsBanks, BankColumns},
    {"Debit/Credit Cards & Current/Savings Accounts", "wwDBGrid4", &TADm1::DsCard, CardColumns},
    {"Account Details", "wwDBGrid13", &TADm1::DsBankAccounts, AccountColumns},
    {"Bank Items", "wwDBGrid3", &TADm1::DsBankItems, BankItemColumns},
    {"Communication Accounts", "wwDBGrid12", &TADm1::DsTelCom, TelComColumns},
    {"Communication Account Items", "wwDBGrid6", &TADm1::DsTelItems, TelItemColumns},
    {"Income Accounts", "wwDBGrid16", &TADm1::DsIncome, IncomeColumns},
    {"Expense Accounts", "wwDBGrid15", &TADm1::DsExpense, ExpenseColumns},
    {"General Category", "wwDBGrid11", &TADm1::DsCategory, CategoryColumns},
};

// The in-cell editors: name, lookup table, its code field, the column it
// shows, and the field of the edited table it serves.
struct TCellLookupSpec {
    const char* Name;
    TwwTable* TADm1::*LookupTable;
    const char* LookupField;
    const char* Shown;
    TwwDataSource* TADm1::*Source;
    const char* DataField;
};

const TCellLookupSpec CellLookupSpecs[] = {
    {"LupBanks", &TADm1::TblBanks, "BankCode", "BankDesc\t25\tBank Name", &TADm1::DsBankAccounts, "CalcBankName"},
    {"LupCards", &TADm1::TblCard, "CardCode", "CardName\t18\tCard Name", &TADm1::DsBankAccounts, "CalcCardName"},
    {"LupCardType", &TADm1::TblCardType, "CardType", "CardTypeDesc\t15\tCard Type", &TADm1::DsCard,
     "CalcCardType"},
};

TDBNavigator* Navigator(QWidget* parent, TDataSource* source, TButtonSet buttons, int left, int width)
{
    auto* navigator = new TDBNavigator(parent);
    navigator->SetDataSource(source);
    navigator->SetVisibleButtons(buttons);
    navigator->SetFlat(true);
    navigator->SetShowHint(true);
    // The tables ask before a delete; a second question would be one too many.
    navigator->SetConfirmDelete(false);
    navigator->setGeometry(left, 3, width, 25);
    return navigator;
}

// The header bars' caption: bold, 13 pixels high.
QFont HeaderFont()
{
    QFont font = DesignFont(QStringLiteral("MS Sans Serif"), -13);
    font.setBold(true);
    return font;
}

QSplitter* Splitter(Qt::Orientation orientation, QWidget* parent)
{
    auto* splitter = new QSplitter(orientation, parent);
    splitter->setChildrenCollapsible(false);
    return splitter;
}

} // namespace

TFrmRefrences::TFrmRefrences()
{
    FrmRefrences = this;
    setObjectName(QStringLiteral("FrmRefrences"));
    SetCaption(QStringLiteral("Quelt - Refrences"));
    SetDesignFont(QStringLiteral("MS Sans Serif"), -11);
    SetClientSize(780, 540);
    SetPosition(TPosition::poScreenCenter);

    MainMenu1 = Named(new TMainMenu(this), "MainMenu1");
    File1 = Named(new TMenuItem(MainMenu1->Items(), QStringLiteral("&File")), "File1");
    Exit1 = Named(new TMenuItem(File1, QStringLiteral("&Exit")), "Exit1");
    Exit1->OnClick = [this](QObject* sender) { Exit1Click(sender); };
    ComponentCollector1 = Named(new TComponentCollector(this), "ComponentCollector1");
    ComponentCollector1->SetButtonHeight(28);
    StatusBar1 = Named(new TRAStatusBar(this), "StatusBar1");
    SetAlign(StatusBar1, TAlign::alBottom);
    StatusBar1->AddPanel(200);

    PageControlRefrence = Named(new TPageControl(this), "PageControlRefrence");
    SetAlign(PageControlRefrence, TAlign::alClient);
    CreatePages();

    OnCreate = [this](QObject* sender) { FormCreate(sender); };
    OnActivate = [this](QObject* sender) { FormActivate(sender); };
    DoCreate();
    SetTabOrderByPosition(*this);
}

TFrmRefrences::~TFrmRefrences()
{
    // The grids give back the lookup combos they borrowed while these still stand.
    for (const TReferenceSection& section : sections_) delete section.Grid;
    if (FrmRefrences == this) FrmRefrences = nullptr;
}

void TFrmRefrences::CreatePages()
{
    const auto page = [this](const char* name, const char* caption) {
        return Named(new TTabSheet(PageControlRefrence, QString::fromLatin1(caption)), name);
    };
    TabCurrency = page("TabCurrency", "Currency");
    TabBank = page("TabBank", "Bank Details");
    TabRefCommunications = page("TabRefCommunications", "Communications");
    TabSetup = page("TabSetup", "Setup ");
    TabIncomeExpenses = page("TabIncomeExpenses", "Income && Expenses");
    TabCategory = page("TabCategory", "Categories");

    auto* bankHalves = Splitter(Qt::Vertical, TabBank);
    SetAlign(bankHalves, TAlign::alClient);
    auto* bankTop = Splitter(Qt::Horizontal, bankHalves);
    auto* bankBottom = Splitter(Qt::Horizontal, bankHalves);
    auto* communications = Splitter(Qt::Horizontal, TabRefCommunications);
    SetAlign(communications, TAlign::alClient);
    auto* incomeExpenses = Splitter(Qt::Horizontal, TabIncomeExpenses);
    SetAlign(incomeExpenses, TAlign::alClient);
    QWidget* const parents[] = {TabCurrency, bankTop, bankTop, bankBottom, bankBottom,
                                communications, communications, incomeExpenses, incomeExpenses, TabCategory};

    for (std::size_t i = 0; i < sections_.size(); ++i) {
        const TSectionSpec& spec = SectionSpecs[i];
        TReferenceSection& section = sections_[i];
        TDataSource* source = ADm1->*spec.Source;
        auto* box = new QWidget(parents[i]);
        if (qobject_cast<TTabSheet*>(parents[i])) SetAlign(box, TAlign::alClient);
        if (spec.Header) {
            section.Header = new TNetGradient(box);
            section.Header->SetCaption(QString::fromLatin1(spec.Header));
            section.Header->SetBeginColor(QColor(0, 128, 128));
            section.Header->SetEndColor(palette().color(QPalette::Button));
            section.Header->SetFontColor(QColor(0, 255, 255));
            section.Header->setFont(HeaderFont());
            section.Header->resize(section.Header->width(), HeaderHeight);
            SetAlign(section.Header, TAlign::alTop);
        }
        auto* tools = new TPanel(box);
        tools->resize(tools->width(), ToolPanelHeight);
        SetAlign(tools, TAlign::alTop);
        section.BrowseNavigator = Navigator(tools, source, BrowseButtons, 4, 100);
        section.EditNavigator = Navigator(tools, source, EditButtons, 112, 125);

        section.Grid = Named(new TwwDBGrid(box), spec.Grid);
        SetAlign(section.Grid, TAlign::alClient);
        for (const char* column : spec.Columns) section.Grid->Selected().Add(QString::fromLatin1(column));
        section.Grid->SetUseTFields(false);
        section.Grid->OnCalcCellColors = [this](QObject* sender, TField* field, TGridDrawState state, bool highlight,
                                                TFont& font, TBrush& brush) {
            wwDBGrid2CalcCellColors(sender, field, state, highlight, font, brush);
        };
        section.Grid->SetDataSource(source);
    }
    std::tie(wwDBGrid2, wwDBGrid5, wwDBGrid4, wwDBGrid13, wwDBGrid3) =
        std::tuple(sections_[0].Grid, sections_[1].Grid, sections_[2].Grid, sections_[3].Grid, sections_[4].Grid);
    std::tie(wwDBGrid12, wwDBGrid6, wwDBGrid16, wwDBGrid15, wwDBGrid11) =
        std::tuple(sections_[5].Grid, sections_[6].Grid, sections_[7].Grid, sections_[8].Grid, sections_[9].Grid);

    wwDBGrid5IButton = IndicatorButton(wwDBGrid5, "wwDBGrid5IButton");
    wwDBGrid5IButton->OnClick = [this](QObject* sender) { wwDBGrid5IButtonClick(sender); };
    wwIButton1 = IndicatorButton(wwDBGrid13, "wwIButton1");
    wwIButton1->OnClick = [this](QObject* sender) { wwDBGrid3IButtonClick(sender); };
    CreateSetupPage();
}

TwwIButton* TFrmRefrences::IndicatorButton(TwwDBGrid* grid, const char* name)
{
    // In the grid's corner, over the indicator column's title cell, which takes its size.
    auto* button = Named(new TwwIButton(grid), name);
    button->SetCaption(QStringLiteral("..."));
    button->SetHint(QStringLiteral("Record View"));
    button->SetBounds(0, 0, IndicatorButtonWidth, IndicatorButtonHeight);
    return button;
}

void TFrmRefrences::CreateSetupPage()
{
    auto* tools = new TPanel(TabSetup);
    tools->resize(tools->width(), ToolPanelHeight);
    SetAlign(tools, TAlign::alTop);
    DBNavigatorConfig = Named(Navigator(tools, ADm1->DsConfig, TButtonSet::All(), 4, 240), "DBNavigatorConfig");
    TwwDBLookupCombo** const combos[] = {&LupBanks, &LupCards, &LupCardType};
    for (std::size_t i = 0; i < std::size(CellLookupSpecs); ++i) {
        const TCellLookupSpec& spec = CellLookupSpecs[i];
        auto* combo = MakeLookupCombo(TabSetup, spec.Name, ADm1->*spec.LookupTable, spec.LookupField,
                                      {&spec.Shown, 1}, ADm1->*spec.Source, spec.DataField);
        combo->hide();
        *combos[i] = combo;
    }
}

void TFrmRefrences::FormCreate(QObject*)
{
    if (RefrencesLibraryHandle == 0) RefrencesLibraryHandle = LoadLibrary(QStringLiteral("KeldDll1.dll"));
    TabSetup->SetTabVisible(false);
    PageControlRefrence->SetActivePage(TabCurrency);
}

void TFrmRefrences::FormActivate(QObject*)
{
    // The main window showed the hourglass while this window was made.
    Screen->SetCursor(crDefault);
}

void TFrmRefrences::ShowReferencePage(TTabSheet* page)
{
    for (TTabSheet* sheet : {TabBank, TabCurrency, TabRefCommunications, TabIncomeExpenses, TabCategory})
        sheet->SetTabVisible(false);
    PageControlRefrence->SetActivePage(page);
}

void TFrmRefrences::Exit1Click(QObject*)
{
    Close();
}

void TFrmRefrences::wwDBGrid2CalcCellColors(QObject* sender, TField*, TGridDrawState, bool highlight, TFont& font,
                                            TBrush& brush)
{
    // Rows alternate white and light yellow, counted from the first one shown.
    auto* grid = static_cast<TwwDBGrid*>(sender);
    brush.Color = grid->DataLink().ActiveRecord() % 2 ? LightYellow : White;
    if (highlight) font.SetColor(clBlack);
}

void TFrmRefrences::wwDBGrid5IButtonClick(QObject*)
{
    RVBanks().Execute();
}

void TFrmRefrences::wwDBGrid3IButtonClick(QObject*)
{
    RvBankAccounts().Execute();
}

void ShowReferencePageOfTag(TFrmRefrences& window, int tag)
{
    switch (tag) {
    case 11: window.ShowReferencePage(window.TabBank); break;
    case 22: window.ShowReferencePage(window.TabRefCommunications); break;
    case 33: window.ShowReferencePage(window.TabIncomeExpenses); break;
    default: break;
    }
}
