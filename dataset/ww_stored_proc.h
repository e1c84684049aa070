#pragma once
// TwwStoredProc: a dataset on a stored procedure of the database, with the
// library's per-field settings. The engine has no stored procedures and
// refuses to run one with its own error.
#include "dataset/filter_record_callback.h"
#include "dataset/ww_settings.h"
#include "platform/db/engine_dataset.h"

class TwwStoredProc : public TEngineDataSet, public TwwDataSetSettings {
    Q_OBJECT
    Q_PROPERTY(QString StoredProcName READ StoredProcName WRITE SetStoredProcName)
    Q_PROPERTY(TStrings* ControlType READ ControlType WRITE SetControlType)
    Q_PROPERTY(TStrings* PictureMasks READ PictureMasks WRITE SetPictureMasks)
    Q_PROPERTY(TStrings* LookupFields READ LookupFields WRITE SetLookupFields)
    Q_PROPERTY(TStrings* LookupLinks READ LookupLinks WRITE SetLookupLinks)
    Q_PROPERTY(bool ValidateWithMask READ ValidateWithMask WRITE SetValidateWithMask)
    Q_PROPERTY(unsigned OnFilterOptions READ OnFilterOptionsValue WRITE SetOnFilterOptions)
    Q_PROPERTY(TwwInvalidValueEvent OnInvalidValue READ OnInvalidValueEvent WRITE SetOnInvalidValueEvent)
public:
    explicit TwwStoredProc(TComponent* owner = nullptr);
    ~TwwStoredProc() override;

    const QString& StoredProcName() const { return storedProcName_; }
    void SetStoredProcName(const QString& name);   // EDatabaseError while open

    // The event that hides the records it refuses; assigning it (or null)
    // installs (removes) the record filter.
    const TwwFilterEvent& OnFilter() const { return recordFilter_.Event(); }
    void SetOnFilter(TwwFilterEvent event) { recordFilter_.SetEvent(std::move(event)); }
    // Published with the other datasets' events; never called, as a stored
    // procedure's filter pass is not broken by Escape.
    TwwFilterEscapeEvent OnFilterEscape;
    // Stored only: the options do not apply to a stored procedure's filter.
    void SetOnFilterOptions(unsigned options) { recordFilter_.SetOptions(options); }
    // Record numbers mean nothing under a filter.
    bool IsSequenced() const override;

protected:
    std::unique_ptr<TEngineCursor> CreateHandle() override;
    void DoBeforePost() override;
    void DoOnCalcFields() override;

private:
    QString storedProcName_;
    TwwRecordFilter recordFilter_;
};
