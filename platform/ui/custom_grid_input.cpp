// The grid's keyboard, mouse and scroll-bar handling.
#include "platform/ui/custom_grid.h"
#include "platform/ui/inplace_edit.h"
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimerEvent>
#include <QWheelEvent>
#include <algorithm>

namespace {

constexpr int SizingSlop = 2;            // pixels either side of a line that start sizing
constexpr int SelectionTimerMs = 60;

} // namespace

// ---- keyboard ------------------------------------------------------------------

bool TCustomGrid::event(QEvent* event)
{
    // With goTabs, Tab moves between cells instead of leaving the grid.
    if (event->type() == QEvent::KeyPress && (options_ & goTabs)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && !(key->modifiers() & Qt::AltModifier)) {
            keyPressEvent(key);
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

bool TCustomGrid::focusNextPrevChild(bool next)
{
    if (options_ & goTabs)
        return false;
    return QAbstractScrollArea::focusNextPrevChild(next);
}

void TCustomGrid::keyPressEvent(QKeyEvent* event)
{
    int key = event->key();
    KeyDown(key, event->modifiers());
    if (key == 0) {
        event->accept();
        return;
    }
    QChar ch = TCustomEdit::KeyChar(*event);
    if (ch.isNull()) {
        event->ignore();
        return;
    }
    KeyPress(ch);
    if (ch.isNull()) {
        event->accept();
        return;
    }
    // A character typed on a cell opens the editor and goes to it.
    if (ch.unicode() >= 32 && (options_ & goEditing) && !(options_ & goRowSelect)) {
        // A character typed on the grid replaces the cell's text, also when
        // the editor was left showing without the keys (after a refused value).
        const bool editorHadKeys = editor_ && editor_->hasFocus();
        ShowEditor();
        if (editor_ && editor_->isVisible()) {
            if (!editorHadKeys)
                editor_->selectAll();
            // A character beyond 16 bits goes on whole, both its halves.
            const QString text = ch.isHighSurrogate() ? event->text() : QString(ch);
            QKeyEvent typed(QEvent::KeyPress, event->key(), event->modifiers(), text);
            QApplication::sendEvent(editor_, &typed);
        }
    }
    event->accept();
}

void TCustomGrid::keyReleaseEvent(QKeyEvent* event)
{
    int key = event->key();
    KeyUp(key, event->modifiers());
    event->setAccepted(key == 0);
}

void TCustomGrid::KeyUp(int& key, Qt::KeyboardModifiers shift)
{
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TCustomGrid::KeyPress(QChar& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
    // Enter opens and closes the editor; without editing it is left to the
    // window (its default button). It is a character, not a key, so that a
    // derived grid's KeyPress sees it first (to write the text back).
    if (key != QChar(13) || !(options_ & goEditing) || (options_ & goRowSelect))
        return;
    if (options_ & goAlwaysShowEditor)
        UpdateText();
    else if (editor_ && editor_->isVisible())
        HideEditor();
    else
        ShowEditor();
    key = QChar();
}

void TCustomGrid::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
    if (key == 0)
        return;
    const bool ctrl = shift & Qt::ControlModifier;
    const bool rowSelect = options_ & goRowSelect;
    // Shift with range selection extends the selection from its anchor.
    const bool moveAnchor = !((shift & Qt::ShiftModifier) && (options_ & goRangeSelect))
                            || key == Qt::Key_Tab || key == Qt::Key_Backtab;
    TGridCoord next = current_;
    TGridCoord topLeft = topLeft_;
    const int page = VisibleRowCount();
    bool handled = true;
    switch (key) {
    case Qt::Key_Up:
        if (ctrl)
            topLeft.Y -= 1;
        else
            next.Y -= 1;
        break;
    case Qt::Key_Down:
        if (ctrl)
            topLeft.Y += 1;
        else
            next.Y += 1;
        break;
    case Qt::Key_Left:
        if (rowSelect || ctrl)
            topLeft.X -= 1;
        else
            next.X -= 1;
        break;
    case Qt::Key_Right:
        if (rowSelect || ctrl)
            topLeft.X += 1;
        else
            next.X += 1;
        break;
    case Qt::Key_PageUp:
        if (ctrl) {
            next.Y = topLeft_.Y;
        } else {
            next.Y -= page;
            topLeft.Y -= page;
        }
        break;
    case Qt::Key_PageDown:
        if (ctrl) {
            next.Y = LastVisibleRow();
        } else {
            next.Y += page;
            topLeft.Y += page;
        }
        break;
    case Qt::Key_Home:
        if (ctrl || rowSelect)
            next.Y = fixedRows_;
        if (!rowSelect)
            next.X = fixedCols_;
        break;
    case Qt::Key_End:
        if (ctrl || rowSelect)
            next.Y = rowCount_ - 1;
        if (!rowSelect)
            next.X = ColCount() - 1;
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        if (!(options_ & goTabs) || (shift & Qt::AltModifier)) {
            handled = false;
            break;
        }
        // Next (or prior) column with a tab stop, wrapping to the next row.
        const bool back = key == Qt::Key_Backtab || (shift & Qt::ShiftModifier);
        const TGridCoord start = current_;
        do {
            next.X += back ? -1 : 1;
            if (next.X >= ColCount()) {
                next.X = fixedCols_;
                next.Y = next.Y + 1 >= rowCount_ ? fixedRows_ : next.Y + 1;
            } else if (next.X < fixedCols_) {
                next.X = ColCount() - 1;
                next.Y = next.Y - 1 < fixedRows_ ? rowCount_ - 1 : next.Y - 1;
            }
        } while (!TabStops(next.X) && !(next == start));
        break;
    }
    case Qt::Key_F2:
        if (options_ & goEditing)
            ShowEditor();
        break;
    case Qt::Key_Escape:
        if (!editor_ || !editor_->isVisible()) {
            handled = false;
            break;
        }
        RestoreEditorText();
        if (options_ & goAlwaysShowEditor)
            editor_->SelectAll();
        else
            HideEditor();
        break;
    default:
        handled = false;
        break;
    }
    if (!handled)
        return;
    key = 0;
    next.X = std::clamp(next.X, fixedCols_, ColCount() - 1);
    next.Y = std::clamp(next.Y, fixedRows_, rowCount_ - 1);
    if (!(topLeft == topLeft_))
        MoveTopLeft(topLeft.X, topLeft.Y);
    if (!(next == current_) || moveAnchor)
        MoveCurrent(next.X, next.Y, moveAnchor, true);
}

// ---- mouse -----------------------------------------------------------------------

void TCustomGrid::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    MouseDown(event->button(), event->modifiers(), pos.x(), pos.y());
    event->accept();
}

void TCustomGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    MouseMove(event->buttons(), event->modifiers(), pos.x(), pos.y());
    event->accept();
}

void TCustomGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    MouseUp(event->button(), event->modifiers(), pos.x(), pos.y());
    event->accept();
}

void TCustomGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const TGridCoord cell = MouseCoord(pos.x(), pos.y());
    DblClick();
    if (event->button() == Qt::LeftButton && (options_ & goEditing) && cell == current_)
        ShowEditor();
    event->accept();
}

void TCustomGrid::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    if (!IsActiveControl() && focusPolicy() != Qt::NoFocus)
        setFocus(Qt::MouseFocusReason);
    if (button != Qt::LeftButton)
        return;
    mousePos_ = {x, y};
    const TGridAxis cols = ColAxis();
    const TGridAxis rows = RowAxis();
    const bool inFixedRows = y < rows.FixedExtent();
    const bool inFixedCols = x < cols.FixedExtent();
    if (inFixedRows && (options_ & goColSizing)) {
        const int index = cols.BoundaryAt(x, SizingSlop);
        if (index >= 0) {
            gridState_ = TGridState::gsColSizing;
            moveIndex_ = index;
            sizingStart_ = cols.Start(index);
            movePos_ = x;
            InvalidateGrid();
            return;
        }
    }
    if (inFixedCols && (options_ & goRowSizing)) {
        const int index = rows.BoundaryAt(y, SizingSlop);
        if (index >= 0) {
            gridState_ = TGridState::gsRowSizing;
            moveIndex_ = index;
            sizingStart_ = rows.Start(index);
            movePos_ = y;
            InvalidateGrid();
            return;
        }
    }
    const TGridCoord cell = MouseCoord(x, y);
    if (cell.X < 0 || cell.Y < 0)
        return;
    if (cell.Y < fixedRows_ && cell.X >= fixedCols_ && (options_ & goColMoving)) {
        gridState_ = TGridState::gsColMoving;
        moveIndex_ = movePos_ = cell.X;
        return;
    }
    if (cell.X < fixedCols_ && cell.Y >= fixedRows_ && (options_ & goRowMoving)) {
        gridState_ = TGridState::gsRowMoving;
        moveIndex_ = movePos_ = cell.Y;
        return;
    }
    if (cell.X < fixedCols_ || cell.Y < fixedRows_)
        return;
    if (cell == current_ && (options_ & goEditing) && !(editor_ && editor_->isVisible())) {
        ShowEditor();
        return;
    }
    const bool moveAnchor = !((shift & Qt::ShiftModifier) && (options_ & goRangeSelect));
    MoveCurrent(cell.X, cell.Y, moveAnchor, true);
    gridState_ = TGridState::gsSelecting;
    StartSelectionTimer();
}

