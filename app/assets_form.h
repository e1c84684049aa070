#pragma once
// The assets dialog: asset headers listed on the left, an asset's description
// and notes on one page and its dated amounts on the other. Nothing of an
// asset is posted into the transaction tables.
#include "app/entry_form_parts.h"
#include "grid/ww_grid_types.h"

class TButton;
class TCheckBox;
class TDBMemo;
class TDBNavigator;
class TField;
class TLabel;
class TPageControl;
class TPanel;
class TTabSheet;
class TTiledBitmap;
class TwwDBEdit;
class TwwDBGrid;

class TFrmAssets : public TListAndPagesDialog {
    Q_OBJECT
public:
    TFrmAssets();
    ~TFrmAssets() override;

    TTabSheet* const TabLoanDetails = FirstPage;
    TTabSheet* const TabLoanPayment = SecondPage;
    // The asset's own fields.
    TLabel* LblAssetDesc;
    TwwDBEdit* DBEdit1;
    TLabel* LblNotes;
    TDBMemo* DBMemo1;
    // Its dated amounts.
    TwwDBGrid* wwDBGrid2;
    TDBNavigator* DBNavigator3;
    TDBNavigator* DBNavigator4;

    void FormCreate(QObject* sender);
    void CBoxBankTranClick(QObject* sender) override;
    void wwDBGrid2CalcCellColors(QObject* sender, TField* field, TGridDrawState state, bool highlight, TFont& font,
                                 TBrush& brush);
};

extern TFrmAssets* FrmAssets;
