// TDataSet: calculated and lookup fields, record filters, Locate and Lookup.
#include "platform/db/dataset.h"
#include "platform/db/db_errors.h"
#include "platform/db/field.h"
#include <algorithm>

namespace {

// Puts a member back when the scope ends.
template <typename T>
class TRestore {
public:
    TRestore(T& target, T value) : target_(target), saved_(target) { target_ = value; }
    ~TRestore() { target_ = saved_; }
    TRestore(const TRestore&) = delete;
    TRestore& operator=(const TRestore&) = delete;

private:
    T& target_;
    T saved_;
};

std::vector<QVariant> ValueList(const QVariant& values, size_t count)
{
    if (count > 1 && values.typeId() == QMetaType::QVariantList) {
        const QVariantList list = values.toList();
        return {list.begin(), list.end()};
    }
    return {values};
}

bool IsNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Double: case QMetaType::Float: case QMetaType::Short: case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

} // namespace

// ---- calculated and lookup fields

void TDataSet::ComputeCalcFields(TRecordBuffer& buffer)
{
    TRestore<TRecordBuffer*> scratch(scratch_, &buffer);
    TRestore<TDataSetState> state(state_, dsCalcFields);
    std::fill(buffer.Calc.begin(), buffer.Calc.end(), QVariant());
    for (TField* field : fields_)
        if (field->fieldKind_ == fkLookup) ComputeLookupField(*field, buffer);
    DoOnCalcFields();
}

// The lookup dataset's row is found by its own cursor: its visible record
// and its pending edit stay as they are.
void TDataSet::ComputeLookupField(TField& field, TRecordBuffer& buffer)
{
    TDataSet* lookup = field.LookupDataSet();
    if (!lookup || field.calcSlot_ < 0) return;
    if (!lookup->Active()) {
        auto& waiting = lookup->lookupUsersWaiting_;
        if (std::find(waiting.begin(), waiting.end(), this) == waiting.end()) waiting.emplace_back(this);
        return;
    }
    QVariantList keys;
    for (const TField* key : GetFieldList(field.KeyFields())) {
        const QVariant value = key->Value();
        if (value.isNull()) return;
        keys << value;
    }
    if (keys.isEmpty()) return;
    const QVariant result = LookupResult(field, *lookup, keys);
    if (result.isNull()) return;
    try {
        buffer.Calc[size_t(field.calcSlot_)] = field.ToStored(result);
    } catch (const Exception&) {
        buffer.Calc[size_t(field.calcSlot_)] = QVariant();
    }
}

void TDataSet::RecomputeBufferedCalcFields()
{
    if (!HasCalcFields() || (state_ != dsBrowse && !IsEditState(state_))) return;
    std::vector<TLookupFound> found;
    TRestore<std::vector<TLookupFound>*> cache(lookupsFound_, &found);
    for (int i = 0; i < recordCount_; ++i) ComputeCalcFields(buffers_[size_t(i)]);
    // A control being typed in keeps its text; the others show the new values.
    if (state_ == dsBrowse) DataEvent(deDataSetChange, {});
}

QVariant TDataSet::LookupResult(const TField& field, TDataSet& lookup, const QVariantList& keys)
{
    if (lookupsFound_)
        for (const TLookupFound& found : *lookupsFound_)
            if (found.Field == &field && found.Keys == keys) return found.Result;
    QVariant result = lookup.LookupValues(field.LookupKeyFields(), keys.size() == 1 ? keys.front() : QVariant(keys),
                                          field.LookupResultField());
    if (lookupsFound_) lookupsFound_->push_back({&field, keys, result});
    return result;
}

bool TDataSet::WithScratchRecord(const TRecordValues& values, qint64 rowId, const std::function<bool()>& test)
{
    TRecordBuffer record = NewBuffer();
    record.Values = values;
    record.Bookmark = rowId;
    if (HasCalcFields()) ComputeCalcFields(record);
    TRestore<TRecordBuffer*> scratch(scratch_, &record);
    return test();
}

// ---- record filters

void TDataSet::SetFiltered(bool filtered)
{
    if (filtered_ == filtered) return;
    if (Active()) CheckBrowseMode();
    filtered_ = filtered;
    if (!Active()) return;
    InstallCursorFilter();
    CursorViewChanged();
}

int TDataSet::AddRecordFilter(TRecordTest test)
{
    const int handle = nextFilterHandle_++;
    recordFilters_[handle] = std::move(test);
    if (cursor_) {
        InstallCursorFilter();
        if (state_ != dsOpening) CursorViewChanged();
    }
    return handle;
}

void TDataSet::RemoveRecordFilter(int handle)
{
    if (!recordFilters_.erase(handle) || !cursor_) return;
    InstallCursorFilter();
    if (state_ != dsOpening) CursorViewChanged();
}

bool TDataSet::HasRecordFilters() const
{
    return !recordFilters_.empty();
}

