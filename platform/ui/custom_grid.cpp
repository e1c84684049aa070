#include "platform/ui/custom_grid.h"
#include "platform/ui/inplace_edit.h"
#include <QApplication>
#include <QPaintEvent>
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
    const int col = ColAxis().At(x);
    const int row = RowAxis().At(y);
    if (col < 0 || row < 0)
        return {-1, -1};
    return {col, row};
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
            topLeft.X = std::max(cols.FirstShowing(col), std::min(col, topLeft.X + 1));
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
    const int fixedHeight = RowAxis().FixedExtent();
    if (col == old.X && std::abs(distance) < VisibleRowCount() && viewport()->isVisible()) {
        int pixels = 0;
        const int line = RowAxis().line;
        for (int r = std::min(row, old.Y); r < std::max(row, old.Y); ++r)
            pixels += RowHeights(r) + line;
        const QRect area(0, fixedHeight, viewport()->width(), viewport()->height() - fixedHeight);
        viewport()->scroll(0, distance > 0 ? -pixels : pixels, area);
    } else {
        InvalidateGrid();
    }
    UpdateScrollPos();
    PlaceEditor();
    TopLeftChanged();
}

void TCustomGrid::MoveColumn(int fromIndex, int toIndex)
{
    CheckCoord(fromIndex, 0);
    CheckCoord(toIndex, 0);
    if (fromIndex == toIndex)
        return;
    auto rotate = [&](auto& values) {
        auto value = values[fromIndex];
        values.erase(values.begin() + fromIndex);
        values.insert(values.begin() + toIndex, value);
    };
    rotate(colWidths_);
    rotate(tabStops_);
    // The current column travels with its column.
    auto follow = [&](int& index) {
        if (index == fromIndex)
            index = toIndex;
        else if (fromIndex < index && index <= toIndex)
            --index;
        else if (toIndex <= index && index < fromIndex)
            ++index;
    };
    follow(current_.X);
    follow(anchor_.X);
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
    if (!rowHeights_.empty()) {
        const int height = rowHeights_[fromIndex];
        rowHeights_.erase(rowHeights_.begin() + fromIndex);
        rowHeights_.insert(rowHeights_.begin() + toIndex, height);
    }
    auto follow = [&](int& index) {
        if (index == fromIndex)
            index = toIndex;
        else if (fromIndex < index && index <= toIndex)
            --index;
        else if (toIndex <= index && index < fromIndex)
            ++index;
    };
    follow(current_.Y);
    follow(anchor_.Y);
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

// ---- painting ----------------------------------------------------------------

void TCustomGrid::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    paintRect_ = event->rect();
    painter.setClipRegion(event->region());
    canvas_.Begin(&painter);
    Paint();
    canvas_.End();
}

void TCustomGrid::Paint()
{
    const TGridAxis cols = ColAxis();
    const TGridAxis rows = RowAxis();
    const int right = cols.End();
    const int bottom = rows.End();
    const bool active = IsActiveControl();
    const TGridRect selection = Selection();
    const bool editorShown = editor_ && editor_->isVisible();

    // Beyond the last cell the grid shows its colour.
    canvas_.Brush.Color = color_;
    canvas_.Brush.Style = TBrushStyle::bsSolid;
    if (right < viewport()->width())
        canvas_.FillRect(QRect(right, 0, viewport()->width() - right, viewport()->height()));
    if (bottom < viewport()->height())
        canvas_.FillRect(QRect(0, bottom, right, viewport()->height() - bottom));
    PaintLines(QRect(0, 0, right, bottom));

    // The cells in view that meet the area being painted, fixed ones first.
    auto visible = [](const TGridAxis& axis, int from, int to) {
        std::vector<std::pair<int, int>> cells;   // index, start
        int pos = 0;
        auto add = [&](int i) {
            const int size = axis.Size(i);
            if (pos + size > from && pos < to)
                cells.emplace_back(i, pos);
            pos += size + axis.line;
        };
        for (int i = 0; i < std::min(axis.fixed, axis.count); ++i)
            add(i);
        for (int i = axis.first; i < axis.count && pos < axis.extent && pos < to; ++i)
            add(i);
        return cells;
    };
    const auto colCells = visible(cols, paintRect_.left(), paintRect_.right() + 1);
    const auto rowCells = visible(rows, paintRect_.top(), paintRect_.bottom() + 1);

    for (const auto& [row, y] : rowCells) {
        for (const auto& [col, x] : colCells) {
            const QRect rect(x, y, cols.Size(col), rows.Size(row));
            TGridDrawState state = 0;
            const bool fixed = col < fixedCols_ || row < fixedRows_;
            const bool focusCell = col == current_.X && row == current_.Y;
            if (fixed) {
                state |= gdFixed;
            } else {
                if (focusCell && active)
                    state |= gdFocused;
                if (selection.Contains(col, row)
                    && ((options_ & (goDrawFocusSelected | goRowSelect)) || !focusCell))
                    state |= gdSelected;
            }
            canvas_.Font.Assign(font_);
            canvas_.Brush.Style = TBrushStyle::bsSolid;
            canvas_.Brush.Color = fixed ? fixedColor_ : color_;
            if (defaultDrawing_) {
                if (state & gdSelected) {
                    canvas_.Brush.Color = clHighlight;
                    canvas_.Font.SetColor(clHighlightText);
                }
                canvas_.FillRect(rect);
            }
            DrawCell(col, row, rect, state);
            if (defaultDrawing_ && fixed && (options_ & (goFixedVertLine | goFixedHorzLine))) {
                // The raised edge of a fixed cell.
                canvas_.Pen.Color = clBtnHighlight;
                canvas_.MoveTo(rect.left(), rect.bottom());
                canvas_.LineTo(rect.left(), rect.top());
                canvas_.LineTo(rect.right() + 1, rect.top());
                canvas_.Pen.Color = clBtnShadow;
                canvas_.MoveTo(rect.right(), rect.top() + 1);
                canvas_.LineTo(rect.right(), rect.bottom());
                canvas_.LineTo(rect.left(), rect.bottom());
            }
        }
    }

    if (defaultDrawing_ && active && !editorShown && current_.X >= fixedCols_ && current_.Y >= fixedRows_) {
        const QRect focus = (options_ & goRowSelect)
                                ? BoxRect(fixedCols_, current_.Y, ColCount() - 1, current_.Y)
                                : CellRect(current_.X, current_.Y);
        canvas_.DrawFocusRect(focus);
    }
    PaintMoveAndSizeMarks();
}

