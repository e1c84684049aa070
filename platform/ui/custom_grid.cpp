// The grid's shape (counts, sizes, options), geometry and the moves of its
// current cell and its view.
#include "platform/ui/custom_grid.h"
#include "platform/ui/inplace_edit.h"
#include <QApplication>
#include <QScrollBar>
#include <algorithm>

namespace {

const char* const SIndexOutOfRange = "Grid index out of range";
const char* const SFixedColTooBig = "Fixed column count must be less than column count";
const char* const SFixedRowTooBig = "Fixed row count must be less than row count";

[[noreturn]] void InvalidOp(const char* message)
{
    throw EInvalidGridOperation(QString::fromLatin1(message));
}

template <class T> void MoveItem(std::vector<T>& values, int fromIndex, int toIndex)
{
    const T value = values[fromIndex];
    values.erase(values.begin() + fromIndex);
    values.insert(values.begin() + toIndex, value);
}

// Where Index ends up when the item at FromIndex moves to ToIndex.
int IndexAfterMove(int index, int fromIndex, int toIndex)
{
    if (index == fromIndex)
        return toIndex;
    if (fromIndex < index && index <= toIndex)
        return index - 1;
    if (toIndex <= index && index < fromIndex)
        return index + 1;
    return index;
}

} // namespace

TCustomGrid::TCustomGrid(QWidget* parent) : QAbstractScrollArea(parent)
{
    colWidths_.assign(5, defaultColWidth_);
    tabStops_.assign(5, true);
    rowCount_ = 5;
    fixedCols_ = 1;
    fixedRows_ = 1;
    current_ = anchor_ = topLeft_ = {1, 1};
    options_ = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    font_.SetFont(font());
    font_.OnChange = [this] {
        setFont(font_.Font());
        FontChanged();
        InvalidateGrid();
    };
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int action) { HandleScrollBarAction(Qt::Vertical, action); });
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int action) { HandleScrollBarAction(Qt::Horizontal, action); });
    connect(verticalScrollBar(), &QAbstractSlider::sliderReleased, this,
            [this] { HandleScrollBarRelease(Qt::Vertical); });
    connect(horizontalScrollBar(), &QAbstractSlider::sliderReleased, this,
            [this] { HandleScrollBarRelease(Qt::Horizontal); });
    connect(qApp, &QApplication::focusChanged, this, &TCustomGrid::FocusChanged);
    UpdateScrollRange();
}

TCustomGrid::~TCustomGrid()
{
    disconnect(qApp, &QApplication::focusChanged, this, &TCustomGrid::FocusChanged);
}

QSize TCustomGrid::sizeHint() const
{
    return {320, 120};
}

// ---- axes and sizes --------------------------------------------------------

TGridAxis TCustomGrid::ColAxis() const
{
    return {&colWidths_, defaultColWidth_, ColCount(), fixedCols_, topLeft_.X,
            (options_ & (goVertLine | goFixedVertLine)) ? gridLineWidth_ : 0, viewport()->width()};
}

TGridAxis TCustomGrid::RowAxis() const
{
    return {&rowHeights_, defaultRowHeight_, rowCount_, fixedRows_, topLeft_.Y,
            (options_ & (goHorzLine | goFixedHorzLine)) ? gridLineWidth_ : 0, viewport()->height()};
}

void TCustomGrid::CheckCoord(int col, int row) const
{
    if (col < 0 || col >= ColCount() || row < 0 || row >= rowCount_)
        InvalidOp(SIndexOutOfRange);
}

void TCustomGrid::ExtentsChanged()
{
    // Keep the top left cell where the view can still be filled.
    topLeft_.X = std::clamp(topLeft_.X, fixedCols_, std::max(fixedCols_, MaxLeftCol()));
    topLeft_.Y = std::clamp(topLeft_.Y, fixedRows_, std::max(fixedRows_, MaxTopRow()));
    UpdateScrollRange();
    PlaceEditor();
    InvalidateGrid();
}

