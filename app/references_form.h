#pragma once
// The reference library window: the banks, cards, bank accounts, bank items,
// currencies, communication accounts and items, income and expense accounts
// and categories, each in a grid with its navigators. The tables' own rules
// check what is typed; the banks and accounts grids open a record view.
#include "grid/ww_grid_types.h"
#include "platform/ui/form.h"
#include <array>

class TComponentCollector;
class TDBNavigator;
class TMainMenu;
class TMenuItem;
class TNetGradient;
class TPageControl;
class TRAStatusBar;
class TTabSheet;
class TwwDBGrid;
class TwwDBLookupCombo;
class TwwIButton;

// One grid of the window with what stands above it.
struct TReferenceSection {
    TNetGradient* Header = nullptr;   // null on the currency page
    TDBNavigator* BrowseNavigator = nullptr;
    TDBNavigator* EditNavigator = nullptr;
    TwwDBGrid* Grid = nullptr;
};

class TFrmRefrences : public TForm {
    Q_OBJECT
public:
    TFrmRefrences();
    ~TFrmRefrences() override;

    TMainMenu* MainMenu1;
    TMenuItem* File1;
    TMenuItem* Exit1;
    TComponentCollector* ComponentCollector1;
    TRAStatusBar* StatusBar1;
    TPageControl* PageControlRefrence;
    TTabSheet* TabCurrency;
    TTabSheet* TabBank;
    TTabSheet* TabRefCommunications;
    TTabSheet* TabSetup;
    TTabSheet* TabIncomeExpenses;
    TTabSheet* TabCategory;

    TwwDBGrid* wwDBGrid2;
    TwwDBGrid* wwDBGrid5;
    TwwDBGrid* wwDBGrid4;
    TwwDBGrid* wwDBGrid13;
    TwwDBGrid* wwDBGrid3;
    TwwDBGrid* wwDBGrid12;
    TwwDBGrid* wwDBGrid6;
    TwwDBGrid* wwDBGrid16;
    TwwDBGrid* wwDBGrid15;
    TwwDBGrid* wwDBGrid11;
    TwwIButton* wwDBGrid5IButton;
    TwwIButton* wwIButton1;
    TDBNavigator* DBNavigatorConfig;
    // The in-cell editors that the reference tables' ControlType lines name.
    TwwDBLookupCombo* LupBanks;
    TwwDBLookupCombo* LupCards;
    TwwDBLookupCombo* LupCardType;

    const std::array<TReferenceSection, 10>& Sections() const { return sections_; }

    // Shows Page alone: the tabs of the pages are hidden.
    void ShowReferencePage(TTabSheet* page);

    void FormCreate(QObject* sender);
    void FormActivate(QObject* sender);
    void Exit1Click(QObject* sender);
    void wwDBGrid2CalcCellColors(QObject* sender, TField* field, TGridDrawState state, bool highlight, TFont& font,
                                 TBrush& brush);
    void wwDBGrid5IButtonClick(QObject* sender);
    void wwDBGrid3IButtonClick(QObject* sender);

private:
    void CreatePages();
    void CreateSetupPage();
    TwwIButton* IndicatorButton(TwwDBGrid* grid, const char* name);

    std::array<TReferenceSection, 10> sections_;
};

extern TFrmRefrences* FrmRefrences;

// The page that the main window's reference command of the given Tag shows:
// 11 banks, 22 communications, 33 income and expenses; any other (999) keeps
// every tab with the currency page in front.
void ShowReferencePageOfTag(TFrmRefrences& window, int tag);