void TCustomGrid::PaintLines(const QRect& area)
{
    const TGridAxis cols = ColAxis();
    const TGridAxis rows = RowAxis();
    const int fixedWidth = cols.FixedExtent();
    const int fixedHeight = rows.FixedExtent();
    const QColor fixedLine = ToQColor(clBlack);
    const QColor normalLine = ToQColor(clSilver);
    QPainter& p = *canvas_.Painter();
    p.setPen(Qt::NoPen);
    // Each line runs through fixed and scrollable cells; each part takes the
    // colour of the cells it belongs to, or their fill when its lines are off.
    auto lineColour = [&](bool fixed, TGridOption fixedOption, TGridOption normalOption) {
        if (fixed)
            return (options_ & fixedOption) ? fixedLine : ToQColor(fixedColor_);
        return (options_ & normalOption) ? normalLine : ToQColor(color_);
    };
    if (cols.line > 0) {
        int pos = 0;
        auto draw = [&](int i) {
            pos += cols.Size(i);
            const QRect line(pos, 0, cols.line, area.height());
            pos += cols.line;
            if (line.left() >= area.right() + 1)
                return;
            p.fillRect(QRect(line.left(), 0, line.width(), fixedHeight),
                       lineColour(true, goFixedVertLine, goVertLine));
            p.fillRect(QRect(line.left(), fixedHeight, line.width(), area.height() - fixedHeight),
                       lineColour(i < fixedCols_, goFixedVertLine, goVertLine));
        };
        for (int i = 0; i < std::min(cols.fixed, cols.count); ++i)
            draw(i);
        for (int i = cols.first; i < cols.count && pos < cols.extent; ++i)
            draw(i);
    }
    if (rows.line > 0) {
        int pos = 0;
        auto draw = [&](int i) {
            pos += rows.Size(i);
            const QRect line(0, pos, area.width(), rows.line);
            pos += rows.line;
            if (line.bottom() < paintRect_.top() || line.top() > paintRect_.bottom())
                return;
            p.fillRect(QRect(0, line.top(), fixedWidth, line.height()),
                       lineColour(true, goFixedHorzLine, goHorzLine));
            p.fillRect(QRect(fixedWidth, line.top(), area.width() - fixedWidth, line.height()),
                       lineColour(i < fixedRows_, goFixedHorzLine, goHorzLine));
        };
        for (int i = 0; i < std::min(rows.fixed, rows.count); ++i)
            draw(i);
        for (int i = rows.first; i < rows.count && pos < rows.extent && pos <= paintRect_.bottom(); ++i)
            draw(i);
    }
}

