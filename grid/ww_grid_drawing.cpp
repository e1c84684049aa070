// TwwCustomDBGrid: drawing titles, the indicator column and data cells, and
// the title buttons.
#include "dataset/property_reflection.h"
#include "dataset/mask_settings.h"
#include "dataset/control_type_settings.h"
#include "grid/picture_cell.h"
#include "grid/pixel_lines.h"
#include "grid/selected_line.h"
#include "grid/word_wrap.h"
#include "grid/ww_custom_db_grid.h"
#include "platform/db/field.h"
#include <QFontMetrics>
#include <cmath>

namespace {

// Text margins inside a cell.
constexpr int TextMargin = 3;
constexpr int DataTextTop = 2;

int AlignedX(const QRect& rect, int textWidth, TAlignment alignment, int margin)
{
    switch (alignment) {
    case taRightJustify: return rect.left() + rect.width() - textWidth - margin;
    case taCenter: return rect.left() + rect.width() / 2 - textWidth / 2;
    case taLeftJustify: break;
    }
    return rect.left() + margin;
}

} // namespace

// The base grid gives every fixed cell a raised edge after its drawing; a
// pressed title button gets its sunken edge back.
void TwwCustomDBGrid::Paint()
{
    TCustomGrid::Paint();
    if (!titleButtons_ || !titleOffset_ || pressedTitleCol_ < 0 || pressedTitleCol_ >= ColCount()) return;
    const QRect rect = CellRect(pressedTitleCol_, 0);
    if (!rect.isEmpty()) DrawButtonEdge(Canvas(), rect, true);
}

void TwwCustomDBGrid::DrawCell(int col, int row, const QRect& rect, TGridDrawState state)
{
    ownEdge_ = false;
    focusDrawn_ = false;
    TCanvas& canvas = Canvas();
    const bool fixed = state & gdFixed;
    canvas.Font.Assign(fixed ? titleFont_ : Font());
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = fixed ? titleColor_ : GetFieldColor(col);
    if (DrawControlCell(col, row, rect, state)) return;

    const int dataCol = col - indicatorOffset_;
    const int dataRow = row - titleOffset_;
    if (dataRow < 0) {
        DrawTitleCell(dataCol, rect, state);
    } else if (!link_.Active()) {
        canvas.FillRect(rect);
    } else if (dataCol < 0) {
        DrawIndicatorCell(dataRow, rect);
    } else {
        DrawDataCell(dataCol, dataRow, rect, state);
    }
}

void TwwCustomDBGrid::DrawTitleCell(int dataCol, const QRect& rect, TGridDrawState)
{
    TCanvas& canvas = Canvas();
    const TField* field = dataCol >= 0 ? GetColField(dataCol) : nullptr;
    // With its data set closed the grid still names the columns its Selected list lays out.
    if (!field && !useTFields_ && dataCol >= 0 && dataCol < selected_.Count()) {
        DrawTitleText(rect, dataCol, TSelectedLine::Parse(selected_[dataCol]).Title, titleAlignment_);
        return;
    }
    if (!field) {
        canvas.FillRect(rect);
        if (titleButtons_ && dataCol >= 0) {
            DrawButtonEdge(canvas, rect, false);
            ownEdge_ = true;
        }
        return;
    }
    QString title = field->DisplayLabel();
    if (!useTFields_) {
        int index = -1;
        if (FindSelectedLine(&selected_, field->FieldName(), index))
            title = TSelectedLine::Parse(selected_[index]).Title;
    }
    TAlignment alignment = titleAlignment_;
    DoCalcTitleAttributes(field->FieldName(), canvas.Font, canvas.Brush, alignment);
    DrawTitleText(rect, dataCol, title, alignment);
}

