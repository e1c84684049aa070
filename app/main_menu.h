#pragma once
// The application's main window: the tool bar, the menus, the status bar with
// its progress bar, and the pages of bank, communication, income and expense
// transactions, reports and the chart. Closing it ends the program.
#include "app/grid_colours.h"
#include "app/modal_launcher.h"
#include "app/transaction_page.h"
#include "grid/ww_grid_types.h"
#include "platform/ui/form.h"
#include "platform/rtl/component.h"
#include "platform/ui/resource_library.h"
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <span>

class QProgressBar;
class TChartPage;
class TCheckBox;
class TComponentCollector;
class TCoolBar;
class TDBNavigator;
class TDataSource;
class TField;
class TImageList;
class TLabel;
class TMainMenu;
class TMenuItem;
class TPageControl;
class TPanel;
class TPopupMenu;
class TRAStatusBar;
class TReportPage;
class TSpeedButton;
class TTabSheet;
class TTiledBitmap;
class TToolBar;
class TToolButton;
class TwwDBGrid;
class TwwDBLookupCombo;
class TwwDataSource;
class TwwTable;

// Module handle of the resource library of pictures; 0 until loaded.
extern HINSTANCE ResourceLibraryHandle;
// The Tag of the menu item that opened the payments window (11 or 22).
extern int PaymentPageTag;

class TFrmMainMenu : public TForm {
    Q_OBJECT
public:
    TFrmMainMenu();
    ~TFrmMainMenu() override;

    // ---- Frame.
    TMainMenu* MainMenu1;
    TCoolBar* CoolBar1;
    TToolBar* ToolbarMain;
    TImageList* ImageList1;
    TToolButton* SpdBtnDatabaseImport;
    TToolButton* SpdBtnTableEvents;
    TToolButton* SpdBtnGenerateSource;
    TToolButton* ToolButton4;
    TToolButton* SpeedButton3;
    TPopupMenu* PopupMenu1;
    TPageControl* PageControlMain;
    TTabSheet* TabTransactions;
    TTabSheet* TabReports;
    TTabSheet* TabChart;
    TPanel* PanelReports;
    TTiledBitmap* TiledBitmap5;
    TRAStatusBar* StatusBar1;
    QProgressBar* ProgressBar1;
    TComponentCollector* ComponentCollector1;

    // ---- Menus.
    TMenuItem* File1;
    TMenuItem* Exit1;
    TMenuItem* Options1;
    TMenuItem* RefrenceLibrary1;
    TMenuItem* Banks1;
    TMenuItem* Communications1;
    TMenuItem* IncomeExpenses1;
    TMenuItem* AllRefrences1;
    TMenuItem* Loans1;
    TMenuItem* RecurringTransactions1;
    TMenuItem* MultipleEntryTransactions1;
    TMenuItem* AssetTransactions1;
    TMenuItem* CommunicationPayments1;
    TMenuItem* BankActualBalances1;
    TMenuItem* CloseCurrentPeriod1;
    TMenuItem* ProcessingForReports1;
    TMenuItem* EmptyAllTransactionFiles1;
    TMenuItem* Preferences1;
    TMenuItem* View1;
    TMenuItem* MnuShowToolBar;
    TMenuItem* MnuFlatButtons;
    TMenuItem* MnuViewCalendar;
    TMenuItem* MnuViewLegend;
    TMenuItem* MnuViewChart;
    TMenuItem* MnuFilterOptions;
    TMenuItem* Help1;
    TMenuItem* Index1;
    TMenuItem* Contents1;
    TMenuItem* Tutorial1;
    TMenuItem* About1;

    // ---- Transaction pages.
    TPageControl* PageControl2;
    TTabSheet* TabBankAccounts;
    TTabSheet* TabCommunications;
    TTabSheet* TabIncome;
    TTabSheet* TabExpense;
    TTabSheet* TabScratchPad;
    TTiledBitmap* TiledBitmap1;
    TTiledBitmap* TiledBitmap2;
    TTiledBitmap* TiledBitmap3;
    TTiledBitmap* TiledBitmap4;
    TwwDBGrid* wwDBGrid14;
    TwwDBGrid* wwDBGrid10;
    TwwDBGrid* wwDBGrid17;
    TwwDBGrid* wwDBGrid18;
    TDBNavigator* DBNavigator26;
    TDBNavigator* DBNavigator27;
    TDBNavigator* DBNavigator1;
    TDBNavigator* DBNavigator2;
    TDBNavigator* DBNavigator32;
    TDBNavigator* DBNavigator33;
    TDBNavigator* DBNavigator34;
    TDBNavigator* DBNavigator35;
    TCheckBox* CBoxBankTran;
    TCheckBox* CBoxTelTran;
    TCheckBox* CBoxIncome;
    TCheckBox* CBoxExpense;
    TLabel* LblBankAccount;
    TLabel* LblComAccount;
    TwwDBLookupCombo* wwDbLupEditBankAccount;
    TwwDBLookupCombo* wwDbLupEditComAccount;
    TSpeedButton* SpeedButton4;
    TSpeedButton* SpeedButton1;

