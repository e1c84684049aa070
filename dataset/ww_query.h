#pragma once
// TwwQuery: the query dataset of the data-aware library: the class library's
// query with the library's per-field settings, the mask check before post
// and the lookup fields of LookupFields.
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
    Q_PROPERTY(unsigned OnFilterOptions READ OnFilterOptionsValue WRITE SetOnFilterOptionsValue)
    Q_PROPERTY(TwwInvalidValueEvent OnInvalidValue READ OnInvalidValueEvent WRITE SetOnInvalidValueEvent)
public:
    explicit TwwQuery(TComponent* owner = nullptr);
    ~TwwQuery() override;

    bool ScanRecords(bool fromFirst, const TRecordMatch& match) override;

protected:
    void DoBeforePost() override;
    void DoOnCalcFields() override;
};
