// TDataSet: opening and closing, fields, events and their notification.
#include "platform/db/dataset.h"
#include "platform/db/data_source.h"
#include "platform/db/db_errors.h"
#include "platform/db/fields.h"
#include <algorithm>
#include <utility>

TDataSet::TDataSet(TComponent* owner)
    : TComponent(owner)
{
}

// Closes without events: the program is taking the dataset down.
TDataSet::~TDataSet()
{
    state_ = dsInactive;
    for (TDataSource* source : std::vector<TDataSource*>(dataSources_)) source->DataSetGone();
    dataSources_.clear();
    cursor_.reset();
    for (TField* field : fields_) field->dataSet_ = nullptr;
    fields_.clear();
}

void TDataSet::SetActive(bool active)
{
    if (active)
        Open();
    else
        Close();
}

void TDataSet::Open()
{
    if (Active()) return;
    DoBeforeOpen();
    state_ = dsOpening;
    try {
        OpenCursor();
        ClearBuffers();
        cursor_->First();
        if (cursor_->HasRecord()) FillFromCursor(0);
        bof_ = true;
        eof_ = recordCount_ == 0;
    } catch (...) {
        CloseCursor();
        state_ = dsInactive;
        throw;
    }
    state_ = dsInactive;
    SetState(dsBrowse);
    for (const QPointer<TDataSet>& user : std::exchange(lookupUsersWaiting_, {}))
        if (user) user->RecomputeBufferedCalcFields();
    DoAfterOpen();
    if (!IsEmpty()) DoAfterScroll();
}

void TDataSet::Close()
{
    if (!Active()) return;
    DoBeforeClose();
    keyBuffer_ = nullptr;
    SetState(dsInactive);
    CloseCursor();
    ClearBuffers();
    DoAfterClose();
}

void TDataSet::OpenCursor()
{
    cursor_ = CreateHandle();
    InitFieldDefs();
    if (fields_.empty()) CreateDefaultFields();
    BindFields();
    ActivateCursor();
}

void TDataSet::CloseCursor()
{
    cursor_.reset();
    DestroyDefaultFields();
}

void TDataSet::InitFieldDefs()
{
    if (cursor_) fieldDefs_.Assign(cursor_->Desc());
}

void TDataSet::ActivateCursor()
{
    InstallCursorFilter();
}

TFieldDefs& TDataSet::FieldDefs()
{
    if (fieldDefs_.Count() == 0) InitFieldDefs();
    return fieldDefs_;
}

void TDataSet::CheckActive() const
{
    if (!Active()) DatabaseError(DbText::DataSetClosed());
}

void TDataSet::CheckInactive() const
{
    if (Active()) DatabaseError(DbText::DataSetOpen());
}

void TDataSet::SetState(TDataSetState state)
{
    if (state_ == state) return;
    state_ = state;
    modified_ = false;
    DataEvent(deUpdateState, {});
}

// ---- fields

TField* TDataSet::Fields(int index) const
{
    if (index < 0 || index >= FieldCount()) throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return fields_[size_t(index)];
}

TField* TDataSet::FindField(const QString& name) const
{
    for (TField* field : fields_)
        if (field->FieldName().compare(name, Qt::CaseInsensitive) == 0) return field;
    return nullptr;
}

TField* TDataSet::FieldByName(const QString& name) const
{
    TField* field = FindField(name);
    if (!field) DatabaseError(DbText::FieldNotFound(name));
    return field;
}

std::vector<TField*> TDataSet::GetFieldList(const QString& names) const
{
    std::vector<TField*> result;
    for (const QString& name : SplitFieldNames(names)) result.push_back(FieldByName(name));
    return result;
}

void TDataSet::AddField(TField* field)
{
    fields_.push_back(field);
}

void TDataSet::RemoveField(TField* field)
{
    fields_.erase(std::remove(fields_.begin(), fields_.end(), field), fields_.end());
    if (Active()) FieldLayoutChanged();
}

void TDataSet::MoveField(TField* field, int index)
{
    const auto from = std::find(fields_.begin(), fields_.end(), field);
    if (from == fields_.end()) return;
    fields_.erase(from);
    index = std::clamp(index, 0, FieldCount());
    fields_.insert(fields_.begin() + index, field);
    FieldLayoutChanged();
}

void TDataSet::FieldLayoutChanged()
{
    if (Active()) DataEvent(deLayoutChange, {});
}