    // The account pickers' own copies of the bank and communication accounts.
    TwwTable* TblLocalTelCom;
    TwwDataSource* DsLocalTelCom;
    TwwTable* TblLocalBankAccnt;
    TwwDataSource* DsLocalBankAccnt;

    // ---- The report and chart pages.
    std::unique_ptr<TReportPage> ReportPage;
    std::unique_ptr<TChartPage> ChartPage;

    // ---- The windows the menus open modally; a launcher without a window opens nothing.
    TModalLauncher LoansLauncher;
    TModalLauncher RecurLauncher;
    TModalLauncher DoubleEntryLauncher;
    TModalLauncher AssetsLauncher;
    TModalLauncher TelPaymentLauncher;
    TModalLauncher RefrencesLauncher;
    TModalLauncher ClosePeriodLauncher;

    // ---- Operations other windows call.
    void LoadGridColours();
    // With AutoEdit the navigator leaves out its Edit button (typing edits).
    void SetAutoEditButtons(TDBNavigator* Navigator, bool AutoEdit);
    void SetTransactionFilter(bool Active);
    // Reopens the account pickers' tables, so that accounts added or changed
    // in the reference window can be chosen at once.
    void RefreshAccountPickers();
    // Opens a modal window over the transaction pages, whose tables it
    // shares: the rows being typed on them are posted first (a transfer must
    // not meet them half-typed); a row refused keeps the window shut and
    // stands in front, on its page, with the box that says why. However the
    // window ends, failures included, the pages then show what the user
    // chose again: the pickers list the accounts as they now stand, and the
    // bank and communication pages show the accounts they showed before,
    // whichever accounts the window's controls moved to, in the colours the
    // rows now have.
    void OpenModal(const TModalLauncher& launcher, int tag = 0);

    const std::array<TTransactionPage, 4>& TransactionPages() const { return pages_; }

    // ---- Event handlers.
    void FormCreate(QObject* sender);
    // The progress bar reaches from its panel to the status bar's right edge.
    void FormResize(QObject* sender);
    void PageControlMainChange(QObject* sender);
    void PageControl2Change(QObject* sender);
    void SpeedButton4Click(QObject* sender);
    void SpeedButton1Click(QObject* sender);
    void AutoEditClick(QObject* sender);
    void TransactionCalcCellColors(QObject* sender, TField* field, TGridDrawState state, bool highlight, TFont& font,
                                   TBrush& brush);
    void TransactionTitleButtonClick(QObject* sender, const QString& fieldName);
    void TransactionCalcTitleAttributes(QObject* sender, const QString& fieldName, TFont& font, TBrush& brush,
                                        TAlignment& alignment);
    void MnuShowToolBarClick(QObject* sender);
    void MnuFlatButtonsClick(QObject* sender);
    void MnuViewChartClick(QObject* sender);
    void MnuFilterOptionsClick(QObject* sender);
    void MnuViewLegendClick(QObject* sender);
    void MnuViewCalendarClick(QObject* sender);
    void Preferences1Click(QObject* sender);
    void SpdBtnGenerateSourceClick(QObject* sender);
    void ToolButton4Click(QObject* sender);
    void Exit1Click(QObject* sender);
    void About1Click(QObject* sender);
    void RefrenceClick(QObject* sender);
    void PaymentsClick(QObject* sender);
    void EmptyAllTransactionFiles1Click(QObject* sender);

private:
    void CreateFrame();
    void CreateToolBar();
    void CreateMenus();
    void CreateStatusBar();
    void CreateTransactionPages();
    void CreateAccountPickers();
    void PostTransactionPages();
    void RestoreTransactionPages();
    // Lines up a page's navigators and Auto Edit box from left onwards.
    static void PlaceEditingControls(TTransactionPage& page, int left);
    TTransactionPage* PageOfGrid(const QObject* grid);
    TTransactionPage* PageOfAutoEditBox(const QObject* box);

    std::array<TTransactionPage, 4> pages_;
    // Owns the account pickers' local tables and their data sources.
    TComponent localData_;
    // The state SetTransactionFilter last set, taken by a transaction table
    // that opens later, when its account is first chosen.
    bool transactionFilter_ = false;
};

extern TFrmMainMenu* FrmMainMenu;
