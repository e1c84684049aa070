#include "platform/db/data_source.h"
#include "platform/db/data_link.h"
#include "platform/db/db_errors.h"
#include <algorithm>

TDataSource::TDataSource(TComponent* owner)
    : TComponent(owner)
{
}

// Its controls hear that the source goes; its own events are not fired any more.
TDataSource::~TDataSource()
{
    OnStateChange = nullptr;
    OnDataChange = nullptr;
    OnUpdateData = nullptr;
    SetDataSet(nullptr);
    for (TDataLink* link : links_) link->dataSource_ = nullptr;
}

void TDataSource::SetDataSet(TDataSet* dataSet)
{
    if (dataSet == dataSet_) return;
    if (dataSet && IsLinkedTo(dataSet)) DatabaseError(DbText::CircularDataLink());
    if (dataSet_) dataSet_->RemoveDataSource(this);
    dataSet_ = dataSet;
    if (dataSet_) dataSet_->AddDataSource(this);
    UpdateState();
}

// Whether dataSet follows this source, directly or through its masters.
bool TDataSource::IsLinkedTo(const TDataSet* dataSet) const
{
    for (int depth = 0; dataSet && depth < 64; ++depth) {
        const TDataSource* source = dataSet->GetDataSource();
        if (!source) return false;
        if (source == this) return true;
        dataSet = source->DataSet();
    }
    return false;
}

void TDataSource::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    UpdateState();
}

void TDataSource::Edit()
{
    if (autoEdit_ && state_ == dsBrowse) dataSet_->Edit();
}

void TDataSource::DataSetGone()
{
    dataSet_ = nullptr;
    UpdateState();
}

void TDataSource::UpdateState()
{
    const TDataSetState state = enabled_ && dataSet_ ? dataSet_->State() : dsInactive;
    if (state == state_) return;
    state_ = state;
    for (TDataLink* link : std::vector<TDataLink*>(links_)) {
        link->UpdateActiveState();
        link->UpdateEditingState();
    }
    DoStateChange();
}

// The links first, so that OnDataChange sees the controls up to date.
void TDataSource::DataEvent(TDataEvent event, const TDataEventInfo& info)
{
    if (event == deUpdateState) {
        UpdateState();
        return;
    }
    if (state_ == dsInactive) return;
    NotifyLinks(event, info);
    switch (event) {
    case deFieldChange:
    case deRecordChange:
        DoDataChange(info.Field);
        break;
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange:
        DoDataChange(nullptr);
        break;
    case deUpdateRecord:
        DoUpdateData();
        break;
    default:
        break;
    }
}

void TDataSource::NotifyLinks(TDataEvent event, const TDataEventInfo& info)
{
    for (TDataLink* link : std::vector<TDataLink*>(links_)) link->DataEvent(event, info);
}

void TDataSource::AddLink(TDataLink* link)
{
    links_.push_back(link);
    if (dataSet_) dataSet_->UpdateBufferCount();
}

void TDataSource::RemoveLink(TDataLink* link)
{
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
    if (dataSet_) dataSet_->UpdateBufferCount();
}

int TDataSource::MaxBufferCount() const
{
    int count = 1;
    for (const TDataLink* link : links_) count = std::max(count, link->BufferCount());
    return count;
}

void TDataSource::DoStateChange()
{
    if (OnStateChange) OnStateChange(*this);
}

void TDataSource::DoDataChange(TField* field)
{
    if (OnDataChange) OnDataChange(*this, field);
}

void TDataSource::DoUpdateData()
{
    if (OnUpdateData) OnUpdateData(*this);
}
