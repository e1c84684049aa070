#include "app/assets_form.h"
#include "app/tab_order.h"
#include "app/entry_form_parts.h"
#include "app/grid_colours.h"
#include "app/grid_record_controls.h"
#include "app/main_menu.h"
#include "data/adm1.h"
#include "data/adm3.h"
#include "dataset/ww_data_source.h"
#include "dataset/ww_table.h"
#include "grid/ww_db_edit.h"
#include "grid/ww_db_grid.h"
#include "platform/db/field.h"
#include "platform/ui/buttons.h"
#include "platform/ui/containers.h"
#include "platform/ui/db_controls.h"
#include "platform/ui/page_controls.h"
#include "platform/ui/standard_controls.h"
#include "widgets/tiled_bitmap.h"

TFrmAssets* FrmAssets = nullptr;

namespace {

// The picture library as this dialog loaded it; kept for the rest of the run.
HINSTANCE AssetsLibraryHandle = 0;

constexpr const char* AmountColumns[] = {"TransactionDate\t11\tDate", "AssetAmount\t10\tAssetAmount"};

TLabel* PageLabel(QWidget* page, const char* name, const char* caption, int y)
{
    auto* label = Named(new TLabel(page), name);
    label->SetCaption(QString::fromLatin1(caption));
    label->SetTransparent(true);
    label->setGeometry(8, y + 3, 110, 16);
    return label;
}

} // namespace

TFrmAssets::TFrmAssets()
    : TListAndPagesDialog("FrmAssets", QStringLiteral("Assets Transactions"), ADm3->DsAsset1a,
                          "AssetDesc\t50\tAssetDesc", 250, {"TabLoanDetails", "Asset Details"},
                          {"TabLoanPayment", "Asset Schedule"})
{
    FrmAssets = this;
    // The asset's own fields: its description and its notes.
    LblAssetDesc = PageLabel(TabLoanDetails, "LblAssetDesc", " Asset Description", 12);
    DBEdit1 = Named(new TwwDBEdit(TabLoanDetails), "DBEdit1");
    DBEdit1->setGeometry(120, 12, 300, 21);
    DBEdit1->SetDataSource(ADm3->DsAsset1a);
    DBEdit1->SetDataField(QStringLiteral("AssetDesc"));
    LblNotes = PageLabel(TabLoanDetails, "LblNotes", " Notes", 42);
    DBMemo1 = Named(new TDBMemo(TabLoanDetails), "DBMemo1");
    DBMemo1->setGeometry(120, 42, 300, 200);
    DBMemo1->SetDataSource(ADm3->DsAsset1a);
    DBMemo1->SetDataField(QStringLiteral("Notes"));
    // They fill in an asset inserted in the list beside them.
    KeepNewRecordForItsControls(*wwDBGrid1);

    TwwDataSource* amounts = ADm3->DsAsset1b;
    DBNavigator3 = MakeNavigator(TabLoanPayment, "DBNavigator3", amounts, BrowseButtons, 8, 8);
    DBNavigator4 = MakeNavigator(TabLoanPayment, "DBNavigator4", amounts, EditButtons,
                                 DBNavigator3->geometry().right() + 9, 8);
    wwDBGrid2 = MakeGrid(TabLoanPayment, "wwDBGrid2", amounts, AmountColumns);
    wwDBGrid2->setGeometry(8, 40, 260, 330);
    wwDBGrid2->SetTitleAlignment(taCenter);
    wwDBGrid2->OnCalcCellColors = [this](QObject* sender, TField* field, TGridDrawState state, bool highlight,
                                         TFont& font, TBrush& brush) {
        wwDBGrid2CalcCellColors(sender, field, state, highlight, font, brush);
    };

    OnCreate = [this](QObject* sender) { FormCreate(sender); };
    DoCreate();
    SetTabOrderByPosition(*this);
}

TFrmAssets::~TFrmAssets()
{
    DoDestroy();
    if (FrmAssets == this)
        FrmAssets = nullptr;
}

void TFrmAssets::FormCreate(QObject*)
{
    LoadBackgrounds(AssetsLibraryHandle, {TiledBitmap1, TiledBitmap2});
    ADm3->TblAsset1a->Open();
    ADm3->TblAsset1b->Open();
    PageControl1->SetActivePage(TabLoanDetails);
}

void TFrmAssets::CBoxBankTranClick(QObject*)
{
    const bool autoEdit = CBoxBankTran->Checked();
    ADm3->DsAsset1a->SetAutoEdit(autoEdit);
    ADm3->DsAsset1b->SetAutoEdit(autoEdit);
    if (FrmMainMenu) {
        FrmMainMenu->SetAutoEditButtons(DBNavigator2, autoEdit);
        FrmMainMenu->SetAutoEditButtons(DBNavigator4, autoEdit);
    }
}

void TFrmAssets::wwDBGrid2CalcCellColors(QObject*, TField*, TGridDrawState, bool highlight, TFont& font,
                                   TBrush& brush)
{
    PaintDatedRow(*ADm3->TblAsset1b, GridColorLoan, highlight, font, brush);
}
