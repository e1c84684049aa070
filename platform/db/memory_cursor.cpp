#include "platform/db/memory_cursor.h"
#include "platform/db/db_errors.h"

TMemoryCursor::TMemoryCursor(TTableDesc desc, std::vector<TRecordValues> rows)
    : desc_(std::move(desc)), rows_(std::move(rows))
{
    BuildView();
}

std::unique_ptr<TMemoryCursor> TMemoryCursor::FromResultSet(TResultSet& result)
{
    TTableDesc desc;
    for (int column = 0; column < result.ColumnCount(); ++column)
        desc.Columns.push_back({result.ColumnName(column), result.ColumnType(column), result.ColumnSize(column), false});
    std::vector<TRecordValues> rows;
    while (result.Next()) {
        TRecordValues row(desc.Columns.size());
        for (int column = 0; column < result.ColumnCount(); ++column) row[size_t(column)] = result.Value(column);
        rows.push_back(std::move(row));
    }
    return std::make_unique<TMemoryCursor>(std::move(desc), std::move(rows));
}

void TMemoryCursor::BuildView()
{
    visible_.clear();
    for (int i = 0; i < int(rows_.size()); ++i) {
        const TRecordValues& row = rows_[size_t(i)];
        bool shown = true;
        for (const auto& [column, value] : equal_) shown = shown && row[size_t(column)] == value;
        if (shown && filters_.Any()) shown = filters_.Accepts(row);
        if (shown) visible_.push_back(i);
    }
    First();
}

void TMemoryCursor::First()
{
    current_ = 0;
    bof_ = true;
    eof_ = visible_.empty();
}

void TMemoryCursor::Last()
{
    current_ = int(visible_.size()) - 1;
    eof_ = true;
    bof_ = visible_.empty();
}

bool TMemoryCursor::Next()
{
    if (current_ + 1 >= int(visible_.size())) {
        current_ = int(visible_.size());
        eof_ = true;
        return false;
    }
    ++current_;
    bof_ = eof_ = false;
    return true;
}

bool TMemoryCursor::Prior()
{
    if (current_ <= 0) {
        current_ = -1;
        bof_ = true;
        return false;
    }
    current_ = std::min(current_, int(visible_.size())) - 1;
    bof_ = eof_ = false;
    return true;
}

bool TMemoryCursor::HasRecord() const
{
    return current_ >= 0 && current_ < int(visible_.size());
}

qint64 TMemoryCursor::RowId() const
{
    return HasRecord() ? visible_[size_t(current_)] + 1 : 0;
}

const TRecordValues& TMemoryCursor::Record() const
{
    if (!HasRecord()) DatabaseError(DbText::DataSetEmpty());
    return rows_[size_t(visible_[size_t(current_)])];
}

int TMemoryCursor::PositionOf(qint64 rowId) const
{
    for (int i = 0; i < int(visible_.size()); ++i)
        if (visible_[size_t(i)] + 1 == rowId) return i;
    return -1;
}

bool TMemoryCursor::GotoRowId(qint64 rowId)
{
    const int position = PositionOf(rowId);
    if (position < 0) return false;
    current_ = position;
    bof_ = eof_ = false;
    return true;
}

bool TMemoryCursor::Seek(const std::vector<QVariant>&, bool)
{
    DatabaseError(DbText::NoIndexFields());
}

int TMemoryCursor::CompareRowIds(qint64 a, qint64 b) const
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

int TMemoryCursor::RecNo()
{
    return HasRecord() ? current_ + 1 : 0;
}

bool TMemoryCursor::GotoRecNo(int recNo)
{
    if (recNo < 1) {
        current_ = -1;
        bof_ = true;
        eof_ = false;
        return false;
    }
    if (recNo > int(visible_.size())) {
        current_ = int(visible_.size());
        bof_ = false;
        eof_ = true;
        return false;
    }
    current_ = recNo - 1;
    bof_ = eof_ = false;
    return true;
}

// The rows of a result do not change; Refresh only re-applies the view.
void TMemoryCursor::Refresh()
{
    const qint64 row = RowId();
    const int position = current_;
    BuildView();
    if (!GotoRowId(row)) {
        current_ = std::min(position, int(visible_.size()));
        bof_ = current_ < 0;
        eof_ = current_ >= int(visible_.size());
    }
}

void TMemoryCursor::SetEqual(std::vector<std::pair<QString, QVariant>> equal)
{
    equal_.clear();
    for (const auto& [name, value] : equal) {
        const int column = desc_.ColumnIndex(name);
        if (column < 0) DatabaseError(DbText::FieldNotFound(name));
        equal_.emplace_back(column, value);
    }
    BuildView();
}

void TMemoryCursor::SetRange(bool hasRange, std::vector<QVariant>, std::vector<QVariant>)
{
    if (hasRange) DatabaseError(DbText::NoIndexFields());
}

void TMemoryCursor::SetFilter(std::function<bool(const TRecordValues&)> filter)
{
    filters_.SetCallback(std::move(filter));
    BuildView();
}

int TMemoryCursor::AddFilter(const QByteArray& expression)
{
    const int handle = filters_.Add(expression, desc_);
    BuildView();
    return handle;
}

void TMemoryCursor::DropFilter(int handle)
{
    if (filters_.Drop(handle)) BuildView();
}