void TCustomGrid::SetColCount(int count)
{
    count = std::max(1, count);
    if (count == ColCount())
        return;
    if (count <= fixedCols_)
        fixedCols_ = count - 1;
    colWidths_.resize(count, defaultColWidth_);
    tabStops_.resize(count, true);
    current_.X = std::min(current_.X, count - 1);
    anchor_.X = std::min(anchor_.X, count - 1);
    ExtentsChanged();
}

void TCustomGrid::SetRowCount(int count)
{
    count = std::max(1, count);
    if (count == rowCount_)
        return;
    if (count <= fixedRows_)
        fixedRows_ = count - 1;
    rowCount_ = count;
    if (!rowHeights_.empty())
        rowHeights_.resize(count, defaultRowHeight_);
    current_.Y = std::min(current_.Y, count - 1);
    anchor_.Y = std::min(anchor_.Y, count - 1);
    ExtentsChanged();
}

void TCustomGrid::SetFixedCols(int count)
{
    if (count < 0)
        InvalidOp(SIndexOutOfRange);
    if (count >= ColCount())
        InvalidOp(SFixedColTooBig);
    fixedCols_ = count;
    current_.X = std::max(current_.X, count);
    anchor_.X = std::max(anchor_.X, count);
    topLeft_.X = count;
    ExtentsChanged();
}

void TCustomGrid::SetFixedRows(int count)
{
    if (count < 0)
        InvalidOp(SIndexOutOfRange);
    if (count >= rowCount_)
        InvalidOp(SFixedRowTooBig);
    fixedRows_ = count;
    current_.Y = std::max(current_.Y, count);
    anchor_.Y = std::max(anchor_.Y, count);
    topLeft_.Y = count;
    ExtentsChanged();
}

void TCustomGrid::SetDefaultColWidth(int width)
{
    defaultColWidth_ = width;
    colWidths_.assign(colWidths_.size(), width);
    ColWidthsChanged();
    ExtentsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int height)
{
    defaultRowHeight_ = height;
    rowHeights_.clear();
    RowHeightsChanged();
    ExtentsChanged();
}

void TCustomGrid::SetGridLineWidth(int width)
{
    gridLineWidth_ = std::max(0, width);
    ExtentsChanged();
}

int TCustomGrid::ColWidths(int col) const
{
    return col >= 0 && col < ColCount() ? colWidths_[col] : defaultColWidth_;
}

void TCustomGrid::SetColWidths(int col, int width)
{
    if (col < 0 || col >= ColCount())
        InvalidOp(SIndexOutOfRange);
    if (colWidths_[col] == width)
        return;
    colWidths_[col] = width;
    ColWidthsChanged();
    ExtentsChanged();
}

int TCustomGrid::RowHeights(int row) const
{
    if (rowHeights_.empty() || row < 0 || row >= rowCount_)
        return defaultRowHeight_;
    return rowHeights_[row];
}

void TCustomGrid::SetRowHeights(int row, int height)
{
    if (row < 0 || row >= rowCount_)
        InvalidOp(SIndexOutOfRange);
    if (RowHeights(row) == height)
        return;
    if (rowHeights_.empty())
        rowHeights_.assign(rowCount_, defaultRowHeight_);
    rowHeights_[row] = height;
    RowHeightsChanged();
    ExtentsChanged();
}

bool TCustomGrid::TabStops(int col) const
{
    return col >= 0 && col < ColCount() ? tabStops_[col] : true;
}

void TCustomGrid::SetTabStops(int col, bool on)
{
    if (col < 0 || col >= ColCount())
        InvalidOp(SIndexOutOfRange);
    tabStops_[col] = on;
}

int TCustomGrid::VisibleColCount() const
{
    const TGridAxis axis = ColAxis();
    if (axis.first >= axis.count)
        return 0;
    return std::max(1, axis.LastFullVisible() - axis.first + 1);
}