void TCustomGrid::MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers, int x, int y)
{
    mousePos_ = {x, y};
    const TGridAxis cols = ColAxis();
    const TGridAxis rows = RowAxis();
    switch (gridState_) {
    case TGridState::gsColSizing:
        movePos_ = std::max(x, sizingStart_ + 1);
        InvalidateGrid();
        return;
    case TGridState::gsRowSizing:
        movePos_ = std::max(y, sizingStart_ + 1);
        InvalidateGrid();
        return;
    case TGridState::gsColMoving:
    case TGridState::gsRowMoving: {
        // The column (row) under the mouse, or the nearest one when it is outside.
        const bool colMoving = gridState_ == TGridState::gsColMoving;
        const TGridAxis& axis = colMoving ? cols : rows;
        const int pos = colMoving ? x : y;
        int target = axis.At(pos);
        if (target < 0)
            target = pos < 0 ? axis.fixed : axis.LastPartVisible();
        target = std::clamp(target, axis.fixed, axis.count - 1);
        if (target != movePos_) {
            movePos_ = target;
            InvalidateGrid();
        }
        return;
    }
    case TGridState::gsSelecting: {
        const TGridCoord cell = MouseCoord(x, y);
        if ((buttons & Qt::LeftButton) && cell.X >= fixedCols_ && cell.Y >= fixedRows_)
            MoveCurrent(cell.X, cell.Y, false, true);
        return;
    }
    case TGridState::gsNormal:
        break;
    }
    // The cursor shows where a line can be dragged.
    const bool colLine = (options_ & goColSizing) && y < rows.FixedExtent() && cols.BoundaryAt(x, SizingSlop) >= 0;
    const bool rowLine = (options_ & goRowSizing) && x < cols.FixedExtent() && rows.BoundaryAt(y, SizingSlop) >= 0;
    if (colLine)
        viewport()->setCursor(Qt::SplitHCursor);
    else if (rowLine)
        viewport()->setCursor(Qt::SplitVCursor);
    else
        viewport()->unsetCursor();
}

void TCustomGrid::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers, int, int)
{
    if (button != Qt::LeftButton)
        return;
    const TGridState state = gridState_;
    gridState_ = TGridState::gsNormal;
    StopSelectionTimer();
    switch (state) {
    case TGridState::gsColSizing:
        InvalidateGrid();
        SetColWidths(moveIndex_, movePos_ - sizingStart_);
        break;
    case TGridState::gsRowSizing:
        InvalidateGrid();
        SetRowHeights(moveIndex_, movePos_ - sizingStart_);
        break;
    case TGridState::gsColMoving:
        InvalidateGrid();
        if (movePos_ != moveIndex_)
            MoveColumn(moveIndex_, movePos_);
        break;
    case TGridState::gsRowMoving:
        InvalidateGrid();
        if (movePos_ != moveIndex_)
            MoveRow(moveIndex_, movePos_);
        break;
    default:
        break;
    }
    moveIndex_ = movePos_ = -1;
}

void TCustomGrid::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0)
        FocusCell(current_.X, current_.Y - steps, true);
    event->accept();
}

// ---- selection timer ----------------------------------------------------------------

void TCustomGrid::StartSelectionTimer()
{
    selectionTimer_.start(SelectionTimerMs, this);
}

void TCustomGrid::StopSelectionTimer()
{
    selectionTimer_.stop();
}

void TCustomGrid::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != selectionTimer_.timerId()) {
        QAbstractScrollArea::timerEvent(event);
        return;
    }
    SelectionTimerTick();
}

void TCustomGrid::SelectionTimerTick()
{
    if (gridState_ != TGridState::gsSelecting) {
        StopSelectionTimer();
        return;
    }
    // Held past an edge: one more row or column in that direction.
    const QPoint pos = viewport()->mapFromGlobal(QCursor::pos());
    TGridCoord next = current_;
    if (pos.y() < RowAxis().FixedExtent())
        next.Y = std::max(fixedRows_, topLeft_.Y - 1);
    else if (pos.y() >= viewport()->height())
        next.Y = std::min(rowCount_ - 1, LastVisibleRow() + 1);
    if (pos.x() < ColAxis().FixedExtent())
        next.X = std::max(fixedCols_, topLeft_.X - 1);
    else if (pos.x() >= viewport()->width())
        next.X = std::min(ColCount() - 1, ColAxis().LastFullVisible() + 1);
    if (!(next == current_))
        MoveCurrent(next.X, next.Y, false, true);
}

