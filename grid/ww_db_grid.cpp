#include "grid/ww_db_grid.h"
#include "dataset/property_reflection.h"
#include "dataset/mask_settings.h"
#include "dataset/control_type_settings.h"
#include "grid/borrowed_control.h"
#include "grid/pixel_lines.h"
#include "grid/scoped_assign.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/rtl/presenter.h"

TwwDBGrid::TwwDBGrid(QWidget* parent) : TwwCustomDBGrid(parent) {}

TwwDBGrid::~TwwDBGrid()
{
    // The borrowed controls go back to their forms before the grid's
    // children (they among them) are destroyed.
    ReleaseCellControls();
}

void TwwDBGrid::SetFixedCols(int count)
{
    frozenCols_ = count;
    LayoutChanged();
}

void TwwDBGrid::LinkActive(bool active)
{
    if (!active) {
        ReleaseCellControls();
        selectedList_.clear();
    }
    TwwCustomDBGrid::LinkActive(active);
    if (active) CheckDataSet();
}

void TwwDBGrid::CheckDataSet()
{
    TDataSet* dataSet = DataSet();
    if (checkingDataSet_ || !dataSet) return;
    const TScopedAssign checking(checkingDataSet_, true);
    if (!IsWwDataSet(dataSet)) {
        MessageDlg(QStringLiteral("wwGrid must use an Vantrel compatible TDataSet."), TMsgDlgType::mtInformation,
                   mbOK);
        SetDataSource(nullptr);
        return;
    }
    RemoveDefinitionsOfMissingFields(dataSet, GetDataSetLookupFields(dataSet), GetDataSetLookupLinks(dataSet),
                                     GetDataSetControlType(dataSet));
    PrepareCellControls();
    if (Selected().Count() == 0) return;
    bool hasCalculated = false;
    for (int i = 0; i < dataSet->FieldCount(); ++i) hasCalculated = hasCalculated || dataSet->Fields(i)->Calculated();
    if (hasCalculated) return;
    if (UseTFields())
        ApplySelectedToFields(*dataSet, Selected());
    else
        LayoutChanged();
}

void TwwDBGrid::SetColumnAttributes()
{
    const int fixed = IndicatorOffset() + frozenCols_;
    if (frozenCols_ >= 0 && fixed < ColCount() && fixed != TCustomGrid::FixedCols() && DataSet()
        && DataSet()->Active())
        TCustomGrid::SetFixedCols(fixed);
    TwwCustomDBGrid::SetColumnAttributes();
}

TColor TwwDBGrid::GetFieldColor(int col) const
{
    return col < IndicatorOffset() + frozenCols_ ? TitleColor() : Color();
}

void TwwDBGrid::DrawCell(int col, int row, const QRect& rect, TGridDrawState state)
{
    TwwCustomDBGrid::DrawCell(col, row, rect, state);
    if (DefaultDrawing() && !CellDrewOwnEdge()) DrawCellLines(col, row, rect, state);
}

// The edges of a data cell: a highlight line at the top and left and a shadow
// line at the bottom and right, as far as the grid's lines are on; a white
// cell on a white grid keeps a flat look. Fixed cells have the base grid's
// raised edge between its black lines.
void TwwDBGrid::DrawCellLines(int col, int row, const QRect& rect, TGridDrawState state)
{
    const bool fixed = state & gdFixed;
    const bool whiteGrid = ColorToRGB(Color()) == clWhite;
    const bool highlighted = (state & gdSelected) && !fixed;
    const bool rowLines = Options() & dgRowLines;
    TCanvas& canvas = Canvas();
    const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    // Without row lines the corner button's lower edge is drawn by the
    // indicator cell below it, which takes no other line.
    if (!rowLines && IndicatorButton() && col == 0 && IndicatorOffset() && row == TitleOffset()) {
        PixelLine(canvas, clBtnHighlight, l, t, r, t);
        PixelLine(canvas, clBtnShadow, l, t - 1, r, t - 1);
        return;
    }
    if (fixed && (TCustomGrid::Options() & (goFixedVertLine | goFixedHorzLine))) return;
    if (!fixed && whiteGrid && (LastBrushWasWhite() || highlighted)) return;
    const bool colLines = Options() & dgColLines;
    const bool titleCell = row < TitleOffset();
    const TColor farLine = fixed ? clBlack : clBtnShadow;
    if (colLines) {
        if (!rowLines) {
            PixelLine(canvas, clBtnHighlight, l, t, l, b);
            if (col >= IndicatorOffset()) PixelLine(canvas, clBtnShadow, r, t, r, b);
        } else if (LastBrushWasWhite() && !fixed) {
            PixelLine(canvas, clBtnHighlight, l, t, l, b);
        } else {
            if (!FocusRectDrawn()) PixelLine(canvas, clBtnHighlight, l, t, l, b);
            PixelLine(canvas, farLine, r, t, r, b);
        }
    }
    if (!rowLines) {
        if (titleCell) {
            if (whiteGrid) PixelLine(canvas, clBlack, l, b - 1, r, b - 1);
            PixelLine(canvas, clBtnHighlight, l, t, r, t);
        }
    } else if (LastBrushWasWhite() && !fixed) {
        PixelLine(canvas, clBtnHighlight, l, t, r, t);
    } else {
        if (!FocusRectDrawn()) PixelLine(canvas, clBtnHighlight, l, t, r, t);
        PixelLine(canvas, farLine, l, b, r, b);
    }
}
