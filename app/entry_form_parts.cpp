#include "app/entry_form_parts.h"
#include "app/grid_colours.h"
#include "app/pending_edits.h"
#include "data/adm1.h"
#include "grid/ww_db_grid.h"
#include "platform/db/field.h"
#include "platform/ui/buttons.h"
#include "platform/ui/containers.h"
#include "platform/ui/page_controls.h"
#include "platform/ui/standard_controls.h"
#include "widgets/tiled_bitmap.h"

namespace {

constexpr int ToolBarHeight = 33;
constexpr int NavigatorHeight = 25;
constexpr int NavigatorButtonWidth = 25;

} // namespace

TDBNavigator* MakeNavigator(QWidget* parent, const char* name, TDataSource* source, TButtonSet buttons, int x, int y)
{
    auto* navigator = Named(new TDBNavigator(parent), name);
    navigator->SetDataSource(source);
    navigator->SetVisibleButtons(buttons);
    navigator->SetFlat(true);
    navigator->SetShowHint(true);
    navigator->SetConfirmDelete(false);
    int count = 0;
    for (int button = nbFirst; button <= nbRefresh; ++button)
        count += buttons.Contains(static_cast<TNavigateBtn>(button)) ? 1 : 0;
    navigator->setGeometry(x, y, count * NavigatorButtonWidth, NavigatorHeight);
    return navigator;
}

TButton* MakeButton(QWidget* parent, const char* name, const QString& caption, const QRect& place)
{
    auto* button = Named(new TButton(parent), name);
    button->SetCaption(caption);
    button->setGeometry(place);
    return button;
}

TwwDBGrid* MakeGrid(QWidget* parent, const char* name, TDataSource* source, std::span<const char* const> columns)
{
    auto* grid = Named(new TwwDBGrid(parent), name);
    for (const char* column : columns)
        grid->Selected().Add(QString::fromLatin1(column));
    grid->SetUseTFields(false);
    grid->SetDataSource(source);
    return grid;
}

TEntryDialog::TEntryDialog(const char* name, const QString& caption, int clientWidth, int clientHeight,
                           TDataSource* header, TButtonSet editButtons)
{
    setObjectName(QString::fromLatin1(name));
    SetCaption(caption);
    SetDesignFont(QStringLiteral("MS Sans Serif"), -11);
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetPosition(TPosition::poScreenCenter);
    SetClientSize(clientWidth, clientHeight);

    ToolBar15 = Named(new TPanel(this), "ToolBar15");
    ToolBar15->resize(width(), ToolBarHeight);
    SetAlign(ToolBar15, TAlign::alTop);
    DBNavigator1 = MakeNavigator(ToolBar15, "DBNavigator1", header, BrowseButtons, 6);
    DBNavigator2 = MakeNavigator(ToolBar15, "DBNavigator2", header, editButtons, DBNavigator1->geometry().right() + 9);
    Panel2 = Named(new TPanel(ToolBar15), "Panel2");
    Panel2->SetBevelOuter(TPanelBevel::bvNone);
    Panel2->setGeometry(DBNavigator2->geometry().right() + 13, 4, 90, NavigatorHeight);
    CBoxBankTran = Named(new TCheckBox(Panel2), "CBoxBankTran");
    CBoxBankTran->SetCaption(QStringLiteral("Auto Edit"));
    CBoxBankTran->setGeometry(6, 4, 80, 17);
    CBoxBankTran->OnClick = [this](QObject* sender) { CBoxBankTranClick(sender); };
    BitBtn1 = MakeButton(ToolBar15, "BitBtn1", QStringLiteral("Close"), QRect(width() - 86, 4, 80, NavigatorHeight));
    BitBtn1->OnClick = [this](QObject*) { Close(); };
}

void TEntryDialog::DoClose(TCloseAction& action)
{
    TForm::DoClose(action);
    if (action != TCloseAction::caNone)
        CancelPendingEdits(*this);
}

TListAndPagesDialog::TListAndPagesDialog(const char* name, const QString& caption, TDataSource* header,
                                         const char* listColumn, int listWidth, TPage first, TPage second)
    : TEntryDialog(name, caption, 720, 440, header),
      wwDBGrid1(MakeGrid(this, "wwDBGrid1", header, std::span<const char* const>(&listColumn, 1))),
      PageControl1(Named(new TPageControl(this), "PageControl1")),
      FirstPage(Named(new TTabSheet(PageControl1, QString::fromLatin1(first.Caption)), first.Name)),
      SecondPage(Named(new TTabSheet(PageControl1, QString::fromLatin1(second.Caption)), second.Name))
{
    wwDBGrid1->resize(listWidth, wwDBGrid1->height());
    SetAlign(wwDBGrid1, TAlign::alLeft);
    SetAlign(PageControl1, TAlign::alClient);
    PageControl1->OnChange = [this](QObject* sender) { PageControl1Change(sender); };
    TiledBitmap1 = Named(new TTiledBitmap(FirstPage), "TiledBitmap1");
    TiledBitmap2 = Named(new TTiledBitmap(SecondPage), "TiledBitmap2");
}

void TListAndPagesDialog::PageControl1Change(QObject*)
{
    DBNavigator2->setEnabled(PageControl1->ActivePage() == FirstPage);
}

void LoadBackgrounds(HINSTANCE& handle, std::initializer_list<TTiledBitmap*> backgrounds)
{
    if (handle == 0)
        handle = LoadLibrary(QStringLiteral("KeldDll1.dll"));
    for (TTiledBitmap* background : backgrounds) {
        background->SetBitMap(LoadBitmap(handle, QStringLiteral("Back4")));
        SetAlign(background, TAlign::alClient);
        background->lower();
    }
}

void PaintDatedRow(const TDataSet& rows, TColor openColour, bool highlight, TFont& font, TBrush& brush)
{
    if (highlight)
        font.SetColor(clBlack);
    const TField* date = rows.FieldByName(QStringLiteral("TransactionDate"));
    const bool open = date->IsNull() || date->AsDateTime() > ADm1->CurrentCloseDate;
    brush.Color = open ? openColour : GridColorPosted;
}