// ---- scroll bars ---------------------------------------------------------------------

void TCustomGrid::UpdateScrollRange()
{
    UpdateHorizontalScrollRange();
    UpdateVerticalScrollRange();
    UpdateScrollPos();
}

namespace {

// A policy is set only when it changes: each change lays the scroll area out again.
void SetPolicy(QAbstractScrollArea& area, Qt::Orientation orientation, bool shown)
{
    const Qt::ScrollBarPolicy policy = shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    if (orientation == Qt::Vertical && area.verticalScrollBarPolicy() != policy)
        area.setVerticalScrollBarPolicy(policy);
    if (orientation == Qt::Horizontal && area.horizontalScrollBarPolicy() != policy)
        area.setHorizontalScrollBarPolicy(policy);
}

} // namespace

void TCustomGrid::UpdateHorizontalScrollRange()
{
    const bool shown = scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth;
    SetPolicy(*this, Qt::Horizontal, shown);
    QScrollBar* bar = horizontalScrollBar();
    bar->setRange(0, shown ? std::max(0, MaxLeftCol() - fixedCols_) : 0);
    bar->setPageStep(std::max(1, VisibleColCount()));
    bar->setSingleStep(1);
}

void TCustomGrid::UpdateVerticalScrollRange()
{
    const bool shown = scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth;
    SetPolicy(*this, Qt::Vertical, shown);
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, shown ? std::max(0, MaxTopRow() - fixedRows_) : 0);
    bar->setPageStep(std::max(1, VisibleRowCount()));
    bar->setSingleStep(1);
}

void TCustomGrid::UpdateScrollPos()
{
    verticalScrollBar()->setValue(topLeft_.Y - fixedRows_);
    horizontalScrollBar()->setValue(topLeft_.X - fixedCols_);
}

void TCustomGrid::ScrollBarAction(Qt::Orientation orientation, TScrollCode code, int position)
{
    const bool vertical = orientation == Qt::Vertical;
    const int first = vertical ? topLeft_.Y : topLeft_.X;
    const int fixed = vertical ? fixedRows_ : fixedCols_;
    const int page = vertical ? VisibleRowCount() : VisibleColCount();
    const int last = vertical ? MaxTopRow() : MaxLeftCol();
    int target = first;
    switch (code) {
    case TScrollCode::scLineUp: target = first - 1; break;
    case TScrollCode::scLineDown: target = first + 1; break;
    case TScrollCode::scPageUp: target = first - page; break;
    case TScrollCode::scPageDown: target = first + page; break;
    case TScrollCode::scPosition:
    case TScrollCode::scTrack: target = fixed + position; break;
    case TScrollCode::scTop: target = fixed; break;
    case TScrollCode::scBottom: target = last; break;
    }
    if (vertical)
        MoveTopLeft(topLeft_.X, target);
    else
        MoveTopLeft(target, topLeft_.Y);
}

void TCustomGrid::HandleScrollBarAction(Qt::Orientation orientation, int action)
{
    QScrollBar* bar = orientation == Qt::Vertical ? verticalScrollBar() : horizontalScrollBar();
    TScrollCode code;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: code = TScrollCode::scLineUp; break;
    case QAbstractSlider::SliderSingleStepAdd: code = TScrollCode::scLineDown; break;
    case QAbstractSlider::SliderPageStepSub: code = TScrollCode::scPageUp; break;
    case QAbstractSlider::SliderPageStepAdd: code = TScrollCode::scPageDown; break;
    case QAbstractSlider::SliderToMinimum: code = TScrollCode::scTop; break;
    case QAbstractSlider::SliderToMaximum: code = TScrollCode::scBottom; break;
    case QAbstractSlider::SliderMove:
        // Without thumb tracking the thumb moves alone until it is released.
        if (!(options_ & goThumbTracking) && bar->isSliderDown())
            return;
        code = bar->isSliderDown() ? TScrollCode::scTrack : TScrollCode::scPosition;
        break;
    default: return;
    }
    ScrollBarAction(orientation, code, bar->sliderPosition());
    // The grid's own position wins over where the bar would have gone.
    bar->setSliderPosition(bar->value());
}

void TCustomGrid::HandleScrollBarRelease(Qt::Orientation orientation)
{
    if (options_ & goThumbTracking)
        return;
    QScrollBar* bar = orientation == Qt::Vertical ? verticalScrollBar() : horizontalScrollBar();
    ScrollBarAction(orientation, TScrollCode::scPosition, bar->sliderPosition());
    bar->setSliderPosition(bar->value());
}