int TCustomGrid::VisibleRowCount() const
{
    const TGridAxis axis = RowAxis();
    if (axis.first >= axis.count)
        return 0;
    return std::max(1, axis.LastFullVisible() - axis.first + 1);
}

int TCustomGrid::MaxTopRow() const
{
    return RowAxis().FirstShowing(rowCount_ - 1);
}

int TCustomGrid::MaxLeftCol() const
{
    return ColAxis().FirstShowing(ColCount() - 1);
}

int TCustomGrid::LastVisibleRow() const
{
    return topLeft_.Y + VisibleRowCount() - 1;
}

// ---- options, colours, selection -------------------------------------------

void TCustomGrid::SetOptions(TGridOptions options)
{
    if (options & goRowSelect)
        options &= ~goAlwaysShowEditor;
    if (options & goAlwaysShowEditor)
        options |= goEditing;
    if (options == options_)
        return;
    options_ = options;
    if (options_ & goAlwaysShowEditor)
        editorMode_ = true;
    if (!(options_ & goEditing) || (options_ & goRowSelect))
        HideEditor();
    else
        UpdateEdit();
    ExtentsChanged();
}

TGridRect TCustomGrid::Selection() const
{
    TGridRect rect{std::min(anchor_.X, current_.X), std::min(anchor_.Y, current_.Y),
                   std::max(anchor_.X, current_.X), std::max(anchor_.Y, current_.Y)};
    if (options_ & goRowSelect) {
        rect.Left = fixedCols_;
        rect.Right = ColCount() - 1;
    }
    return rect;
}

void TCustomGrid::SetSelection(const TGridRect& selection)
{
    const TGridRect old = Selection();
    anchor_ = {selection.Left, selection.Top};
    current_ = {selection.Right, selection.Bottom};
    ClampInView(current_.X, current_.Y);
    InvalidateSelection(old);
}

void TCustomGrid::InvalidateSelection(const TGridRect& old)
{
    const TGridRect now = Selection();
    if (old == now)
        return;
    viewport()->update(BoxRect(old.Left, old.Top, old.Right, old.Bottom));
    viewport()->update(BoxRect(now.Left, now.Top, now.Right, now.Bottom));
}

void TCustomGrid::SetScrollBars(TScrollStyle style)
{
    scrollBars_ = style;
    UpdateScrollRange();
}

void TCustomGrid::SetBorderStyle(TGridBorderStyle style)
{
    borderStyle_ = style;
    setFrameShape(style == TGridBorderStyle::bsSingle ? QFrame::StyledPanel : QFrame::NoFrame);
}

void TCustomGrid::SetColor(TColor color)
{
    color_ = color;
    InvalidateGrid();
}

void TCustomGrid::SetFixedColor(TColor color)
{
    fixedColor_ = color;
    InvalidateGrid();
}

// ---- geometry ----------------------------------------------------------------

QRect TCustomGrid::CellRect(int col, int row) const
{
    return BoxRect(col, row, col, row);
}

QRect TCustomGrid::BoxRect(int left, int top, int right, int bottom) const
{
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    const TGridAxis cols = ColAxis();
    const TGridAxis rows = RowAxis();
    // The first and last cells of the box that are in view, on each axis:
    // its fixed part, then its scrollable part from the first cell in view.
    auto span = [](const TGridAxis& axis, int from, int to, int& start, int& end) {
        int firstShown = -1;
        int lastShown = -1;
        if (from < axis.fixed) {
            firstShown = from;
            lastShown = std::min(to, axis.fixed - 1);
        }
        const int scrollFrom = std::max({from, axis.first, axis.fixed});
        if (to >= scrollFrom && axis.Start(scrollFrom) >= 0) {
            if (firstShown < 0)
                firstShown = scrollFrom;
            lastShown = std::min(to, axis.LastPartVisible());
        }
        if (firstShown < 0 || axis.Start(firstShown) < 0)
            return false;
        start = axis.Start(firstShown);
        end = std::min(axis.Start(lastShown) + axis.Size(lastShown), axis.extent);
        return end > start;
    };
    int x1, x2, y1, y2;
    if (!span(cols, left, right, x1, x2) || !span(rows, top, bottom, y1, y2))
        return {};
    return QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1));
}

