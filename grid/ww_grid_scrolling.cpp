// TwwCustomDBGrid: scrolling through the records, and the scroll bars.
#include "grid/ww_custom_db_grid.h"
#include "platform/db/dataset.h"
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

void TwwCustomDBGrid::Scroll(int distance)
{
    const int oldRow = Row();
    InvalidateIndicator();
    FollowActiveRecord();
    // The record moved by its place in the window and by the window's move.
    if (recNo_ && oldRow >= titleOffset_) *recNo_ += link_.ActiveRecord() - (oldRow - titleOffset_) + distance;
    UpdateScrollPos();
    InvalidateIndicator();
    if (distance == 0) return;
    HideControl();
    if (std::abs(distance) >= VisibleRowCount())
        InvalidateGrid();
    else
        ScrollDataRows(distance, oldRow);
    if (EditorMode()) InvalidateEditor();
    if ((options_ & dgAlwaysShowEditor) && !CanEditShowControl(Col(), Row())) ShowEditor();
    DoTopRowChanged();
}

// The rows already drawn move by the distance; only the rows that come into
// view, and the rows where the current row's marks were and are, repaint.
void TwwCustomDBGrid::ScrollDataRows(int distance, int oldRow)
{
    const int first = titleOffset_;
    const int last = RowCount() - 1;
    const QRect top = CellRect(0, first);
    const QRect bottom = CellRect(0, last);
    if (top.isEmpty() || bottom.isEmpty() || last <= first) {
        InvalidateGrid();
        return;
    }
    const int pitch = CellRect(0, first + 1).top() - top.top();
    const QRect rows(0, top.top(), viewport()->width(), bottom.top() + pitch - top.top());
    viewport()->scroll(0, -distance * pitch, rows);
    const int movedMarks = oldRow - distance;
    if (movedMarks >= first && movedMarks <= last) InvalidateRow(movedMarks);
    InvalidateRow(Row());
}

int TwwCustomDBGrid::ScrollBarPosition()
{
    TDataSet* dataSet = DataSet();
    if (!dataSet->IsSequenced()) return dataSet->Bof() ? 0 : dataSet->Eof() ? 4 : 2;
    if (dataSet->Bof()) {
        recNo_ = 1;
        return 0;
    }
    if (dataSet->Eof()) {
        recNo_ = dataSet->RecordCount();
        return 200;
    }
    if (!recNo_) {
        const int recNo = dataSet->RecNo();
        if (recNo > 0) recNo_ = recNo;   // a record being inserted has no number
    }
    const int count = std::max(dataSet->RecordCount(), 2);
    return std::clamp(int((qint64(recNo_.value_or(1)) - 1) * 200 / (count - 1)), 0, 200);
}

// The horizontal bar is the base grid's, over the columns; the vertical one
// is the grid's own, over the records (a policy is set only when it changes,
// since each change lays the scroll area out again).
void TwwCustomDBGrid::UpdateScrollRange()
{
    UpdateHorizontalScrollRange();
    const bool vertical = showVertScrollBar_ && link_.Active();
    const Qt::ScrollBarPolicy policy = vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (verticalScrollBarPolicy() != policy) setVerticalScrollBarPolicy(policy);
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, vertical ? (DataSet()->IsSequenced() ? 200 : 4) : 0);
    bar->setPageStep(1);
    bar->setSingleStep(1);
    UpdateScrollPos();
}

void TwwCustomDBGrid::UpdateScrollPos()
{
    horizontalScrollBar()->setValue(LeftCol() - TCustomGrid::FixedCols());
    if (!showVertScrollBar_ || !link_.Active()) return;
    QScrollBar* bar = verticalScrollBar();
    const int position = ScrollBarPosition();
    if (bar->value() != position) bar->setValue(position);
}

void TwwCustomDBGrid::ScrollBarAction(Qt::Orientation orientation, TScrollCode code, int position)
{
    if (orientation != Qt::Vertical || !link_.Active()) {
        TCustomGrid::ScrollBarAction(orientation, code, position);
        return;
    }
    if (focusPolicy() == Qt::NoFocus) return;
    TDataSet* dataSet = DataSet();
    switch (code) {
    case TScrollCode::scLineUp: MoveToPriorRecord(); break;
    case TScrollCode::scLineDown: MoveToNextRecord(); break;
    case TScrollCode::scPageUp: dataSet->MoveBy(-VisibleRowCount()); break;
    case TScrollCode::scPageDown: dataSet->MoveBy(VisibleRowCount()); break;
    case TScrollCode::scTop: dataSet->First(); break;
    case TScrollCode::scBottom: dataSet->Last(); break;
    case TScrollCode::scPosition:
        if (dataSet->IsSequenced()) {
            if (position <= 0) dataSet->First();
            else if (position >= 200) dataSet->Last();
            else dataSet->SetRecNo(int(qint64(position) * dataSet->RecordCount() / 200 + 1));
        } else if (position <= 0) {
            dataSet->First();
        } else if (position == 1) {
            dataSet->MoveBy(-VisibleRowCount());
        } else if (position == 3) {
            dataSet->MoveBy(VisibleRowCount());
        } else if (position >= 4) {
            dataSet->Last();
        }
        break;
    case TScrollCode::scTrack: break;
    }
    UpdateScrollPos();
}

// The wheel moves through the records, not through the grid's rows.
void TwwCustomDBGrid::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    if (link_.Active() && steps != 0) DataSet()->MoveBy(-steps);
    event->accept();
}
