// TDataSet: the record window and navigation. The window holds BufferCount
// records around the current one; the engine cursor sits on one of them
// (cursorIndex_), so that scrolling past either end costs one cursor move.
#include "platform/db/dataset.h"
#include "platform/db/db_errors.h"
#include "platform/db/field.h"
#include <QScopeGuard>
#include <algorithm>
#include <utility>

void TDataSet::ClearBuffers()
{
    recordCount_ = 0;
    activeRecord_ = 0;
    cursorIndex_ = -1;
}

// Reads into the spare buffer, whose memory a record that left the window
// lent it: a walk allocates nothing per row. The caller swaps it into place.
TRecordBuffer& TDataSet::ReadCursorRecord()
{
    TRecordBuffer& buffer = spareRecord_;
    buffer.Bookmark = cursor_->RowId();
    buffer.Values = cursor_->Record();
    buffer.Calc.assign(size_t(calcFieldCount_), QVariant());
    buffer.Assigned.clear();
    if (HasCalcFields()) ComputeCalcFields(buffer);
    return buffer;
}

int TDataSet::LastStoredBuffer() const
{
    for (int i = recordCount_ - 1; i >= 0; --i)
        if (buffers_[size_t(i)].Bookmark) return i;
    return -1;
}

int TDataSet::FirstStoredBuffer() const
{
    for (int i = 0; i < recordCount_; ++i)
        if (buffers_[size_t(i)].Bookmark) return i;
    return -1;
}

// Moves the cursor onto a buffer's row: by steps from the buffer it sits on,
// checked by row id, else by bookmark.
bool TDataSet::MoveCursorTo(int index)
{
    const TBookmark& bookmark = buffers_[size_t(index)].Bookmark;
    if (!bookmark) return false;
    if (cursorIndex_ >= 0 && cursorIndex_ < recordCount_ && cursor_->HasRecord()) {
        for (int at = cursorIndex_; at < index && cursor_->Next(); ++at) {}
        for (int at = cursorIndex_; at > index && cursor_->Prior(); --at) {}
        if (cursor_->HasRecord() && cursor_->RowId() == *bookmark) {
            cursorIndex_ = index;
            return true;
        }
    }
    cursorIndex_ = -1;
    if (!cursor_->GotoRowId(*bookmark)) return false;
    cursorIndex_ = index;
    return true;
}

bool TDataSet::FetchNext(int& shift)
{
    shift = 0;
    const int last = LastStoredBuffer();
    if (last < 0 || !MoveCursorTo(last) || !cursor_->Next()) {
        cursorIndex_ = -1;
        return false;
    }
    TRecordBuffer& record = ReadCursorRecord();
    if (recordCount_ < BufferCount()) {
        std::swap(buffers_[size_t(recordCount_)], record);
        cursorIndex_ = recordCount_++;
    } else {
        std::rotate(buffers_.begin(), buffers_.begin() + 1, buffers_.end());
        std::swap(buffers_.back(), record);
        cursorIndex_ = recordCount_ - 1;
        activeRecord_ = std::max(0, activeRecord_ - 1);
        shift = 1;
    }
    return true;
}

bool TDataSet::FetchPrior(int& shift)
{
    shift = 0;
    const int first = FirstStoredBuffer();
    if (first < 0 || !MoveCursorTo(first) || !cursor_->Prior()) {
        cursorIndex_ = -1;
        return false;
    }
    TRecordBuffer& record = ReadCursorRecord();
    if (recordCount_ < BufferCount()) {
        std::rotate(buffers_.begin(), buffers_.begin() + recordCount_, buffers_.begin() + recordCount_ + 1);
        ++recordCount_;
        ++activeRecord_;
    } else {
        std::rotate(buffers_.rbegin(), buffers_.rbegin() + 1, buffers_.rend());
        activeRecord_ = std::min(activeRecord_ + 1, recordCount_ - 1);
        shift = -1;
    }
    std::swap(buffers_.front(), record);
    cursorIndex_ = 0;
    return true;
}

