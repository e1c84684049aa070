#include "platform/db/table.h"
#include "platform/db/data_link.h"
#include "platform/db/db_errors.h"
#include "platform/db/field.h"
#include <QScopedValueRollback>

// Follows the master: each move or change of its link fields gives the detail
// a new view.
class TMasterDataLink : public TDataLink {
public:
    explicit TMasterDataLink(TTable& table) : table_(table) {}

protected:
    void ActiveChanged() override { table_.MasterChanged(); }
    void DataSetChanged() override { table_.MasterChanged(); }
    void DataSetScrolled(int) override { table_.MasterChanged(); }
    void RecordChanged(TField* field) override
    {
        if (!field || table_.MasterFieldList().contains(field->FieldName(), Qt::CaseInsensitive))
            table_.MasterChanged();
    }
    // A detail posts (or drops) its pending edit before the master moves;
    // not while the master posts for that very edit.
    void CheckBrowseMode() override
    {
        if (table_.Active() && table_.State() != dsSetKey && !table_.postingMaster_) table_.CheckBrowseMode();
    }

private:
    TTable& table_;
};

TTable::TTable(TComponent* owner)
    : TEngineDataSet(owner), masterLink_(std::make_unique<TMasterDataLink>(*this))
{
}

TTable::~TTable()
{
    masterLink_.reset();
}

void TTable::SetTableName(const QString& name)
{
    CheckInactive();
    tableName_ = name;
    indexDefs_.Clear();
    indexDefsRead_ = false;
    SetFieldDefs({});
}

void TTable::SetReadOnly(bool readOnly)
{
    CheckInactive();
    readOnly_ = readOnly;
}

bool TTable::CanModify() const
{
    return Active() && !readOnly_;
}

void TTable::InitFieldDefs()
{
    if (Cursor())
        TDataSet::InitFieldDefs();
    else if (!tableName_.isEmpty())
        SetFieldDefs(EngineDatabase().DescribeTable(tableName_));
}

TIndexDefs& TTable::IndexDefs()
{
    if (!indexDefsRead_ && !tableName_.isEmpty()) {
        indexDefs_.Assign(Cursor() ? Cursor()->Desc() : EngineDatabase().DescribeTable(tableName_));
        indexDefsRead_ = true;
    }
    return indexDefs_;
}

// ---- order

void TTable::SetIndexName(const QString& name)
{
    if (name == indexName_ && indexFieldNames_.isEmpty()) return;
    indexName_ = name;
    indexFieldNames_.clear();
    ChangeOrder();
}

void TTable::SetIndexFieldNames(const QString& names)
{
    if (names == indexFieldNames_ && indexName_.isEmpty()) return;
    indexFieldNames_ = names;
    indexName_.clear();
    ChangeOrder();
}

// The named index; or the given fields, with the case and direction rules of
// an index that has them; or the primary index.
TTable::TOrder TTable::CurrentOrder()
{
    TOrder order;
    if (!indexName_.isEmpty()) {
        const TIndexDef& def = IndexDefs().Find(indexName_);
        order = {def.Name, def.FieldList(), def.CaseInsensitive(), def.Descending()};
    } else if (!indexFieldNames_.isEmpty()) {
        order.Fields = SplitFieldNames(indexFieldNames_);
        if (const TIndexDef* def = IndexDefs().FindIndexForFields(indexFieldNames_)) {
            order.CaseInsensitive = def->CaseInsensitive();
            order.Descending = def->Descending();
        }
    } else {
        for (int i = 0; i < IndexDefs().Count(); ++i) {
            const TIndexDef& def = IndexDefs().Items(i);
            if (def.Options & ixPrimary) {
                order.Fields = def.FieldList();
                order.CaseInsensitive = def.CaseInsensitive();
                order.Descending = def.Descending();
            }
        }
    }
    return order;
}

// A new order on an open table: a new cursor, on the same row; a range
// belongs to the old order and goes.
void TTable::ChangeOrder()
{
    if (!Active()) return;
    CheckBrowseMode();
    const TBookmark bookmark = GetBookmark();
    rangeApplied_ = false;
    appliedStart_.clear();
    appliedEnd_.clear();
    ReopenCursor();
    if (bookmark && Cursor()->GotoRowId(*bookmark))
        Resync(rmExact | rmCenter);
    else
        CursorViewChanged();
}

int TTable::IndexFieldCount() const
{
    return int(orderFields_.size());
}

TField* TTable::IndexFields(int index) const
{
    if (index < 0 || index >= orderFields_.size()) throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return FieldByName(orderFields_[index]);
}

