// TwwCustomDBGrid: construction, properties, layout and following the dataset.
#include "grid/ww_custom_db_grid.h"
#include "grid/scoped_assign.h"
#include "grid/selected_line.h"
#include "grid/ww_ibutton.h"
#include "grid/ww_inplace_edit.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include <algorithm>

// Held while the grid lays itself out: what the layout changes (column
// widths, field display widths) must not start another layout.
struct TwwCustomDBGrid::TLayoutLock {
    explicit TLayoutLock(TwwCustomDBGrid& grid) : grid_(grid) { ++grid_.layoutLock_; }
    ~TLayoutLock() { --grid_.layoutLock_; }
    TLayoutLock(const TLayoutLock&) = delete;
    TLayoutLock& operator=(const TLayoutLock&) = delete;

private:
    TwwCustomDBGrid& grid_;
};

TwwCustomDBGrid::TwwCustomDBGrid(QWidget* parent) : TCustomGrid(parent)
{
    titleFont_.Assign(Font());
    // A title font set from outside no longer follows the grid's font.
    titleFont_.OnChange = [this] {
        if (!assigningTitleFont_) titleFontFollowsFont_ = false;
        LayoutChanged();
    };
    // A column list changed from outside lays the grid out again; the grid's
    // own changes to it happen under the layout lock.
    selected_.OnChange = [this](TStrings&) { LayoutChanged(); };
    SetColor(clWindow);
    SetScrollBars(TScrollStyle::ssHorizontal);
    SetColCount(2);
    SetRowCount(2);
    SetFixedCols(1);
    SetFixedRows(1);
    ApplyOptionsToBase();
    LayoutChanged();
}

TwwCustomDBGrid::~TwwCustomDBGrid()
{
    selected_.OnChange = nullptr;
    // The link's notifications must not reach a grid half destroyed.
    link_.SetDataSource(nullptr);
}

void TwwCustomDBGrid::SetDataSource(TDataSource* source)
{
    link_.SetDataSource(source);
    LinkActive(link_.Active());
}

void TwwCustomDBGrid::SetUseTFields(bool on)
{
    if (useTFields_ == on) return;
    useTFields_ = on;
    LayoutChanged();
}

void TwwCustomDBGrid::SetTitleColor(TColor color)
{
    if (titleColor_ == color) return;
    titleColor_ = color;
    LayoutChanged();
}

void TwwCustomDBGrid::SetTitleAlignment(TAlignment alignment)
{
    if (titleAlignment_ == alignment) return;
    titleAlignment_ = alignment;
    LayoutChanged();
}

void TwwCustomDBGrid::SetTitleLines(int lines)
{
    if (lines < 1 || lines == titleLines_) return;
    titleLines_ = lines;
    LayoutChanged();
}

void TwwCustomDBGrid::SetTitleButtons(bool on)
{
    titleButtons_ = on;
    InvalidateGrid();
}

void TwwCustomDBGrid::SetRowHeightPercent(int percent)
{
    if (percent < 1) {
        rowHeightPercent_ = 100;
        return;
    }
    if (percent == rowHeightPercent_) return;
    rowHeightPercent_ = percent;
    LayoutChanged();
}

void TwwCustomDBGrid::SetIndicatorColor(TIndicatorColorType color)
{
    indicatorColor_ = color;
    LayoutChanged();
}

bool TwwCustomDBGrid::ShowHorzScrollBar() const
{
    return ScrollBars() == TScrollStyle::ssHorizontal || ScrollBars() == TScrollStyle::ssBoth;
}

void TwwCustomDBGrid::SetShowHorzScrollBar(bool on)
{
    SetScrollBars(on ? TScrollStyle::ssHorizontal : TScrollStyle::ssNone);
    UpdateScrollRange();
}

void TwwCustomDBGrid::SetShowVertScrollBar(bool on)
{
    showVertScrollBar_ = on;
    UpdateScrollRange();
    InvalidateGrid();
}

TwwIButton* TwwCustomDBGrid::IndicatorButton() const
{
    return indicatorButton_;
}

void TwwCustomDBGrid::SetIndicatorButton(TwwIButton* button)
{
    indicatorButton_ = button;
    LayoutChanged();
}