int TDataSet::GetNextRecords()
{
    int read = 0;
    int shift = 0;
    while (recordCount_ < BufferCount() && FetchNext(shift)) ++read;
    return read;
}

// The cursor's row becomes the active record with up to `before` rows above
// it; the rest of the window is filled after it, then before it when the
// rows after run out.
void TDataSet::FillFromCursor(int before)
{
    std::vector<TLookupFound> found;
    std::vector<TLookupFound>* const outer = std::exchange(lookupsFound_, &found);
    const auto restore = qScopeGuard([&] { lookupsFound_ = outer; });
    ClearBuffers();
    std::swap(buffers_.front(), ReadCursorRecord());
    recordCount_ = 1;
    cursorIndex_ = 0;
    int shift = 0;
    for (int i = 0; i < before && FetchPrior(shift); ++i) {}
    GetNextRecords();
    while (recordCount_ < BufferCount() && FetchPrior(shift)) {}
}

void TDataSet::Resync(TResyncMode mode)
{
    CheckActive();
    if (!cursor_->HasRecord()) {
        if (cursor_->Eof())
            cursor_->Last();
        else
            cursor_->First();
    }
    if (!cursor_->HasRecord()) {
        ClearBuffers();
        bof_ = eof_ = true;
    } else {
        const int before = (mode & rmCenter) ? (BufferCount() - 1) / 2 : std::min(activeRecord_, BufferCount() - 1);
        FillFromCursor(before);
        bof_ = eof_ = false;
    }
    DataEvent(deDataSetChange, {});
}

void TDataSet::UpdateCursorPos()
{
    if (recordCount_ > 0 && buffers_[size_t(activeRecord_)].Bookmark) MoveCursorTo(activeRecord_);
}

void TDataSet::CursorViewChanged()
{
    ClearBuffers();
    cursor_->First();
    if (cursor_->HasRecord()) FillFromCursor(0);
    bof_ = true;
    eof_ = recordCount_ == 0;
    DataEvent(deDataSetChange, {});
}

void TDataSet::SetBufferCount(int count)
{
    count = std::max(count, 1);
    if (count == BufferCount()) return;
    const int oldRecords = recordCount_;
    // Shrinking drops empty slots first, then records after the active one,
    // then records before it.
    while (BufferCount() > count) {
        if (recordCount_ == BufferCount() && activeRecord_ == recordCount_ - 1) {
            buffers_.erase(buffers_.begin());
            --activeRecord_;
            cursorIndex_ = cursorIndex_ > 0 ? cursorIndex_ - 1 : -1;
        } else {
            buffers_.pop_back();
        }
        recordCount_ = std::min(recordCount_, BufferCount());
    }
    if (cursorIndex_ >= recordCount_) cursorIndex_ = -1;
    buffers_.resize(size_t(count));
    if (state_ == dsBrowse && recordCount_ > 0) {
        int shift = 0;
        GetNextRecords();
        while (recordCount_ < BufferCount() && FetchPrior(shift)) {}
    }
    if (state_ != dsOpening && Active() && recordCount_ != oldRecords) DataEvent(deDataSetChange, {});
}

// ---- navigation

void TDataSet::First()
{
    CheckBrowseMode();
    DoBeforeScroll();
    CursorViewChanged();
    DoAfterScroll();
}

void TDataSet::Last()
{
    CheckBrowseMode();
    DoBeforeScroll();
    ClearBuffers();
    cursor_->Last();
    if (cursor_->HasRecord()) FillFromCursor(BufferCount() - 1);
    bof_ = recordCount_ == 0;
    eof_ = true;
    DataEvent(deDataSetChange, {});
    DoAfterScroll();
}

