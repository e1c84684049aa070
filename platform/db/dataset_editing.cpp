// TDataSet: editing, in the class library's event order. A Before event that
// raises (EAbort: silently) stops the operation with the state unchanged.
#include "platform/db/dataset.h"
#include "platform/db/db_errors.h"
#include "platform/db/field.h"
#include <algorithm>

// Runs an engine operation; its error goes to the On...Error event, whose
// action fails (raises the error), aborts silently or retries.
template <typename Operation>
void TDataSet::CheckOperation(Operation operation, void (TDataSet::*handler)(EDatabaseError&, TDataAction&))
{
    for (;;) {
        try {
            operation();
            return;
        } catch (EDatabaseError& error) {
            TDataAction action = daFail;
            (this->*handler)(error, action);
            if (action == daFail) throw;
            if (action == daAbort) Abort();
        }
    }
}

bool TDataSet::CanModify() const
{
    return Active();
}

void TDataSet::InternalEdit(TRecordBuffer&)
{
    UpdateCursorPos();
}

qint64 TDataSet::InternalPost(const TRecordBuffer&, bool)
{
    DatabaseError(DbText::DataSetReadOnly());
}

void TDataSet::InternalDelete(qint64)
{
    DatabaseError(DbText::DataSetReadOnly());
}

void TDataSet::InternalInitRecord(TRecordBuffer&)
{
}

void TDataSet::Edit()
{
    if (IsEditState(state_)) return;
    CheckActive();
    if (recordCount_ == 0) {
        Insert();
        return;
    }
    CheckBrowseMode();
    if (!CanModify()) DatabaseError(DbText::DataSetReadOnly());
    CheckMasterStored();
    DoBeforeEdit();
    CheckOperation([this] { InternalEdit(buffers_[size_t(activeRecord_)]); }, &TDataSet::DoOnEditError);
    TRecordBuffer& active = buffers_[size_t(activeRecord_)];
    if (HasCalcFields()) ComputeCalcFields(active);
    savedRecord_ = active;
    SetState(dsEdit);
    DataEvent(deRecordChange, {});
    DoAfterEdit();
}

void TDataSet::Insert()
{
    BeginInsertAppend(false);
}

void TDataSet::Append()
{
    BeginInsertAppend(true);
}

// The new record: a fresh buffer in the window (before the current row, or
// after the last row for Append), the link values of a detail, OnNewRecord,
// and only then does the insert state reach the controls.
void TDataSet::BeginInsertAppend(bool append)
{
    CheckActive();
    CheckBrowseMode();
    if (!CanModify()) DatabaseError(DbText::DataSetReadOnly());
    CheckMasterStored();
    DoBeforeInsert();
    DoBeforeScroll();
    insertAnchor_ = GetBookmark();
    TRecordBuffer fresh = NewBuffer();
    if (append) {
        ClearBuffers();
        cursor_->Last();
        if (cursor_->HasRecord()) {
            insertAnchor_ = cursor_->RowId();
            FillFromCursor(BufferCount() - 2);
        }
        if (recordCount_ == BufferCount()) {
            std::rotate(buffers_.begin(), buffers_.begin() + 1, buffers_.end());
            cursorIndex_ = cursorIndex_ > 0 ? cursorIndex_ - 1 : -1;
        } else {
            ++recordCount_;
        }
        activeRecord_ = recordCount_ - 1;
        eof_ = true;
    } else {
        if (recordCount_ == 0) {
            recordCount_ = 1;
            activeRecord_ = 0;
        } else {
            const int end = std::min(recordCount_ + 1, BufferCount());
            std::rotate(buffers_.begin() + activeRecord_, buffers_.begin() + end - 1, buffers_.begin() + end);
            recordCount_ = end;
            if (cursorIndex_ >= activeRecord_) cursorIndex_ = cursorIndex_ + 1 < recordCount_ ? cursorIndex_ + 1 : -1;
        }
    }
    buffers_[size_t(activeRecord_)] = std::move(fresh);
    state_ = dsInsert;
    try {
        InternalInitRecord(buffers_[size_t(activeRecord_)]);
        DoOnNewRecord();
    } catch (...) {
        state_ = dsBrowse;
        RestoreWindow(insertAnchor_);
        throw;
    }
    if (HasCalcFields()) ComputeCalcFields(buffers_[size_t(activeRecord_)]);
    modified_ = false;
    DataEvent(deUpdateState, {});
    DataEvent(deDataSetChange, {});
    DoAfterInsert();
    DoAfterScroll();
}