void TwwCustomDBGrid::SetIndicatorWidth(int width)
{
    indicatorWidth_ = width;
    LayoutChanged();
}

// The base grid's options follow the grid's own.
void TwwCustomDBGrid::ApplyOptionsToBase()
{
    TGridOptions base = 0;
    if (options_ & dgColLines) base |= goFixedVertLine | goVertLine;
    if (options_ & dgRowLines) base |= goFixedHorzLine | goHorzLine;
    if (options_ & dgColumnResize) base |= goColSizing | goColMoving;
    if (options_ & dgTabs) base |= goTabs;
    if (options_ & dgRowSelect) base |= goRowSelect;
    else if (options_ & dgEditing) base |= goEditing;
    if (options_ & dgAlwaysShowEditor) base |= goAlwaysShowEditor;
    TCustomGrid::SetOptions(base);
}

void TwwCustomDBGrid::SetOptions(TwwDBGridOptions options)
{
    if (options == options_) return;
    const TwwDBGridOptions changed = options ^ options_;
    options_ = options;
    ApplyOptionsToBase();
    if (changed & dgWordWrap) {
        if (TwwInplaceEdit* editor = WwEditor()) editor->SetWordWrap(options_ & dgWordWrap);
        InvalidateGrid();
    }
    constexpr TwwDBGridOptions layoutOptions = dgEditing | dgAlwaysShowEditor | dgTitles | dgIndicator
        | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection | dgPerfectRowFit;
    if (changed & layoutOptions) LayoutChanged();
}

TField* TwwCustomDBGrid::GetColField(int dataCol) const
{
    return link_.Active() ? link_.Fields(dataCol) : nullptr;
}

TField* TwwCustomDBGrid::SelectedField() const
{
    return GetColField(Col() - indicatorOffset_);
}

// ---- layout

bool TwwCustomDBGrid::CanLayout() const
{
    return layoutLock_ == 0;
}

void TwwCustomDBGrid::LayoutChanged()
{
    if (!CanLayout()) return;
    recNo_.reset();
    {
        const TLayoutLock lock(*this);
        {
            const TScopedAssign laying(inLayout_, true);
            titleOffset_ = (options_ & dgTitles) ? 1 : 0;
            indicatorOffset_ = (options_ & dgIndicator) ? 1 : 0;
            UpdateRowHeights();
            link_.ClearMapping();
            if (link_.Active()) BuildFieldMap();
            SetColCount(indicatorOffset_ + DataColumnCount());
            SetFixedCols(indicatorOffset_);
            if (indicatorOffset_) {
                SetColWidths(0, indicatorWidth_);
                if (Col() == 0) SetCol(1);
            }
            HideControl();
            UpdateRowCount();
            const int visible = VisibleRowCount();
            SetColumnAttributes();
            if (VisibleRowCount() != visible) UpdateRowCount();
        }
        FollowActiveRecord();
    }
    UpdateScrollRange();
    InvalidateGrid();
}

int TwwCustomDBGrid::DataColumnCount() const
{
    int count = link_.FieldCount();
    if (!useTFields_ && count == 0) count = selected_.Count();
    return std::max(count, 1);
}

void TwwCustomDBGrid::BuildFieldMap()
{
    const TDataSet* dataSet = DataSet();
    if (useTFields_) {
        for (int i = 0; i < dataSet->FieldCount(); ++i)
            if (dataSet->Fields(i)->Visible()) link_.AddMapping(dataSet->Fields(i)->FieldName());
        return;
    }
    // A line naming a field the dataset lacks goes for good.
    for (int i = 0; i < selected_.Count();) {
        const QString name = TSelectedLine::Parse(selected_[i]).FieldName;
        if (!dataSet->FindField(name)) {
            selected_.Delete(i);
            continue;
        }
        link_.AddMapping(name);
        ++i;
    }
}

