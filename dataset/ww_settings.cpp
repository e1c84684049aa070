#include "dataset/ww_settings.h"
#include "dataset/field_settings.h"
#include "dataset/ww_table.h"

TwwDataSetSettings::TwwDataSetSettings() = default;

TwwDataSetSettings::~TwwDataSetSettings() = default;

void TwwDataSetSettings::FreeLookupTables()
{
    lookupTables_.clear();
}

void TwwDataSetSettings::CheckMasksBeforePost(TDataSet& dataSet)
{
    if (validateWithMask_) ValidateFieldsWithMasks(dataSet, onInvalidValue_);
}

void TwwDataSetSettings::CopyLines(TStringList& target, const TStrings* lines)
{
    if (lines == &target) return;
    if (lines)
        target.Assign(*lines);
    else
        target.Clear();
}