// Reads the window again around a row (or from the first row when there is none).
void TDataSet::RestoreWindow(const TBookmark& anchor)
{
    cursorIndex_ = -1;
    if (anchor && cursor_->GotoRowId(*anchor))
        Resync(0);
    else
        CursorViewChanged();
}

void TDataSet::Post()
{
    UpdateRecord();
    if (state_ == dsSetKey) {
        keyBuffer_ = nullptr;
        SetState(dsBrowse);
        return;
    }
    DataEvent(deCheckBrowseMode, {});
    CheckMasterStored();
    DoBeforePost();
    if (!IsEditState(state_)) return;   // BeforePost cancelled the record
    const bool inserting = state_ == dsInsert;
    if (!inserting) UpdateCursorPos();
    qint64 rowId = 0;
    CheckOperation([&] { rowId = InternalPost(buffers_[size_t(activeRecord_)], inserting); }, &TDataSet::DoOnPostError);
    SetState(dsBrowse);
    // The stored row stays current while it is in view; a row that left the
    // view (another master value, out of range) gives way to its neighbour.
    cursor_->Refresh();
    cursorIndex_ = -1;
    const bool onRow = cursor_->HasRecord() && cursor_->RowId() == rowId;
    if (!onRow && !cursor_->GotoRowId(rowId) && inserting && insertAnchor_) cursor_->GotoRowId(*insertAnchor_);
    Resync(0);
    DoAfterPost();
}

void TDataSet::Cancel()
{
    if (state_ == dsSetKey) {
        keyBuffer_ = nullptr;
        SetState(dsBrowse);
        return;
    }
    if (!IsEditState(state_)) return;
    DataEvent(deCheckBrowseMode, {});
    DoBeforeCancel();
    const bool inserting = state_ == dsInsert;
    if (!inserting) buffers_[size_t(activeRecord_)] = savedRecord_;
    SetState(dsBrowse);
    if (inserting)
        RestoreWindow(insertAnchor_);
    else
        DataEvent(deDataSetChange, {});
    DoAfterCancel();
}

void TDataSet::Delete()
{
    CheckActive();
    if (state_ == dsInsert || state_ == dsSetKey) {
        Cancel();
        return;
    }
    if (recordCount_ == 0) DatabaseError(DbText::DataSetEmpty());
    if (!CanModify()) DatabaseError(DbText::DataSetReadOnly());
    DataEvent(deCheckBrowseMode, {});
    DoBeforeDelete();
    DoBeforeScroll();
    const qint64 rowId = *buffers_[size_t(activeRecord_)].Bookmark;
    UpdateCursorPos();
    CheckOperation([&] { InternalDelete(rowId); }, &TDataSet::DoOnDeleteError);
    SetState(dsBrowse);
    cursor_->Refresh();
    cursorIndex_ = -1;
    Resync(0);
    DoAfterDelete();
    DoAfterScroll();
}

void TDataSet::Refresh()
{
    CheckBrowseMode();
    UpdateCursorPos();
    cursor_->Refresh();
    cursorIndex_ = -1;
    Resync(0);
    DoAfterRefresh();
}

void TDataSet::CheckBrowseMode()
{
    CheckActive();
    DataEvent(deCheckBrowseMode, {});
    if (IsEditState(state_)) {
        UpdateRecord();
        if (modified_)
            Post();
        else
            Cancel();
    } else if (state_ == dsSetKey) {
        Post();
    }
}

void TDataSet::UpdateRecord()
{
    if (!IsEditState(state_) && state_ != dsSetKey) DatabaseError(DbText::NotEditing());
    DataEvent(deUpdateRecord, {});
}