void TwwCustomDBGrid::UpdateRowHeights()
{
    TCanvas& canvas = Canvas();
    canvas.Font.Assign(Font());
    int height = canvas.TextHeight(QStringLiteral("W")) + 2;
    if (options_ & dgRowLines) ++height;
    SetDefaultRowHeight(height * rowHeightPercent_ / 100);
    if (options_ & dgTitles) {
        canvas.Font.Assign(titleFont_);
        int titleHeight = canvas.TextHeight(QStringLiteral("W")) * titleLines_ + 4;
        if (!(options_ & dgRowLines)) ++titleHeight;
        SetRowHeights(0, titleHeight);
    }
    titleButtonOffset_ = 2;
    if (!(options_ & dgIndicator) || !indicatorButton_) return;
    // The corner button sets the first row's height; a title lower than the
    // button is centred in it.
    const int cornerHeight = std::max(RowHeights(0), indicatorButton_->height());
    titleButtonOffset_ = (cornerHeight - RowHeights(0)) / 2 + 2;
    SetRowHeights(0, (options_ & dgRowLines) ? cornerHeight - 1 : cornerHeight + 1);
}

QString TwwCustomDBGrid::ColumnTitle(int dataCol, const TField& field) const
{
    if (useTFields_) return field.DisplayLabel();
    if (dataCol < 0 || dataCol >= selected_.Count()) return field.DisplayLabel();
    const TSelectedLine line = TSelectedLine::Parse(selected_[dataCol]);
    return line.HasTitle ? line.Title : field.DisplayLabel();
}

void TwwCustomDBGrid::SetColumnAttributes()
{
    const TDataSet* dataSet = DataSet();
    if (!dataSet) return;
    TCanvas& canvas = Canvas();
    const int count = useTFields_ ? link_.FieldCount() : selected_.Count();
    for (int i = 0; i < count && indicatorOffset_ + i < ColCount(); ++i) {
        TField* field = nullptr;
        std::optional<int> characters;
        if (useTFields_) {
            field = link_.Fields(i);
        } else {
            const TSelectedLine line = TSelectedLine::Parse(selected_[i]);
            field = dataSet->FindField(line.FieldName);
            characters = line.Characters();
        }
        if (!field) continue;
        // A width that is no number gives the field's own display width.
        canvas.Font.Assign(Font());
        int width = characters.value_or(field->DisplayWidth()) * canvas.TextWidth(QStringLiteral("0")) + 4;
        if (options_ & dgTitles) {
            canvas.Font.Assign(titleFont_);
            int titleWidth = 0;
            for (const QString& piece : TitlePieces(ColumnTitle(i, *field)))
                titleWidth = std::max(titleWidth, canvas.TextWidth(piece));
            width = std::max(width, titleWidth + 4);
        }
        const int col = indicatorOffset_ + i;
        SetColWidths(col, width);
        bool tabStop = !field->ReadOnly();
        if (tabStop && !editCalculated_ && field->Calculated()) tabStop = false;
        SetTabStops(col, tabStop);
    }
}

// The link's window is the grid's visible rows. The grid first makes room for
// as many rows as could show, so that the base grid can count the rows that
// fit, then keeps as many rows as the window holds records.
void TwwCustomDBGrid::UpdateRowCount()
{
    if (inRowCountUpdate_) return;
    const TScopedAssign inUpdate(inRowCountUpdate_, true);
    if (RowCount() < titleOffset_ + 1) SetRowCount(titleOffset_ + 1);
    SetFixedRows(titleOffset_);
    if (link_.Active() && link_.RecordCount() > 0) {
        SetRowCount(1000);
        SetTopRow(titleOffset_);
        const int visible = VisibleRowCount();
        if (visible < link_.BufferCount() && visible + titleOffset_ <= Row()) {
            InvalidateGrid();
            DoTopRowChanged();
        }
        link_.SetBufferCount(visible);
        SetRowCount(link_.RecordCount() + titleOffset_);
        FollowActiveRecord();
    } else {
        SetRowCount(titleOffset_ + 1);
    }
}

void TwwCustomDBGrid::FollowActiveRecord()
{
    if (!link_.Active() || inLayout_) return;
    int row = link_.ActiveRecord() + titleOffset_;
    if (row >= RowCount()) {
        UpdateRowCount();
        row = std::min(row, RowCount() - 1);
    }
    if (row != Row()) {
        if (!(options_ & dgAlwaysShowEditor)) HideEditor();
        const TScopedAssign following(followingDataSet_, true);
        MoveColRow(Col(), row, true, true);
    }
}

