#pragma once
// What the multiple-entry, assets and payments dialogs share: their frames
// (the tool bar with its Auto Edit box and Close button; the header list and
// two pages), navigators in the two sets the tool bars use, grids on a field
// list, the tiled backgrounds and the colours of dated rows. The loans and
// recurring dialogs build their tool rows and grids with the same helpers.
#include "app/window_building.h"
#include "platform/ui/colors.h"
#include "platform/ui/db_navigator.h"
#include "platform/ui/form.h"
#include "platform/ui/resource_library.h"
#include <QRect>
#include <QString>
#include <initializer_list>
#include <span>

class QWidget;
class TButton;
class TCheckBox;
class TBrush;
class TDataSet;
class TDataSource;
class TFont;
class TPageControl;
class TPanel;
class TTabSheet;
class TTiledBitmap;
class TwwDBGrid;

inline const TButtonSet BrowseButtons{nbFirst, nbPrior, nbNext, nbLast};
inline const TButtonSet EditButtons{nbInsert, nbDelete, nbEdit, nbPost, nbCancel};

// A flat navigator at x on a tool row. The tables ask before they delete, so
// the navigator does not ask a second time.
TDBNavigator* MakeNavigator(QWidget* parent, const char* name, TDataSource* source, TButtonSet buttons, int x,
                            int y = 4);
TButton* MakeButton(QWidget* parent, const char* name, const QString& caption, const QRect& place);
// A grid showing columns ("Field\twidth\ttitle" lines) of source, deleting
// without its own question.
TwwDBGrid* MakeGrid(QWidget* parent, const char* name, TDataSource* source, std::span<const char* const> columns);

// The frame of the entry, loans and recurring dialogs: a tool bar along the
// top with the two navigators of the header table, "Auto Edit" and "Close".
class TEntryDialog : public TForm {
    Q_OBJECT
public:
    TPanel* ToolBar15;
    TDBNavigator* DBNavigator1;
    TDBNavigator* DBNavigator2;
    TPanel* Panel2;
    TCheckBox* CBoxBankTran;
    TButton* BitBtn1;

    virtual void CBoxBankTranClick(QObject* sender) = 0;

protected:
    TEntryDialog(const char* name, const QString& caption, int clientWidth, int clientHeight, TDataSource* header,
                 TButtonSet editButtons = EditButtons);

    // Closing gives up what was not posted.
    void DoClose(TCloseAction& action) override;
};

// The multiple-entry and assets dialogs: the headers listed on the left and
// two pages with a tiled background each; the header's edit navigator works
// on the first page only.
class TListAndPagesDialog : public TEntryDialog {
    Q_OBJECT
public:
    TwwDBGrid* wwDBGrid1;
    TPageControl* PageControl1;
    TTiledBitmap* TiledBitmap1;
    TTiledBitmap* TiledBitmap2;

    void PageControl1Change(QObject* sender);

protected:
    struct TPage {
        const char* Name;
        const char* Caption;
    };
    TListAndPagesDialog(const char* name, const QString& caption, TDataSource* header, const char* listColumn,
                        int listWidth, TPage first, TPage second);

    TTabSheet* const FirstPage;
    TTabSheet* const SecondPage;
};

// Loads "Back4" from the picture library into each background, loading the
// library into handle first when it is still 0.
void LoadBackgrounds(HINSTANCE& handle, std::initializer_list<TTiledBitmap*> backgrounds);

// A cell of a dialog's grid of dated rows: openColour while the row's date is
// empty or after the close date, the posted colour on or before it; a
// highlighted cell writes in black.
void PaintDatedRow(const TDataSet& rows, TColor openColour, bool highlight, TFont& font, TBrush& brush);