std::unique_ptr<TEngineCursor> TTable::CreateHandle()
{
    if (tableName_.isEmpty()) DatabaseError(DbText::NoTableName());
    const TOrder order = CurrentOrder();
    TCursorSpec spec;
    spec.Table = tableName_;
    spec.IndexName = order.IndexName;
    if (order.IndexName.isEmpty()) {
        spec.OrderFields = order.Fields;
        spec.CaseInsensitive = order.CaseInsensitive;
        spec.Descending = order.Descending;
    }
    orderFields_ = order.Fields;
    orderCaseInsensitive_ = order.CaseInsensitive;
    masterValues_ = MasterLinkValues();
    spec.Equal = masterValues_;
    spec.HasRange = rangeApplied_;
    spec.RangeStart = appliedStart_;
    spec.RangeEnd = appliedEnd_;
    return EngineDatabase().OpenCursor(spec);
}

// ---- writes

void TTable::InternalEdit(TRecordBuffer& buffer)
{
    TDataSet::InternalEdit(buffer);
    const std::optional<TRecordValues> row = EngineDatabase().ReadRow(tableName_, *buffer.Bookmark);
    if (!row) DatabaseError(DbText::RecordDeleted());
    buffer.Values = *row;
}

qint64 TTable::InternalPost(const TRecordBuffer& buffer, bool inserting)
{
    if (inserting) return EngineDatabase().InsertRow(tableName_, buffer.Values);
    EngineDatabase().UpdateRow(tableName_, *buffer.Bookmark, buffer.Values);
    return *buffer.Bookmark;
}

void TTable::InternalDelete(qint64 rowId)
{
    EngineDatabase().DeleteRow(tableName_, rowId);
}

// A new row of a detail carries the master's link values.
void TTable::InternalInitRecord(TRecordBuffer& buffer)
{
    for (const auto& [name, value] : MasterLinkValues()) {
        const int column = Cursor()->Desc().ColumnIndex(name);
        if (column >= 0) buffer.Values[size_t(column)] = value;
    }
}

// A master given up after its new row had details would leave them under a
// code no row holds, for the next new master to take: the master is stored
// first. Without a master row they would go under an empty code.
void TTable::CheckMasterStored()
{
    if (!masterLink_->Active() || masterFields_.isEmpty()) return;
    TDataSet* master = masterLink_->DataSet();
    if (master->State() == dsInsert) {
        const QScopedValueRollback posting(postingMaster_, true);
        master->Post();
    } else if (master->IsEmpty()) {
        DatabaseError(DbText::MasterRecordMissing());
    }
}

void TTable::EmptyTable()
{
    if (Active()) CheckBrowseMode();
    EngineDatabase().EmptyTable(tableName_);
    if (!Active()) return;
    Cursor()->Refresh();
    CursorViewChanged();
}

// ---- keys

void TTable::CheckIndexFields() const
{
    CheckActive();
    if (orderFields_.isEmpty()) DatabaseError(DbText::NoIndexFields());
}

void TTable::BeginKeyEdit(TRecordBuffer& key, bool clear)
{
    CheckBrowseMode();
    CheckIndexFields();
    if (clear || key.Values.size() != NewBuffer().Values.size()) key = NewBuffer();
    SetKeyBuffer(&key);
    SetState(dsSetKey);
}

void TTable::SetKey() { BeginKeyEdit(keyBuffer_, true); }
void TTable::EditKey() { BeginKeyEdit(keyBuffer_, false); }
void TTable::SetRangeStart() { BeginKeyEdit(rangeStart_, true); }
void TTable::SetRangeEnd() { BeginKeyEdit(rangeEnd_, true); }
void TTable::EditRangeStart() { BeginKeyEdit(rangeStart_, false); }
void TTable::EditRangeEnd() { BeginKeyEdit(rangeEnd_, false); }

// The order fields up to the last one given a value.
std::vector<QVariant> TTable::KeyValues(const TRecordBuffer& key) const
{
    std::vector<QVariant> values;
    int count = 0;
    for (int i = 0; i < orderFields_.size(); ++i) {
        const int column = Cursor()->Desc().ColumnIndex(orderFields_[i]);
        if (column >= 0 && size_t(column) < key.Assigned.size() && key.Assigned[size_t(column)]) count = i + 1;
    }
    for (int i = 0; i < count; ++i) {
        const int column = Cursor()->Desc().ColumnIndex(orderFields_[i]);
        values.push_back(key.Values[size_t(column)]);
    }
    return values;
}

// Values go through the fields, so that a text or a TDateTime becomes the
// column's type as an assignment would make it.
void TTable::AssignKey(const std::vector<QVariant>& values)
{
    if (int(values.size()) > IndexFieldCount()) {
        Cancel();
        DatabaseError(QStringLiteral("Too many key values for index '%1'").arg(orderFields_.join(QLatin1Char(';'))));
    }
    try {
        for (size_t i = 0; i < values.size(); ++i) IndexFields(int(i))->SetValue(values[i]);
    } catch (...) {
        Cancel();
        throw;
    }
}

