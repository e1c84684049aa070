#pragma once
// TwwDataSetSettings: what every dataset of the library carries besides its
// class library base: the per-field settings lists, the mask check switch and
// event, the record-filter options, and the lookup tables it opened for the
// lines of LookupFields. Each dataset class publishes these as properties.
#include "dataset/setting_types.h"
#include "platform/rtl/string_list.h"
#include <QString>
#include <memory>
#include <vector>

class TDataSet;
class TwwTable;
struct TwwLookupDefinition;

// A lookup table opened for a LookupFields line, and whether it has been
// positioned for the record now being calculated.
struct TwwLookupTable {
    std::unique_ptr<TwwTable> Table;
    bool Positioned = false;
    bool Found = false;      // the outcome of positioning it
};

class TwwDataSetSettings {
public:
    TwwDataSetSettings();
    virtual ~TwwDataSetSettings();
    TwwDataSetSettings(const TwwDataSetSettings&) = delete;
    TwwDataSetSettings& operator=(const TwwDataSetSettings&) = delete;

    TStrings* ControlType() { return &controlType_; }
    TStrings* PictureMasks() { return &pictureMasks_; }
    TStrings* LookupFields() { return &lookupFields_; }
    TStrings* LookupLinks() { return &lookupLinks_; }
    // The setters copy the lines; a null list empties the setting.
    void SetControlType(TStrings* lines) { CopyLines(controlType_, lines); }
    void SetPictureMasks(TStrings* lines) { CopyLines(pictureMasks_, lines); }
    void SetLookupFields(TStrings* lines) { CopyLines(lookupFields_, lines); }
    void SetLookupLinks(TStrings* lines) { CopyLines(lookupLinks_, lines); }

    bool ValidateWithMask() const { return validateWithMask_; }
    void SetValidateWithMask(bool value) { validateWithMask_ = value; }
    const TwwInvalidValueEvent& OnInvalidValueEvent() const { return onInvalidValue_; }
    void SetOnInvalidValueEvent(const TwwInvalidValueEvent& event) { onInvalidValue_ = event; }
    unsigned OnFilterOptionsValue() const { return filterOptions_; }
    void SetOnFilterOptionsValue(unsigned options) { filterOptions_ = TwwOnFilterOptions(options); }

    std::vector<TwwLookupTable>& LookupTables() { return lookupTables_; }
    void FreeLookupTables();

protected:
    // The mask check of the before-post step, when ValidateWithMask is set.
    void CheckMasksBeforePost(TDataSet& dataSet);
    // The calculation step: drops settings lines of fields the dataset lacks,
    // then fills the lookup fields of LookupFields.
    void CalculateLookupFields(TDataSet& dataSet);

private:
    static void CopyLines(TStringList& target, const TStrings* lines);

    TStringList controlType_, pictureMasks_, lookupFields_, lookupLinks_;
    bool validateWithMask_ = true;
    TwwInvalidValueEvent onInvalidValue_;
    TwwOnFilterOptions filterOptions_ = DefaultFilterOptions;
    std::vector<TwwLookupTable> lookupTables_;
};