void TwwCustomDBGrid::resizeEvent(QResizeEvent* event)
{
    TCustomGrid::resizeEvent(event);
    UpdateRowCount();
    UpdateScrollRange();
}

void TwwCustomDBGrid::FontChanged()
{
    TCustomGrid::FontChanged();
    if (titleFontFollowsFont_) {
        const TScopedAssign assigning(assigningTitleFont_, true);
        titleFont_.Assign(Font());
    }
    LayoutChanged();
}

// ---- following the dataset

void TwwCustomDBGrid::LinkActive(bool active)
{
    if (!active) HideEditor();
    LayoutChanged();
    UpdateScrollRange();
}

void TwwCustomDBGrid::DataChanged()
{
    if (DataSource() && DataSource()->State() == dsBrowse) HideControl();
    recNo_.reset();
    UpdateRowCount();
    UpdateScrollPos();
    FollowActiveRecord();
    InvalidateEditor();
    InvalidateGrid();
}

void TwwCustomDBGrid::RecordChanged(TField* field)
{
    FollowActiveRecord();
    if (!field) {
        InvalidateGrid();
    } else {
        // A change of a data field works the calculated and lookup fields out again.
        const bool recalculated = field->FieldKind() == fkData;
        for (int i = 0; i < link_.FieldCount(); ++i) {
            const TField* shown = link_.Fields(i);
            if (shown == field || (recalculated && shown && shown->FieldKind() != fkData))
                InvalidateCol(indicatorOffset_ + i);
        }
    }
    // The editor shows the current field afresh unless the user typed into
    // it: that text stays until it is written or dropped.
    const TField* current = SelectedField();
    if (EditorMode() && current && (!field || (field == current && !link_.IsModified()))
        && current->Text() != lastEditText_)
        InvalidateEditor();
}

void TwwCustomDBGrid::InvalidateIndicator()
{
    if (indicatorOffset_ && Row() >= titleOffset_ && Row() < RowCount()) InvalidateCell(0, Row());
}

void TwwCustomDBGrid::DoTopRowChanged()
{
    if (OnTopRowChanged) OnTopRowChanged(this);
}

bool TwwCustomDBGrid::DataSetCanModify() const
{
    return link_.Active() && DataSet()->CanModify();
}

// ---- column moves and widths written back

void TwwCustomDBGrid::ColumnMoved(int fromIndex, int toIndex)
{
    TCustomGrid::ColumnMoved(fromIndex, toIndex);
    columnMovedByMouse_ = true;
    const int from = fromIndex - indicatorOffset_;
    const int to = toIndex - indicatorOffset_;
    if (!useTFields_) {
        if (from >= 0 && to >= 0 && from < selected_.Count() && to < selected_.Count()) selected_.Move(from, to);
    } else if (link_.Active()) {
        TField* moved = link_.Fields(from);
        const TField* target = link_.Fields(to);
        if (moved && target) moved->SetIndex(target->Index());
    }
    if (OnColumnMoved) OnColumnMoved(this, from, to);
}

void TwwCustomDBGrid::ColWidthsChanged()
{
    TCustomGrid::ColWidthsChanged();
    if (inLayout_ || !link_.Active()) return;
    const TLayoutLock lock(*this);
    TCanvas& canvas = Canvas();
    canvas.Font.Assign(Font());
    const int charWidth = canvas.TextWidth(QStringLiteral("0"));
    const auto characters = [&](int dataCol) {
        return CharactersInPixels(ColWidths(indicatorOffset_ + dataCol), charWidth);
    };
    if (useTFields_) {
        for (int i = 0; i < link_.FieldCount() && indicatorOffset_ + i < ColCount(); ++i)
            if (TField* field = link_.Fields(i)) field->SetDisplayWidth(characters(i));
        return;
    }
    for (int i = 0; i < selected_.Count() && indicatorOffset_ + i < ColCount(); ++i)
        selected_.SetString(i, TSelectedLine::Parse(selected_[i]).WithWidth(characters(i)));
}