void TwwCustomDBGrid::DrawTitleText(const QRect& rect, int dataCol, const QString& title, TAlignment alignment)
{
    TCanvas& canvas = Canvas();
    canvas.FillRect(rect);

    const bool pressed = titleButtons_ && pressedTitleCol_ == indicatorOffset_ + dataCol;
    // A pressed title sinks: its margin grows by one pixel and its text goes one pixel down.
    const int margin = pressed ? TextMargin + 1 : TextMargin;
    const int sink = pressed ? 1 : 0;
    const int lineHeight = canvas.TextHeight(QStringLiteral("W"));
    const QStringList pieces = titleLines_ > 1 ? TitlePieces(title) : QStringList{title};
    int y = titleLines_ > 1
                ? rect.top() + int(std::lround(rect.height() * 0.5 - lineHeight * pieces.size() * 0.5))
                : rect.top() + titleButtonOffset_;
    const TBrushStyle brushStyle = canvas.Brush.Style;
    canvas.Brush.Style = TBrushStyle::bsClear;
    for (const QString& piece : pieces) {
        canvas.TextRect(rect, AlignedX(rect, canvas.TextWidth(piece), alignment, margin), y + sink, piece);
        y += lineHeight;
    }
    canvas.Brush.Style = brushStyle;
    if (titleButtons_) {
        DrawButtonEdge(canvas, rect, pressed);
        ownEdge_ = true;
    }
}

void TwwCustomDBGrid::DrawIndicatorCell(int dataRow, const QRect& rect)
{
    TCanvas& canvas = Canvas();
    canvas.FillRect(rect);
    if (dataRow != link_.ActiveRecord()) return;
    TIndicatorPicture picture = TIndicatorPicture::Arrow;
    if (const TDataSet* dataSet = DataSet()) {
        if (dataSet->State() == dsEdit) picture = TIndicatorPicture::Edit;
        else if (dataSet->State() == dsInsert) picture = TIndicatorPicture::Insert;
    }
    const QImage& image = IndicatorPicture(picture, indicatorColor_);
    const int x = rect.left() + (rect.width() - image.width()) / 2 + 1;
    const int y = rect.top() + (rect.height() - image.height()) / 2;
    canvas.Draw(x, y, image);
}

void TwwCustomDBGrid::DrawDataCell(int dataCol, int dataRow, const QRect& rect, TGridDrawState state)
{
    TCanvas& canvas = Canvas();
    const TwwGridDataLink::TActiveRecordScope onRow(link_, dataRow);

    TField* field = GetColField(dataCol);
    const QString text = field ? GetFieldCellText(dataCol) : QString();
    const bool highlight = HighlightCell(dataCol, dataRow, text, state);
    if (highlight) {
        canvas.Brush.Color = clHighlight;
        canvas.Font.SetColor(clHighlightText);
    }
    DoCalcCellColors(field, state, highlight, canvas.Font, canvas.Brush);
    if (DefaultDrawing()) {
        const TAlignment alignment = field ? field->Alignment() : taLeftJustify;
        DrawCellText(rect, text, alignment, DataTextTop, options_ & dgWordWrap);
    }
    if (OnDrawDataCell) OnDrawDataCell(this, rect, field, state);
}

void TwwCustomDBGrid::DrawCellText(const QRect& rect, const QString& text, TAlignment alignment, int yOffset,
                                   bool wordWrap)
{
    TCanvas& canvas = Canvas();
    if (!wordWrap) {
        canvas.TextRect(rect, AlignedX(rect, canvas.TextWidth(text), alignment, TextMargin), rect.top() + yOffset,
                        text);
        return;
    }
    canvas.FillRect(rect);
    const int lineHeight = canvas.TextHeight(QStringLiteral("W"));
    const QStringList lines = WrapText(text, rect.width() - 2 * TextMargin,
                                       [&canvas](const QString& piece) { return canvas.TextWidth(piece); });
    const TBrushStyle brushStyle = canvas.Brush.Style;
    canvas.Brush.Style = TBrushStyle::bsClear;
    int y = rect.top() + yOffset;
    for (const QString& line : lines) {
        // A line that does not fit the cell's height is not begun (the first always is).
        if (y != rect.top() + yOffset && y + lineHeight > rect.bottom() + 1) break;
        canvas.TextRect(rect, AlignedX(rect, canvas.TextWidth(line.trimmed()), alignment, TextMargin), y, line);
        y += lineHeight;
    }
    canvas.Brush.Style = brushStyle;
}

