#include "grid/ww_grid_data_link.h"
#include "grid/ww_custom_db_grid.h"
#include "platform/db/field.h"
#include "platform/rtl/exceptions.h"

namespace {
// The most columns a grid's field map holds.
constexpr int MaxMappedFields = 16380;
}

bool TwwGridDataLink::AddMapping(const QString& fieldName)
{
    const TDataSet* dataSet = DataSet();
    TField* field = dataSet ? dataSet->FindField(fieldName) : nullptr;
    if (!field) return false;
    if (FieldCount() >= MaxMappedFields) throw EInvalidOperation(QStringLiteral("Grid requested to display more than 256 columns"));
    fieldMap_.push_back(field->Index());
    return true;
}

TField* TwwGridDataLink::Fields(int i) const
{
    const TDataSet* dataSet = DataSet();
    if (!dataSet || i < 0 || i >= FieldCount()) return nullptr;
    const int index = fieldMap_[size_t(i)];
    return index < dataSet->FieldCount() ? dataSet->Fields(index) : nullptr;
}

void TwwGridDataLink::ActiveChanged()
{
    grid_.LinkActive(Active());
}

void TwwGridDataLink::DataSetChanged()
{
    grid_.DataChanged();
    modified_ = false;
}

void TwwGridDataLink::DataSetScrolled(int distance)
{
    grid_.Scroll(distance);
}

void TwwGridDataLink::LayoutChanged()
{
    grid_.LayoutChanged();
}

void TwwGridDataLink::EditingChanged()
{
    grid_.InvalidateIndicator();
}

// Also while the grid writes its own cell: a rule may change other fields
// of the record with it, and their cells show the new values at once.
void TwwGridDataLink::RecordChanged(TField* field)
{
    grid_.RecordChanged(field);
    // The text typed into the editor stays to be written when another field
    // changes; a whole record read afresh replaces it.
    if (!field) modified_ = false;
}

void TwwGridDataLink::UpdateData()
{
    // A value the field refuses leaves the link modified: the typed text
    // stays in the editor and is written again on the next attempt.
    if (modified_) grid_.UpdateData();
    modified_ = false;
}
