#include "platform/db/data_link.h"
#include "platform/db/field.h"
#include <algorithm>

TDataLink::~TDataLink()
{
    if (dataSource_) dataSource_->RemoveLink(this);
}

void TDataLink::SetDataSource(TDataSource* source)
{
    if (source == dataSource_) return;
    if (dataSource_) dataSource_->RemoveLink(this);
    dataSource_ = source;
    if (dataSource_) dataSource_->AddLink(this);
    UpdateActiveState();
    UpdateEditingState();
}

TDataSet* TDataLink::DataSet() const
{
    return dataSource_ ? dataSource_->DataSet() : nullptr;
}

void TDataLink::SetReadOnly(bool readOnly)
{
    readOnly_ = readOnly;
    UpdateEditingState();
}

void TDataLink::UpdateActiveState()
{
    const bool active = dataSource_ && dataSource_->State() != dsInactive;
    if (active == active_) return;
    active_ = active;
    if (active_) {
        firstRecord_ = 0;
        UpdateWindow(0);
    }
    ActiveChanged();
}

void TDataLink::UpdateEditingState()
{
    const bool editing = active_ && !readOnly_ && IsEditState(dataSource_->State());
    if (editing == editing_) return;
    editing_ = editing;
    EditingChanged();
}

// After the dataset's window moved its records up by shift, this link's
// window follows its first record, then moves just enough to hold the active
// record and to stay filled. Returns how many records the link's window moved.
int TDataLink::UpdateWindow(int shift)
{
    const TDataSet* dataSet = DataSet();
    const int old = firstRecord_ - shift;
    int first = old;
    const int active = dataSet->ActiveRecord();
    if (active < first) first = active;
    if (active >= first + bufferCount_) first = active - bufferCount_ + 1;
    if (first + bufferCount_ > dataSet->BufferedRecords()) first = dataSet->BufferedRecords() - bufferCount_;
    first = std::max(first, 0);
    firstRecord_ = first;
    return first - old;
}

void TDataLink::DataEvent(TDataEvent event, const TDataEventInfo& info)
{
    if (!active_) return;
    switch (event) {
    case deFieldChange:
    case deRecordChange:
        // Also while this link writes its control's value: a rule may change
        // other fields of the record with it, and this link may show them.
        RecordChanged(info.Field);
        break;
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange: {
        const int distance = dataSource_->State() == dsSetKey ? 0
                             : UpdateWindow(event == deDataSetScroll ? info.Distance : 0);
        if (event == deDataSetScroll)
            DataSetScrolled(distance);
        else if (event == deLayoutChange)
            LayoutChanged();
        else
            DataSetChanged();
        break;
    }
    case deUpdateRecord:
        UpdateRecord();
        break;
    case deCheckBrowseMode:
        CheckBrowseMode();
        break;
    case deFocusControl:
        FocusControl(info.Field);
        break;
    case deUpdateState:
        break;
    }
}

int TDataLink::ActiveRecord() const
{
    return active_ ? DataSet()->ActiveRecord() - firstRecord_ : 0;
}

void TDataLink::SetActiveRecord(int record)
{
    if (!active_ || dataSource_->State() == dsSetKey) return;
    TDataSet* dataSet = DataSet();
    dataSet->activeRecord_ = std::clamp(firstRecord_ + record, 0, std::max(0, dataSet->BufferedRecords() - 1));
}

void TDataLink::SetBufferCount(int count)
{
    count = std::max(count, 1);
    if (count == bufferCount_) return;
    bufferCount_ = count;
    if (!active_) return;
    UpdateWindow(0);
    DataSet()->UpdateBufferCount();
    UpdateWindow(0);
}

int TDataLink::RecordCount() const
{
    if (!active_) return 0;
    return std::clamp(DataSet()->BufferedRecords() - firstRecord_, 0, bufferCount_);
}

bool TDataLink::Bof() const
{
    return active_ && DataSet()->Bof();
}

bool TDataLink::Eof() const
{
    return active_ && DataSet()->Eof();
}

int TDataLink::MoveBy(int distance)
{
    return active_ ? DataSet()->MoveBy(distance) : 0;
}

bool TDataLink::Edit()
{
    if (!readOnly_ && dataSource_) dataSource_->Edit();
    return editing_;
}

void TDataLink::UpdateRecord()
{
    updating_ = true;
    struct TReset {
        bool& flag;
        ~TReset() { flag = false; }
    } reset{updating_};
    UpdateData();
}

// ---- TFieldDataLink

void TFieldDataLink::SetFieldName(const QString& name)
{
    if (fieldName_ == name) return;
    fieldName_ = name;
    UpdateField();
}

void TFieldDataLink::UpdateField()
{
    TField* field = Active() && !fieldName_.isEmpty() ? DataSet()->FieldByName(fieldName_) : nullptr;
    if (field == field_) return;
    field_ = field;
    EditingChanged();
    RecordChanged(nullptr);
}

bool TFieldDataLink::CanModify() const
{
    return !ReadOnly() && field_ && field_->CanModify();
}

bool TFieldDataLink::Editing() const
{
    return fieldEditing_;
}

bool TFieldDataLink::Edit()
{
    if (CanModify()) TDataLink::Edit();
    return fieldEditing_;
}

void TFieldDataLink::Reset()
{
    RecordChanged(nullptr);
}

void TFieldDataLink::ActiveChanged()
{
    UpdateField();
    if (OnActiveChange) OnActiveChange();
}

void TFieldDataLink::LayoutChanged()
{
    UpdateField();
}

void TFieldDataLink::EditingChanged()
{
    const bool editing = TDataLink::Editing() && CanModify();
    if (editing == fieldEditing_) return;
    fieldEditing_ = editing;
    modified_ = false;
    if (OnEditingChange) OnEditingChange();
}

void TFieldDataLink::RecordChanged(TField* field)
{
    // While this link writes its control's value the control shows it already.
    if (field && Updating()) return;
    // A change of a data field works the calculated and lookup fields out again.
    const bool recalculated = field && field_ && field->FieldKind() == fkData && field_->FieldKind() != fkData;
    if (field && field != field_ && !recalculated) return;
    if (OnDataChange) OnDataChange();
    modified_ = false;
}

void TFieldDataLink::UpdateData()
{
    if (!modified_) return;
    if (field_ && OnUpdateData) OnUpdateData();
    modified_ = false;
}

void TFieldDataLink::FocusControl(TField* field)
{
    if (field && field == field_ && OnFocusControl) OnFocusControl();
}