QString TwwCustomDBGrid::GetFieldCellText(int dataCol)
{
    const TField* field = GetColField(dataCol);
    return field ? field->DisplayText() : QString();
}

bool TwwCustomDBGrid::HighlightCell(int, int, const QString&, TGridDrawState state)
{
    return (state & gdSelected) && ((options_ & dgAlwaysShowSelection) || IsActiveControl());
}

void TwwCustomDBGrid::DoCalcCellColors(TField* field, TGridDrawState state, bool highlight, TFont& font,
                                       TBrush& brush)
{
    if (OnCalcCellColors) OnCalcCellColors(this, field, state, highlight, font, brush);
    whiteBrush_ = ColorToRGB(brush.Color) == clWhite;
}

void TwwCustomDBGrid::DoCalcTitleAttributes(const QString& fieldName, TFont& font, TBrush& brush,
                                            TAlignment& alignment)
{
    if (OnCalcTitleAttributes) OnCalcTitleAttributes(this, fieldName, font, brush, alignment);
}

void TwwCustomDBGrid::DoTitleButtonClick(const QString& fieldName)
{
    if (OnTitleButtonClick) OnTitleButtonClick(this, fieldName);
}

TColor TwwCustomDBGrid::GetFieldColor(int) const
{
    return Color();
}

// ---- cells drawn as controls: check boxes and pictures

namespace {

enum class TCellControl { None, CheckBox, Picture };

TCellControl CellControlOf(const TDataSet* dataSet, const TField& field, QString& parameters)
{
    QString type;
    if (!GetFieldControlType(dataSet, field.FieldName(), type, parameters)) return TCellControl::None;
    if (type.compare(QStringLiteral("CheckBox"), Qt::CaseInsensitive) == 0) return TCellControl::CheckBox;
    // A picture comes from the field's own blob; a calculated field shows its text.
    if (type.compare(QStringLiteral("Bitmap"), Qt::CaseInsensitive) == 0 && field.FieldKind() == fkData
        && field.DataType() == TFieldType::ftBlob)
        return TCellControl::Picture;
    return TCellControl::None;
}

} // namespace

bool TwwCustomDBGrid::CanEditShowControl(int col, int row)
{
    if (row < titleOffset_) return false;
    const TField* field = GetColField(col - indicatorOffset_);
    QString parameters;
    return field && CellControlOf(DataSet(), *field, parameters) != TCellControl::None;
}

bool TwwCustomDBGrid::DrawControlCell(int col, int row, const QRect& rect, TGridDrawState state)
{
    const int dataRow = row - titleOffset_;
    const int dataCol = col - indicatorOffset_;
    if (dataRow < 0 || dataCol < 0 || !link_.Active()) return false;
    TField* field = GetColField(dataCol);
    QString parameters;
    const TCellControl control = field ? CellControlOf(DataSet(), *field, parameters) : TCellControl::None;
    if (control == TCellControl::None) return false;

    TCanvas& canvas = Canvas();
    const TwwGridDataLink::TActiveRecordScope onRow(link_, dataRow);
    const bool highlight = HighlightCell(dataCol, dataRow, field->Text(), state);
    if (highlight) {
        canvas.Brush.Color = clHighlight;
        canvas.Font.SetColor(clHighlightText);
    }
    DoCalcCellColors(field, state, highlight, canvas.Font, canvas.Brush);
    canvas.FillRect(rect);
    if (control == TCellControl::CheckBox) {
        const QString checkedValue = parameters.section(u';', 0, 0);
        const int size = 10;
        DrawCheckBox(QRect((rect.left() + rect.right() + 1 - size) / 2, (rect.top() + rect.bottom() + 1 - size) / 2,
                           size, size),
                     field->Text().compare(checkedValue, Qt::CaseInsensitive) == 0);
        if (highlight && IsActiveControl() && !(options_ & dgRowSelect)) {
            canvas.DrawFocusRect(rect);
            focusDrawn_ = true;
        }
        return true;
    }
    // The record being inserted shows no picture yet.
    if (!(DataSet()->State() == dsInsert && dataRow == link_.ActiveRecord()))
        DrawPicture(rect, PictureFromBlob(field->Value().toByteArray()), parameters);
    if (highlight) {
        canvas.Brush.Color = clHighlight;
        canvas.FrameRect(rect);
        ownEdge_ = true;
    }
    return true;
}

