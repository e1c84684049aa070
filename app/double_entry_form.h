#pragma once
// The multiple-entry dialog: a header names a set of account lines (bank,
// income, communication or expense, each on its debit or credit side) and a
// set of dated amounts; once approved, every dated amount after the close date
// is posted to every account line.
#include "app/entry_form_parts.h"
#include "app/line_accounts.h"
#include "grid/ww_grid_types.h"
#include <QRect>
#include <memory>
#include <span>

class TButton;
class TCheckBox;
class TDBRadioGroup;
class TField;
class TLabel;
class TPageControl;
class TPanel;
class TQuery;
class TTabSheet;
class TTiledBitmap;
class TwwTable;
class TwwDBGrid;
class TwwDBLookupCombo;

class TFrmDoubleEntry : public TListAndPagesDialog, public TLineAccounts {
    Q_OBJECT
public:
    TFrmDoubleEntry();
    ~TFrmDoubleEntry() override;

    TTabSheet* const TabRecurDetails = FirstPage;
    TTabSheet* const TabRecurPayment = SecondPage;
    // Account lines.
    TwwDBGrid* wwDBGrid3;
    TDBNavigator* DBNavigator5;
    TDBNavigator* DBNavigator6;
    TDBRadioGroup* DBRadioGroup1;
    TDBRadioGroup* DBRadioGroup2;
    TButton* BtnApprove;
    // Dated amounts.
    TwwDBGrid* wwDBGrid2;
    TDBNavigator* DBNavigator3;
    TDBNavigator* DBNavigator4;
    TButton* BtnTransfer;

    void FormCreate(QObject* sender);
    void FormDestroy(QObject* sender);
    void DBRadioGroup1Change(QObject* sender);
    void CBoxBankTranClick(QObject* sender) override;
    void UpdateApproveButtons();
    void BtnApproveClick(QObject* sender);
    void BtnTransferClick(QObject* sender);
    void wwDBGrid2CalcCellColors(QObject* sender, TField* field, TGridDrawState state, bool highlight, TFont& font,
                                 TBrush& brush);

private:
    void CreateAccountPage();
    void CreateAmountPage();

    // Runs the transfer's deletes; made in FormCreate on the header's database.
    std::unique_ptr<TQuery> query_;
};

extern TFrmDoubleEntry* FrmDoubleEntry;