int TDataSet::MoveBy(int distance)
{
    CheckBrowseMode();
    int moved = 0;
    DoBeforeScroll();
    if ((distance > 0 && !eof_) || (distance < 0 && !bof_)) {
        bof_ = eof_ = false;
        const int oldRecords = recordCount_;
        int scrolled = 0;
        int shift = 0;
        for (; distance > 0; --distance, ++moved) {
            if (activeRecord_ < recordCount_ - 1) {
                ++activeRecord_;
            } else if (FetchNext(shift)) {
                scrolled += shift;
                activeRecord_ = recordCount_ - 1;
            } else {
                eof_ = true;
                break;
            }
        }
        for (; distance < 0; ++distance, --moved) {
            if (activeRecord_ > 0) {
                --activeRecord_;
            } else if (FetchPrior(shift)) {
                scrolled += shift;
                activeRecord_ = 0;
            } else {
                bof_ = true;
                break;
            }
        }
        if (recordCount_ != oldRecords)
            DataEvent(deDataSetChange, {});
        else
            DataEvent(deDataSetScroll, {nullptr, scrolled});
        DoAfterScroll();
    }
    return moved;
}

bool TDataSet::IsEmpty() const
{
    return recordCount_ == 0;
}

int TDataSet::RecordCount()
{
    CheckActive();
    return cursor_->RecordCount();
}

int TDataSet::RecNo()
{
    CheckActive();
    if (recordCount_ == 0 || !buffers_[size_t(activeRecord_)].Bookmark) return 0;
    UpdateCursorPos();
    return cursor_->RecNo();
}

// A near record is reached by scrolling; a far one by moving the cursor to it
// and reading a new window around it (past either end: the last or first).
// So is a near one when the window no longer holds the rows on the way.
void TDataSet::SetRecNo(int recNo)
{
    CheckBrowseMode();
    const int current = RecNo();
    if (current == 0 || recNo == current) return;
    const int distance = recNo - current;
    if (std::abs(distance) < BufferCount() && WindowStandsInOrderTowards(distance, current)) {
        MoveBy(distance);
        return;
    }
    DoBeforeScroll();
    UpdateCursorPos();
    cursor_->GotoRecNo(recNo);
    cursorIndex_ = -1;
    Resync(rmCenter);
    DoAfterScroll();
}

// Whether the window's records from the active one (number recNo) towards
// distance still follow one another in the view: a row another component
// inserted or deleted between them since they were read would make a scroll
// land a row off.
bool TDataSet::WindowStandsInOrderTowards(int distance, int recNo)
{
    const int edge = std::clamp(activeRecord_ + distance, 0, recordCount_ - 1);
    if (edge == activeRecord_) return true;
    return MoveCursorTo(edge) && cursor_->RecNo() == recNo + edge - activeRecord_;
}

bool TDataSet::IsSequenced() const
{
    return !filtered_ && recordFilters_.empty();
}

// ---- bookmarks

TBookmark TDataSet::GetBookmark() const
{
    if (recordCount_ == 0) return std::nullopt;
    return buffers_[size_t(activeRecord_)].Bookmark;
}

void TDataSet::GotoBookmark(const TBookmark& bookmark)
{
    CheckBrowseMode();
    DoBeforeScroll();
    if (!bookmark || !cursor_->GotoRowId(*bookmark)) DatabaseError(QStringLiteral("Record not found"));
    cursorIndex_ = -1;
    Resync(rmExact | rmCenter);
    DoAfterScroll();
}

int TDataSet::CompareBookmarks(const TBookmark& a, const TBookmark& b) const
{
    if (!a || !b) return a ? 1 : (b ? -1 : 0);
    CheckActive();
    return cursor_->CompareRowIds(*a, *b);
}

bool TDataSet::BookmarkValid(const TBookmark& bookmark)
{
    if (!bookmark || !Active()) return false;
    cursorIndex_ = -1;
    return cursor_->GotoRowId(*bookmark);
}
