#pragma once
// TwwQuery: the query dataset of the data-aware library: the class library's
// query with the library's per-field settings, the mask check before post,
// the lookup fields of LookupFields, and the records its OnFilter refuses
// hidden.
#include "dataset/filter_record_callback.h"
#include "dataset/record_scanner.h"
#include "dataset/ww_settings.h"
#include "platform/db/query.h"

class TwwQuery : public TQuery, public TwwDataSetSettings, public TwwRecordScanner {
    Q_OBJECT
    Q_PROPERTY(TStrings* ControlType READ ControlType WRITE SetControlType)
    Q_PROPERTY(TStrings* PictureMasks READ PictureMasks WRITE SetPictureMasks)
    Q_PROPERTY(TStrings* LookupFields READ LookupFields WRITE SetLookupFields)
    Q_PROPERTY(TStrings* LookupLinks READ LookupLinks WRITE SetLookupLinks)
    Q_PROPERTY(bool ValidateWithMask READ ValidateWithMask WRITE SetValidateWithMask)
    Q_PROPERTY(unsigned OnFilterOptions READ OnFilterOptionsValue WRITE SetOnFilterOptions)
    Q_PROPERTY(TwwInvalidValueEvent OnInvalidValue READ OnInvalidValueEvent WRITE SetOnInvalidValueEvent)
public:
    explicit TwwQuery(TComponent* owner = nullptr);
    ~TwwQuery() override;

    // The event that hides the records it refuses; assigning it (or null)
    // installs (removes) the record filter.
    const TwwFilterEvent& OnFilter() const { return recordFilter_.Event(); }
    void SetOnFilter(TwwFilterEvent event) { recordFilter_.SetEvent(std::move(event)); }
    TwwFilterEscapeEvent OnFilterEscape;
    // Switching ofoEnabled off on an open query with OnFilter brings back the
    // records the event hid; switching it on hides them again.
    void SetOnFilterOptions(unsigned options) { recordFilter_.SetOptions(options); }
    // Record numbers mean nothing under a filter.
    bool IsSequenced() const override;

    bool ScanRecords(bool fromFirst, const TRecordMatch& match) override;

protected:
    friend bool FieldsMapToIndex(const TwwQuery& query, const QString& fieldList, bool caseSensitive);

    void DoBeforePost() override;
    void DoOnCalcFields() override;
    void DataEvent(TDataEvent event, const TDataEventInfo& info) override;
    int GetNextRecords() override;

private:
    TwwRecordFilter recordFilter_;
};

// Whether the query's fields named in FieldList (";"-separated, in order) lead
// one of the indexes of its open answer, so that a search on them can use that
// index: for a search without regard to case (CaseSensitive off) the index
// must order without regard to case too. False when a name is no field of the
// query or the query is closed.
bool FieldsMapToIndex(const TwwQuery& query, const QString& fieldList, bool caseSensitive);
