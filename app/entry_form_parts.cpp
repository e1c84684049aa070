#include "app/entry_form_parts.h"
#include "app/grid_colours.h"
#include "data/adm1.h"
#include "grid/ww_db_grid.h"
#include "platform/db/field.h"
#include "platform/ui/buttons.h"
#include "platform/ui/containers.h"
#include "platform/ui/form.h"
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
    grid->SetOptions(grid->Options() & ~dgConfirmDelete);
    grid->SetDataSource(source);
    return grid;
}

TEntryToolBar MakeEntryToolBar(TForm& form, TDataSource* source, TButtonSet editButtons)
{
    TEntryToolBar bar{};
    bar.ToolBar15 = Named(new TPanel(&form), "ToolBar15");
    bar.ToolBar15->resize(form.width(), ToolBarHeight);
    SetAlign(bar.ToolBar15, TAlign::alTop);
    bar.DBNavigator1 = MakeNavigator(bar.ToolBar15, "DBNavigator1", source, BrowseButtons, 6);
    bar.DBNavigator2 =
        MakeNavigator(bar.ToolBar15, "DBNavigator2", source, editButtons, bar.DBNavigator1->geometry().right() + 9);
    bar.Panel2 = Named(new TPanel(bar.ToolBar15), "Panel2");
    bar.Panel2->SetBevelOuter(TPanelBevel::bvNone);
    bar.Panel2->setGeometry(bar.DBNavigator2->geometry().right() + 13, 4, 90, NavigatorHeight);
    bar.CBoxBankTran = Named(new TCheckBox(bar.Panel2), "CBoxBankTran");
    bar.CBoxBankTran->SetCaption(QStringLiteral("Auto Edit"));
    bar.CBoxBankTran->setGeometry(6, 4, 80, 17);
    bar.BitBtn1 = MakeButton(bar.ToolBar15, "BitBtn1", QStringLiteral("Close"),
                             QRect(form.width() - 86, 4, 80, NavigatorHeight));
    bar.BitBtn1->OnClick = [&form](QObject*) { form.Close(); };
    return bar;
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