void TDataSet::InstallCursorFilter()
{
    if (!cursor_) return;
    if (filtered_ || !recordFilters_.empty())
        cursor_->SetFilter([this](const TRecordValues& values) { return FilterAccepts(values); });
    else
        cursor_->SetFilter({});
}

// The record under test is the current record in dsFilter state. A record
// read by the event itself (a nested fetch) is accepted.
bool TDataSet::FilterAccepts(const TRecordValues& values)
{
    if (inFilter_) return true;
    TRecordBuffer record = NewBuffer();
    record.Values = values;
    TRestore<bool> guard(inFilter_, true);
    if (HasCalcFields()) ComputeCalcFields(record);
    TRestore<TRecordBuffer*> scratch(scratch_, &record);
    TRestore<TDataSetState> state(state_, dsFilter);
    bool accept = true;
    if (filtered_ && OnFilterRecord) OnFilterRecord(*this, accept);
    for (auto it = recordFilters_.begin(); accept && it != recordFilters_.end(); ++it) accept = it->second();
    return accept;
}

// ---- Locate and Lookup

bool TDataSet::ValueMatches(const TField& field, const QVariant& fieldValue, const QVariant& wanted,
                            TLocateOptions options)
{
    const bool text = field.DataType() == TFieldType::ftString || field.DataType() == TFieldType::ftMemo;
    if (text) {
        const QString own = fieldValue.toString();
        const QString key = wanted.toString();
        const Qt::CaseSensitivity cs = (options & loCaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
        return (options & loPartialKey) ? own.startsWith(key, cs) : own.compare(key, cs) == 0;
    }
    if (wanted.isNull() || fieldValue.isNull()) return wanted.isNull() && fieldValue.isNull();
    QVariant key;
    try {
        key = field.ToStored(wanted);
    } catch (const Exception&) {
        return false;
    }
    if (IsNumber(key) && IsNumber(fieldValue)) return key.toDouble() == fieldValue.toDouble();
    return key == fieldValue;
}

bool TDataSet::RowMatches(const std::vector<TField*>& fields, const std::vector<QVariant>& values,
                          TLocateOptions options)
{
    for (size_t i = 0; i < fields.size(); ++i)
        if (!ValueMatches(*fields[i], fields[i]->Value(), i < values.size() ? values[i] : QVariant(), options))
            return false;
    return true;
}

std::optional<bool> TDataSet::SeekLocate(const std::vector<TField*>&, const std::vector<QVariant>&, TLocateOptions,
                                         qint64&)
{
    return std::nullopt;
}

// Leaves the cursor on the row found; the window is untouched.
bool TDataSet::LocateRow(const std::vector<TField*>& fields, const std::vector<QVariant>& values,
                         TLocateOptions options, qint64& rowId)
{
    cursorIndex_ = -1;
    if (const std::optional<bool> sought = SeekLocate(fields, values, options, rowId)) return *sought;
    bool dataOnly = true;
    for (const TField* field : fields) dataOnly = dataOnly && field->fieldKind_ == fkData;
    for (cursor_->First(); cursor_->HasRecord(); cursor_->Next()) {
        const TRecordValues& record = cursor_->Record();
        bool match = true;
        if (dataOnly) {
            for (size_t i = 0; i < fields.size() && match; ++i)
                match = ValueMatches(*fields[i], record[size_t(fields[i]->fieldNo_ - 1)],
                                     i < values.size() ? values[i] : QVariant(), options);
        } else {
            match = WithScratchRecord(record, cursor_->RowId(), [&] { return RowMatches(fields, values, options); });
        }
        if (match) {
            rowId = cursor_->RowId();
            return true;
        }
    }
    return false;
}

bool TDataSet::Locate(const QString& keyFields, const QVariant& keyValues, TLocateOptions options)
{
    CheckBrowseMode();
    const std::vector<TField*> fields = GetFieldList(keyFields);
    DoBeforeScroll();
    qint64 rowId = 0;
    if (!LocateRow(fields, ValueList(keyValues, fields.size()), options, rowId)) return false;
    if (!cursor_->HasRecord() || cursor_->RowId() != rowId) cursor_->GotoRowId(rowId);
    Resync(rmExact | rmCenter);
    DoAfterScroll();
    return true;
}

QVariant TDataSet::Lookup(const QString& keyFields, const QVariant& keyValues, const QString& resultFields)
{
    CheckBrowseMode();
    return LookupValues(keyFields, keyValues, resultFields);
}

QVariant TDataSet::LookupValues(const QString& keyFields, const QVariant& keyValues, const QString& resultFields)
{
    if (!Active()) return {};
    const std::vector<TField*> fields = GetFieldList(keyFields);
    const std::vector<TField*> results = GetFieldList(resultFields);
    qint64 rowId = 0;
    if (!LocateRow(fields, ValueList(keyValues, fields.size()), 0, rowId)) return {};
    QVariantList values;
    WithScratchRecord(cursor_->Record(), rowId, [&] {
        for (const TField* field : results) values << field->Value();
        return true;
    });
    if (values.size() == 1) return values.front();
    return values;
}