TGridCoord TCustomGrid::MouseCoord(int x, int y) const
{
    return {ColAxis().At(x), RowAxis().At(y)};
}

void TCustomGrid::InvalidateCell(int col, int row)
{
    const QRect rect = CellRect(col, row);
    if (!rect.isEmpty())
        viewport()->update(rect.adjusted(0, 0, gridLineWidth_, gridLineWidth_));
}

void TCustomGrid::InvalidateRow(int row)
{
    const QRect rect = BoxRect(0, row, ColCount() - 1, row);
    if (!rect.isEmpty())
        viewport()->update(QRect(0, rect.top(), viewport()->width(), rect.height() + gridLineWidth_));
}

void TCustomGrid::InvalidateCol(int col)
{
    const QRect rect = BoxRect(col, 0, col, rowCount_ - 1);
    if (!rect.isEmpty())
        viewport()->update(QRect(rect.left(), 0, rect.width() + gridLineWidth_, viewport()->height()));
}

void TCustomGrid::InvalidateGrid()
{
    viewport()->update();
}

// ---- moving the current cell and the view ------------------------------------

void TCustomGrid::SetCol(int col)
{
    MoveColRow(col, current_.Y, true, true);
}

void TCustomGrid::SetRow(int row)
{
    MoveColRow(current_.X, row, true, true);
}

void TCustomGrid::SetLeftCol(int col)
{
    MoveTopLeft(col, topLeft_.Y);
}

void TCustomGrid::SetTopRow(int row)
{
    MoveTopLeft(topLeft_.X, row);
}

void TCustomGrid::MoveColRow(int col, int row, bool moveAnchor, bool show)
{
    CheckCoord(col, row);
    MoveCurrent(col, row, moveAnchor, show);
}

void TCustomGrid::FocusCell(int col, int row, bool moveAnchor)
{
    col = std::clamp(col, fixedCols_, ColCount() - 1);
    row = std::clamp(row, fixedRows_, rowCount_ - 1);
    MoveCurrent(col, row, moveAnchor, true);
}

void TCustomGrid::MoveCurrent(int col, int row, bool moveAnchor, bool show)
{
    if (col == current_.X && row == current_.Y) {
        if (moveAnchor && !(anchor_ == current_)) {
            const TGridRect old = Selection();
            anchor_ = current_;
            InvalidateSelection(old);
        }
        return;
    }
    if (!SelectCell(col, row))
        return;
    // The old cell's text goes back before the editor leaves it.
    if (editor_ && editor_->isVisible())
        UpdateText();
    const TGridRect old = Selection();
    const TGridCoord oldCurrent = current_;
    current_ = {col, row};
    if (moveAnchor || !(options_ & goRangeSelect))
        anchor_ = current_;
    if (options_ & goRowSelect) {
        InvalidateRow(oldCurrent.Y);
        InvalidateRow(row);
    } else {
        InvalidateCell(oldCurrent.X, oldCurrent.Y);
        InvalidateCell(col, row);
    }
    InvalidateSelection(old);
    if (show)
        ClampInView(col, row);
    if (options_ & goAlwaysShowEditor)
        InvalidateEditor();
    else
        HideEditor();
    Click();
}