void TCustomGrid::PaintMoveAndSizeMarks()
{
    QPainter& p = *canvas_.Painter();
    switch (gridState_) {
    case TGridState::gsColSizing:
        p.fillRect(QRect(movePos_, 0, 1, viewport()->height()), Qt::black);
        break;
    case TGridState::gsRowSizing:
        p.fillRect(QRect(0, movePos_, viewport()->width(), 1), Qt::black);
        break;
    case TGridState::gsColMoving: {
        const QRect target = CellRect(movePos_, 0);
        if (!target.isEmpty() && movePos_ != moveIndex_) {
            const int x = movePos_ > moveIndex_ ? target.right() : target.left();
            p.fillRect(QRect(x - 1, 0, 3, viewport()->height()), Qt::black);
        }
        break;
    }
    case TGridState::gsRowMoving: {
        const QRect target = CellRect(0, movePos_);
        if (!target.isEmpty() && movePos_ != moveIndex_) {
            const int y = movePos_ > moveIndex_ ? target.bottom() : target.top();
            p.fillRect(QRect(0, y - 1, viewport()->width(), 3), Qt::black);
        }
        break;
    }
    default:
        break;
    }
}

void TCustomGrid::DrawCell(int, int, const QRect&, TGridDrawState) {}

void TCustomGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    ExtentsChanged();
}

void TCustomGrid::scrollContentsBy(int, int)
{
    // The grid scrolls by its top left cell, never by pixel offsets.
}

// ---- the in-place editor -------------------------------------------------------

bool TCustomGrid::IsActiveControl() const
{
    return hasFocus() || (editor_ && editor_->hasFocus());
}

TInplaceEdit* TCustomGrid::CreateEditor()
{
    return new TInplaceEdit(this);
}

bool TCustomGrid::CanEditShow()
{
    return (options_ & (goRowSelect | goEditing)) == goEditing && editorMode_
           && ((options_ & goAlwaysShowEditor) || IsActiveControl());
}

bool TCustomGrid::CanEditModify() { return true; }
bool TCustomGrid::CanEditAcceptKey(QChar) { return true; }
int TCustomGrid::GetEditLimit() { return 0; }
QString TCustomGrid::GetEditMask(int, int) { return {}; }
QString TCustomGrid::GetEditText(int, int) { return {}; }
void TCustomGrid::SetEditText(int, int, const QString&) {}

void TCustomGrid::SetEditorMode(bool on)
{
    if (on)
        ShowEditor();
    else
        HideEditor();
}

void TCustomGrid::ShowEditor()
{
    editorMode_ = true;
    UpdateEdit();
}

void TCustomGrid::HideEditor()
{
    editorMode_ = (options_ & goAlwaysShowEditor) != 0;
    if (!editor_ || !editor_->isVisible())
        return;
    UpdateText();
    const bool hadFocus = editor_->hasFocus();
    if (hadFocus)
        setFocus();
    editor_->hide();
    editorCell_ = {-1, -1};
    InvalidateCell(current_.X, current_.Y);
}

void TCustomGrid::InvalidateEditor()
{
    editorCell_ = {-1, -1};
    UpdateEdit();
}

void TCustomGrid::UpdateEdit()
{
    if (!CanEditShow()) {
        if (editor_ && editor_->isVisible()) {
            if (editor_->hasFocus())
                setFocus();
            editor_->hide();
        }
        editorCell_ = {-1, -1};
        return;
    }
    if (!editor_)
        editor_ = CreateEditor();
    if (!(editorCell_ == current_)) {
        editorCell_ = current_;
        editor_->UpdateContents();
    }
    PlaceEditor();
}

void TCustomGrid::PlaceEditor()
{
    if (!editor_ || editorCell_.X < 0)
        return;
    const QRect rect = CellRect(editorCell_.X, editorCell_.Y);
    if (rect.isEmpty()) {
        if (editor_->isVisible()) {
            if (editor_->hasFocus())
                setFocus();
            editor_->hide();
        }
        return;
    }
    editor_->setGeometry(rect);
    if (!editor_->isVisible()) {
        editor_->show();
        if (hasFocus() || (options_ & goAlwaysShowEditor) == 0 || isActiveWindow())
            editor_->setFocus();
    }
}

void TCustomGrid::UpdateText()
{
    if (editor_ && editorCell_.X >= 0 && editor_->Modified())
        SetEditText(editorCell_.X, editorCell_.Y, editor_->Text());
}

void TCustomGrid::RestoreEditorText()
{
    if (!editor_ || editorCell_.X < 0 || !editor_->Modified())
        return;
    editor_->SetText(editorOriginal_);
    editor_->SetModified(false);
    SetEditText(editorCell_.X, editorCell_.Y, editorOriginal_);
}

void TCustomGrid::FocusChanged(QWidget* old, QWidget* now)
{
    const bool was = old && (old == this || old == editor_);
    const bool is = now && (now == this || now == editor_);
    if (was == is)
        return;
    if (options_ & goRowSelect)
        InvalidateRow(current_.Y);
    else
        InvalidateCell(current_.X, current_.Y);
    if (is) {
        UpdateEdit();
        DoEnter();
    } else {
        DoExit();
    }
}
