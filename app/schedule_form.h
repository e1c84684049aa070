#pragma once
// The frame that the loans and the recurring transactions dialogs share: a
// list of headers on the left, the header's details on one page and its
// monthly schedule on the other, and the handlers that keep the finish date,
// create the schedule, approve the header and transfer its open lines. What
// differs between the two (tables, texts, amounts, accounts) comes from the
// derived dialog.
#include "app/entry_form_parts.h"
#include "data/schedules.h"
#include "grid/ww_grid_types.h"
#include "platform/rtl/datetime.h"
#include "platform/ui/colors.h"
#include "platform/ui/db_navigator.h"
#include "platform/ui/form.h"
#include "platform/ui/page_controls.h"
#include <QString>
#include <memory>
#include <span>
#include <vector>

class TADm1;
class TCheckBox;
class TDBRadioGroup;
class TDataSource;
class TField;
class TLabel;
class TPanel;
class TQuery;
class TRAStatusBar;
class TTiledBitmap;
class TDBEdit;
class TwwDBGrid;
class TwwDBLookupCombo;
class TwwDataSource;
class TwwTable;
class TButton;
struct THeaderTable;

// The dates of count monthly lines from start. From the start month the first
// line is the start date itself and line k (from 0) falls k months on less a
// day; otherwise line k falls k + 1 months on less a day. ERangeError for a
// start outside the day-number calendar.
std::vector<TDateTime> ScheduleDates(TDateTime start, int count, bool fromStartMonth);

// What one schedule dialog names differently.
struct TScheduleFormSpec {
    const char* Name;               // "FrmLoans"
    const char* Caption;
    const THeaderTable* Rules;
    TwwTable* TADm1::*Header;
    TwwDataSource* TADm1::*HeaderSource;
    TwwTable* TADm1::*Lines;
    TwwDataSource* TADm1::*LinesSource;
    const char* HeaderColumn;       // the list's one Selected line
    std::span<const char* const> LineColumns;
    const char* DetailsPage;        // "TabLoanDetails"
    const char* DetailsCaption;
    const char* SchedulePage;
    const char* ScheduleCaption;
    const char* DetailsLabel;       // " Loan Description"
    const char* TotalField;         // "TotalPaybackAmount"
    const char* TotalLabel;
    const char* RePaymentCaption;
    const char* ApproveCaption;
    const char* ReplaceQuestion;    // asked before the schedule is made again
    const char* StartMonthQuestion;
    const char* TargetIntro;        // "Loan will be posted against "
    const char* ApproveQuestion;    // the rest of the approval text, after a CR
    const char* TransferRefusal;
    const TColor* OpenLineColour;   // the colour of lines not yet posted
};

class TScheduleForm : public TEntryDialog {
    Q_OBJECT
public:
    ~TScheduleForm() override;

    TwwDBGrid* wwDBGrid1;
    TRAStatusBar* StatusBar1;
    TPageControl* PageControl1;
    TTabSheet* DetailsSheet;
    TTabSheet* ScheduleSheet;
    TTiledBitmap* TiledBitmap1;
    TTiledBitmap* TiledBitmap2;
    TDBEdit* DBEdit1;
    TDBEdit* DBEdit3;
    TDBEdit* DBEdit4;
    TDBEdit* DBEdit9;
    TDBEdit* DBEdit7;
    TDBRadioGroup* DBRadioGroup1;
    TButton* BtnRePayment;
    TButton* BtnApprove;
    TwwDBGrid* wwDBGrid2;
    TDBEdit* DBEdit8;
    TButton* BtnTransfer;
    TDBNavigator* DBNavigator3;
    TDBNavigator* DBNavigator4;
    // Runs the transfer's delete; made in FormCreate on the header's
    // database and freed in FormDestroy.
    TQuery* Query = nullptr;

    void FormCreate(QObject* sender);
    void FormDestroy(QObject* sender);
    void CBoxBankTranClick(QObject* sender) override;
    void DBEdit9Change(QObject* sender);
    void DBNavigator2Click(QObject* sender, TNavigateBtn button);
    void UpdateFinishDate();
    void UpdateApproveButtons();
    void PageControl1Change(QObject* sender);
    void BtnRePaymentClick(QObject* sender);
    void BtnApproveClick(QObject* sender);
    void BtnTransferClick(QObject* sender);
    void wwDBGrid2CalcCellColors(QObject* sender, TField* field, TGridDrawState state, bool highlight, TFont& font,
                                 TBrush& brush);

protected:
    explicit TScheduleForm(const TScheduleFormSpec& spec);

    TwwTable& Header() const;
    TwwTable& Lines() const;
    QString HeaderText(const char* field) const;
    // The description of code in lookup's table, found by its code whatever
    // row the table stands on; empty for a code it does not hold.
    static QString Describe(TwwTable* lookup, const char* codeField, const QString& code, const char* field);
    // A labelled edit on the header (or, with lines, on the schedule).
    TDBEdit* AddEdit(QWidget* page, const char* name, const char* field, const char* caption, int x, int y,
                       int width, bool lines = false);
    TwwDBLookupCombo* AddLookup(QWidget* page, const char* name, const char* field, TwwTable* table,
                                const char* lookupField, std::span<const char* const> columns);
    TLabel* AddLabel(QWidget* page, const char* name, const char* caption, int x, int y);
    // Where the second column of labelled edits and the type's controls go.
    static constexpr int SecondColumn = 240;
    static constexpr int AccountTop = 168;

    // The amount of each line of a new schedule.
    virtual double Instalment() const = 0;
    // Checks the accounts that the header's type needs (a box and the silent
    // abort for a missing one) and names them: "Bank Account : "..., or
    // empty for a type with no account.
    virtual QString ApprovalTarget() const = 0;
    // The table the lines go to, for the header's type.
    virtual TTransferTarget TransferTarget() const = 0;
    // Fits the account controls to the header's type.
    virtual void DBRadioGroup1Change(QObject* sender) = 0;

    const TScheduleFormSpec& spec_;

private:
    std::unique_ptr<TQuery> query_;

    void CreateFrame();
    void CreateDetailsPage();
    void CreateSchedulePage();
};
