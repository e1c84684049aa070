#include "dataset/ww_settings.h"
#include "dataset/lookup_settings.h"
#include "dataset/mask_settings.h"
#include "dataset/ww_table.h"
#include "platform/db/dataset.h"

TwwDataSetSettings::TwwDataSetSettings() = default;

TwwDataSetSettings::~TwwDataSetSettings() = default;

void TwwDataSetSettings::FreeLookupTables()
{
    lookupTables_.clear();
}

// A BeforePost handler may have cancelled the record; the row now current is
// a stored one that nobody is posting.
void TwwDataSetSettings::CheckMasksBeforePost(TDataSet& dataSet)
{
    if (validateWithMask_ && IsEditState(dataSet.State())) ValidateFieldsWithMasks(dataSet, onInvalidValue_);
}

void TwwDataSetSettings::CopyLines(TStringList& target, const TStrings* lines)
{
    if (lines == &target) return;
    if (lines)
        target.Assign(*lines);
    else
        target.Clear();
}

void TwwDataSetSettings::CalculateLookupFields(TDataSet& dataSet)
{
    CalculateLookupFieldValues(dataSet, lookupFields_, lookupLinks_, controlType_, lookupTables_);
}