bool TTable::GotoCurrentKey(bool nearest)
{
    CheckBrowseMode();
    CheckIndexFields();
    DoBeforeScroll();
    const bool found = Cursor()->Seek(KeyValues(keyBuffer_), nearest);
    CursorPosChanged();
    if (!found && !nearest) return false;
    Resync(rmExact | rmCenter);
    DoAfterScroll();
    return found;
}

bool TTable::GotoKey() { return GotoCurrentKey(false); }
void TTable::GotoNearest() { GotoCurrentKey(true); }

bool TTable::FindKey(const std::vector<QVariant>& keyValues)
{
    SetKey();
    AssignKey(keyValues);
    return GotoKey();
}

void TTable::FindNearest(const std::vector<QVariant>& keyValues)
{
    SetKey();
    AssignKey(keyValues);
    GotoNearest();
}

// An exact, whole-value search on the leading order fields is an index seek.
std::optional<bool> TTable::SeekLocate(const std::vector<TField*>& fields, const std::vector<QVariant>& values,
                                       TLocateOptions options, qint64& rowId)
{
    if ((options & loPartialKey) || fields.empty() || fields.size() > size_t(orderFields_.size()) ||
        values.size() != fields.size())
        return std::nullopt;
    std::vector<QVariant> key;
    for (size_t i = 0; i < fields.size(); ++i) {
        const TField& field = *fields[i];
        if (field.FieldKind() != fkData || field.FieldName().compare(orderFields_[int(i)], Qt::CaseInsensitive) != 0)
            return std::nullopt;
        const bool text = field.DataType() == TFieldType::ftString || field.DataType() == TFieldType::ftMemo;
        if (text && orderCaseInsensitive_ != bool(options & loCaseInsensitive)) return std::nullopt;
        const std::optional<QVariant> value = StoredValue(field, values[i]);
        if (!value || value->isNull()) return std::nullopt;
        key.push_back(*value);
    }
    if (!Cursor()->Seek(key, false)) return false;
    rowId = Cursor()->RowId();
    return true;
}

// ---- ranges

void TTable::ApplyRange()
{
    CheckBrowseMode();
    CheckIndexFields();
    appliedStart_ = KeyValues(rangeStart_);
    appliedEnd_ = KeyValues(rangeEnd_);
    rangeApplied_ = true;
    DoBeforeScroll();
    Cursor()->SetRange(true, appliedStart_, appliedEnd_);
    CursorViewChanged();
    DoAfterScroll();
}

void TTable::SetRange(const std::vector<QVariant>& startValues, const std::vector<QVariant>& endValues)
{
    SetRangeStart();
    AssignKey(startValues);
    SetRangeEnd();
    AssignKey(endValues);
    ApplyRange();
}

void TTable::CancelRange()
{
    CheckBrowseMode();
    if (!rangeApplied_) return;
    rangeApplied_ = false;
    appliedStart_.clear();
    appliedEnd_.clear();
    DoBeforeScroll();
    Cursor()->SetRange(false, {}, {});
    CursorViewChanged();
    DoAfterScroll();
}

// ---- master/detail

TDataSource* TTable::MasterSource() const
{
    return masterLink_->DataSource();
}

void TTable::SetMasterSource(TDataSource* source)
{
    for (const TDataSource* link = source; link;) {
        const TDataSet* dataSet = link->DataSet();
        if (!dataSet) break;
        if (dataSet == this) DatabaseError(DbText::CircularDataLink());
        link = dataSet->GetDataSource();
    }
    masterLink_->SetDataSource(source);
    if (!source) MasterChanged();
}

void TTable::SetMasterFields(const QString& fields)
{
    masterFields_ = fields;
    MasterChanged();
}

QStringList TTable::MasterFieldList() const
{
    return SplitFieldNames(masterFields_);
}

// The detail's link fields: its first order fields, or without enough of
// them the fields named as the master's.
QStringList TTable::DetailLinkFields() const
{
    const QStringList master = MasterFieldList();
    return orderFields_.size() >= master.size() ? orderFields_.mid(0, master.size()) : master;
}

std::vector<std::pair<QString, QVariant>> TTable::MasterLinkValues() const
{
    std::vector<std::pair<QString, QVariant>> values;
    if (!masterLink_->Active() || masterFields_.isEmpty()) return values;
    const std::vector<TField*> masterFields = masterLink_->DataSet()->GetFieldList(masterFields_);
    const QStringList detailFields = DetailLinkFields();
    for (size_t i = 0; i < masterFields.size(); ++i) values.emplace_back(detailFields[int(i)], masterFields[i]->Value());
    return values;
}

void TTable::MasterChanged()
{
    if (!Active() || State() == dsSetKey) return;
    std::vector<std::pair<QString, QVariant>> values = MasterLinkValues();
    if (values == masterValues_) return;
    CheckBrowseMode();
    masterValues_ = std::move(values);
    DoBeforeScroll();
    Cursor()->SetEqual(masterValues_);
    CursorViewChanged();
    DoAfterScroll();
}