void TDataSet::CreateDefaultFields()
{
    for (int i = 0; i < fieldDefs_.Count(); ++i) {
        const TFieldDef& def = fieldDefs_.Items(i);
        TField* field = CreateFieldOfType(def.DataType, this, def.Size);
        field->fieldName_ = def.Name;
        field->required_ = def.Required;
        field->defaultField_ = true;
        field->dataSet_ = this;
        fields_.push_back(field);
    }
}

// Data fields take their column by name; calculated and lookup fields a slot
// of the record's calculated part.
void TDataSet::BindFields()
{
    calcFieldCount_ = 0;
    for (TField* field : fields_) {
        if (field->fieldKind_ == fkData) {
            const int column = cursor_->Desc().ColumnIndex(field->fieldName_);
            if (column < 0) DatabaseError(DbText::FieldNotFound(field->fieldName_));
            field->fieldNo_ = column + 1;
            field->calcSlot_ = -1;
        } else {
            field->fieldNo_ = 0;
            field->calcSlot_ = calcFieldCount_++;
        }
    }
}

void TDataSet::DestroyDefaultFields()
{
    std::vector<TField*> defaults;
    for (TField* field : fields_)
        if (field->defaultField_) defaults.push_back(field);
    for (TField* field : defaults) {
        fields_.erase(std::find(fields_.begin(), fields_.end(), field));
        field->dataSet_ = nullptr;
        delete field;
    }
}

TRecordBuffer TDataSet::NewBuffer() const
{
    TRecordBuffer buffer;
    const size_t columns = cursor_ ? cursor_->Desc().Columns.size() : 0;
    buffer.Values.resize(columns);
    buffer.Assigned.resize(columns, false);
    buffer.Calc.resize(size_t(calcFieldCount_));
    return buffer;
}

const QVariant& TDataSet::FieldData(const TField& field) const
{
    static const QVariant null;
    if (validating_ == &field) return *validatingValue_;
    const TRecordBuffer* buffer = CurrentBuffer();
    if (!buffer) return null;
    if (field.fieldKind_ == fkData) {
        const qsizetype column = field.fieldNo_ - 1;
        return column >= 0 && column < buffer->Values.size() ? buffer->Values[column] : null;
    }
    const size_t slot = size_t(field.calcSlot_);
    return field.calcSlot_ >= 0 && slot < buffer->Calc.size() ? buffer->Calc[slot] : null;
}

// Writes a field of the current record. Data fields need edit or insert mode
// (or the key of dsSetKey) and pass OnValidate first; calculated fields are
// written while they are computed.
void TDataSet::SetFieldData(TField& field, const QVariant& value)
{
    const bool data = field.fieldKind_ == fkData;
    const bool computing = scratch_ != nullptr || state_ == dsCalcFields;
    if (data) {
        if (state_ == dsSetKey) {
            if (!keyBuffer_ || field.fieldNo_ <= 0) DatabaseError(DbText::FieldNotFound(field.DisplayName()));
            keyBuffer_->Values[size_t(field.fieldNo_ - 1)] = value;
            keyBuffer_->Assigned[size_t(field.fieldNo_ - 1)] = true;
            return;
        }
        if (computing || !IsEditState(state_)) DatabaseError(DbText::NotEditing());
        if (field.readOnly_) DatabaseError(DbText::FieldReadOnly(field.DisplayName()));
        if (field.OnValidate) {
            validating_ = &field;
            validatingValue_ = &value;
            struct TReset {
                TDataSet& dataSet;
                ~TReset() { dataSet.validating_ = nullptr; dataSet.validatingValue_ = nullptr; }
            } reset{*this};
            field.DoValidate();
        }
    } else if (!computing && !IsEditState(state_)) {
        DatabaseError(DbText::NotEditing());
    }
    TRecordBuffer* buffer = CurrentBuffer();
    if (!buffer) DatabaseError(DbText::NotEditing());
    if (data)
        buffer->Values[size_t(field.fieldNo_ - 1)] = value;
    else if (field.calcSlot_ >= 0)
        buffer->Calc[size_t(field.calcSlot_)] = value;
    if (computing) return;
    if (data) modified_ = true;
    DataEvent(deFieldChange, {&field, 0});
}

// ---- events