void TCustomGrid::ClampInView(int col, int row)
{
    const TGridAxis cols = ColAxis();
    const TGridAxis rows = RowAxis();
    TGridCoord topLeft = topLeft_;
    if (col >= fixedCols_) {
        if (col < topLeft.X)
            topLeft.X = col;
        else if (col > cols.LastFullVisible())
            topLeft.X = cols.FirstShowing(col);
    }
    if (row >= fixedRows_) {
        if (row < topLeft.Y)
            topLeft.Y = row;
        else if (row > rows.LastFullVisible())
            topLeft.Y = rows.FirstShowing(row);
    }
    MoveTopLeft(topLeft.X, topLeft.Y);
}

void TCustomGrid::MoveTopLeft(int col, int row)
{
    col = std::clamp(col, fixedCols_, std::max(fixedCols_, MaxLeftCol()));
    row = std::clamp(row, fixedRows_, std::max(fixedRows_, MaxTopRow()));
    if (col == topLeft_.X && row == topLeft_.Y)
        return;
    const TGridCoord old = topLeft_;
    topLeft_ = {col, row};
    // A short vertical move scrolls the pixels already drawn and paints only
    // the rows that come into view.
    const int distance = row - old.Y;
    if (col == old.X && std::abs(distance) < VisibleRowCount() && viewport()->isVisible()) {
        int pixels = 0;
        const int line = RowAxis().line;
        for (int r = std::min(row, old.Y); r < std::max(row, old.Y); ++r)
            pixels += RowHeights(r) + line;
        ScrollRows(distance > 0 ? -pixels : pixels);
    } else {
        InvalidateGrid();
    }
    UpdateScrollPos();
    PlaceEditor();
    TopLeftChanged();
}

void TCustomGrid::ScrollRows(int pixels)
{
    const int fixedHeight = RowAxis().FixedExtent();
    viewport()->scroll(0, pixels, QRect(0, fixedHeight, viewport()->width(), viewport()->height() - fixedHeight));
}

void TCustomGrid::MoveColumn(int fromIndex, int toIndex)
{
    CheckCoord(fromIndex, 0);
    CheckCoord(toIndex, 0);
    if (fromIndex == toIndex)
        return;
    MoveItem(colWidths_, fromIndex, toIndex);
    MoveItem(tabStops_, fromIndex, toIndex);
    // The current column travels with its column.
    current_.X = IndexAfterMove(current_.X, fromIndex, toIndex);
    anchor_.X = IndexAfterMove(anchor_.X, fromIndex, toIndex);
    InvalidateGrid();
    ColumnMoved(fromIndex, toIndex);
    ExtentsChanged();
}

void TCustomGrid::MoveRow(int fromIndex, int toIndex)
{
    CheckCoord(0, fromIndex);
    CheckCoord(0, toIndex);
    if (fromIndex == toIndex)
        return;
    if (!rowHeights_.empty())
        MoveItem(rowHeights_, fromIndex, toIndex);
    current_.Y = IndexAfterMove(current_.Y, fromIndex, toIndex);
    anchor_.Y = IndexAfterMove(anchor_.Y, fromIndex, toIndex);
    InvalidateGrid();
    RowMoved(fromIndex, toIndex);
    ExtentsChanged();
}

// ---- virtual hooks with their base behaviour ---------------------------------

bool TCustomGrid::SelectCell(int, int) { return true; }

void TCustomGrid::TopLeftChanged()
{
    if (OnTopLeftChanged)
        OnTopLeftChanged(this);
}

void TCustomGrid::ColumnMoved(int, int) {}
void TCustomGrid::RowMoved(int, int) {}
void TCustomGrid::ColWidthsChanged() {}
void TCustomGrid::RowHeightsChanged() {}
void TCustomGrid::FontChanged() {}

void TCustomGrid::Click()
{
    if (OnClick)
        OnClick(this);
}

void TCustomGrid::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TCustomGrid::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TCustomGrid::DoExit()
{
    if (OnExit)
        OnExit(this);
}

void TCustomGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    ExtentsChanged();
}

void TCustomGrid::scrollContentsBy(int, int)
{
    // The grid scrolls by its top left cell, never by pixel offsets.
}