void TwwCustomDBGrid::DrawPicture(const QRect& rect, QImage picture, const QString& parameters)
{
    if (picture.isNull()) return;
    const TPicturePlacement placement = PlacePicture(picture.size(), rect, parameters.section(u';', 0, 0));
    if (placement.Target.isEmpty()) return;
    const TCanvas source(&picture);
    TCanvas& canvas = Canvas();
    const TCopyMode mode = canvas.CopyMode;
    canvas.CopyMode = CopyModeByName(parameters.section(u';', 1, 1));
    canvas.CopyRect(placement.Target, source, placement.Source);
    canvas.CopyMode = mode;
}

void TwwCustomDBGrid::DrawCheckBox(const QRect& box, bool checked)
{
    TCanvas& canvas = Canvas();
    const TBrush brush = canvas.Brush;
    canvas.Brush.Color = clWindow;
    canvas.FillRect(box);
    const int l = box.left(), t = box.top(), r = box.right(), b = box.bottom();
    PixelLine(canvas, clGray, l, t, l, b);            // outer top-left
    PixelLine(canvas, clGray, l, t, r, t);
    PixelLine(canvas, clWhite, r, t + 1, r, b);       // outer bottom-right
    PixelLine(canvas, clWhite, l + 1, b, r, b);
    PixelLine(canvas, clBlack, l + 1, t + 1, l + 1, b - 1);   // inner top-left
    PixelLine(canvas, clBlack, l + 1, t + 1, r - 1, t + 1);
    PixelLine(canvas, clBtnFace, r - 1, t + 2, r - 1, b - 1); // inner bottom-right
    PixelLine(canvas, clBtnFace, l + 2, b - 1, r - 1, b - 1);
    if (checked) {
        // A tick of short strokes across the inside of the box: down from the
        // left middle, then up to the right.
        for (int i = 0; i < 6; ++i) {
            const int x = l + 2 + i;
            const int y = i <= 2 ? t + 3 + i : t + 5 - (i - 2);
            PixelLine(canvas, clBlack, x, y, x, y + 1);
        }
    }
    canvas.Brush = brush;
}

// ---- title buttons

void TwwCustomDBGrid::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    TCustomGrid::MouseDown(button, shift, x, y);
    // A press on a title (not on its sizing line) presses the title button.
    const TGridCoord cell = MouseCoord(x, y);
    if (button == Qt::LeftButton && titleButtons_ && titleOffset_ && cell.Y == 0 && cell.X >= indicatorOffset_
        && GridState() != TGridState::gsColSizing) {
        pressedTitleCol_ = cell.X;
        InvalidateCell(cell.X, 0);
    }
}

void TwwCustomDBGrid::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    const int pressed = pressedTitleCol_;
    columnMovedByMouse_ = false;
    TCustomGrid::MouseUp(button, shift, x, y);
    if (pressed < 0 || button != Qt::LeftButton) return;
    pressedTitleCol_ = -1;
    if (pressed < ColCount()) InvalidateCell(pressed, 0);
    // Dragging a title to another place moves the column; it is no click.
    if (columnMovedByMouse_) return;
    const TGridCoord cell = MouseCoord(x, y);
    if (y < 0 || cell.Y != 0 || cell.X != pressed) return;
    // A title past the last field is no button.
    if (const TField* field = GetColField(pressed - indicatorOffset_)) DoTitleButtonClick(field->FieldName());
}