// A field change recomputes the calculated fields (unless AutoCalcFields is
// off) and fires the field's OnChange before the controls hear of it.
void TDataSet::DataEvent(TDataEvent event, const TDataEventInfo& info)
{
    if (event == deFieldChange && info.Field) {
        if (info.Field->fieldKind_ == fkData && autoCalcFields_ && HasCalcFields() && recordCount_ > 0)
            ComputeCalcFields(buffers_[size_t(activeRecord_)]);
        info.Field->DoChange();
    }
    if (ControlsDisabled()) {
        if (event == deLayoutChange || (event == deUpdateState && state_ == dsInactive)) pendingLayout_ = true;
        pendingChange_ = true;
        return;
    }
    for (TDataSource* source : std::vector<TDataSource*>(dataSources_)) source->DataEvent(event, info);
}

void TDataSet::DisableControls()
{
    if (disableCount_++ == 0) {
        pendingChange_ = false;
        pendingLayout_ = false;
    }
}

// The controls catch up with everything that happened meanwhile in one change.
void TDataSet::EnableControls()
{
    if (disableCount_ == 0 || --disableCount_ > 0) return;
    if (!pendingChange_) return;
    const bool layout = pendingLayout_;
    pendingChange_ = pendingLayout_ = false;
    DataEvent(deUpdateState, {});
    if (Active()) DataEvent(layout ? deLayoutChange : deDataSetChange, {});
}

void TDataSet::AddDataSource(TDataSource* source)
{
    dataSources_.push_back(source);
    UpdateBufferCount();
}

void TDataSet::RemoveDataSource(TDataSource* source)
{
    dataSources_.erase(std::remove(dataSources_.begin(), dataSources_.end(), source), dataSources_.end());
    UpdateBufferCount();
}

void TDataSet::UpdateBufferCount()
{
    int count = 1;
    for (const TDataSource* source : dataSources_) count = std::max(count, source->MaxBufferCount());
    SetBufferCount(count);
}

#define QUELT_DO_EVENT(Method, Event) \
    void TDataSet::Method() { if (Event) Event(*this); }
QUELT_DO_EVENT(DoBeforeOpen, BeforeOpen)
QUELT_DO_EVENT(DoAfterOpen, AfterOpen)
QUELT_DO_EVENT(DoBeforeClose, BeforeClose)
QUELT_DO_EVENT(DoAfterClose, AfterClose)
QUELT_DO_EVENT(DoBeforeInsert, BeforeInsert)
QUELT_DO_EVENT(DoAfterInsert, AfterInsert)
QUELT_DO_EVENT(DoBeforeEdit, BeforeEdit)
QUELT_DO_EVENT(DoAfterEdit, AfterEdit)
QUELT_DO_EVENT(DoBeforePost, BeforePost)
QUELT_DO_EVENT(DoAfterPost, AfterPost)
QUELT_DO_EVENT(DoBeforeCancel, BeforeCancel)
QUELT_DO_EVENT(DoAfterCancel, AfterCancel)
QUELT_DO_EVENT(DoBeforeDelete, BeforeDelete)
QUELT_DO_EVENT(DoAfterDelete, AfterDelete)
QUELT_DO_EVENT(DoBeforeScroll, BeforeScroll)
QUELT_DO_EVENT(DoAfterScroll, AfterScroll)
QUELT_DO_EVENT(DoAfterRefresh, AfterRefresh)
QUELT_DO_EVENT(DoOnNewRecord, OnNewRecord)
QUELT_DO_EVENT(DoOnCalcFields, OnCalcFields)
#undef QUELT_DO_EVENT

void TDataSet::DoOnPostError(EDatabaseError& error, TDataAction& action)
{
    if (OnPostError) OnPostError(*this, error, action);
}

void TDataSet::DoOnEditError(EDatabaseError& error, TDataAction& action)
{
    if (OnEditError) OnEditError(*this, error, action);
}

void TDataSet::DoOnDeleteError(EDatabaseError& error, TDataAction& action)
{
    if (OnDeleteError) OnDeleteError(*this, error, action);
}

void TDataSet::ReopenCursor()
{
    cursor_ = CreateHandle();
    cursorIndex_ = -1;
    ActivateCursor();
}

std::optional<QVariant> TDataSet::StoredValue(const TField& field, const QVariant& value)
{
    if (value.isNull()) return QVariant();
    try {
        return field.ToStored(value);
    } catch (const Exception&) {
        return std::nullopt;
    }
}
