#pragma once
// TwwQBE: a dataset on a query-by-example text, with the library's per-field
// settings. The engine runs SQL only and refuses QBE text with its own error,
// so a TwwQBE with a text never opens here.
#include "dataset/filter_record_callback.h"
#include "dataset/ww_settings.h"
#include "platform/db/engine_dataset.h"
#include "platform/rtl/string_list.h"

class TwwQBE : public TEngineDataSet, public TwwDataSetSettings {
    Q_OBJECT
    Q_PROPERTY(TStrings* QBE READ QBE WRITE SetQBE)
    Q_PROPERTY(QString AnswerTable READ AnswerTable WRITE SetAnswerTable)
    Q_PROPERTY(bool AuxiliaryTables READ AuxiliaryTables WRITE SetAuxiliaryTables)
    Q_PROPERTY(bool BlankAsZero READ BlankAsZero WRITE SetBlankAsZero)
    Q_PROPERTY(TStrings* ControlType READ ControlType WRITE SetControlType)
    Q_PROPERTY(TStrings* PictureMasks READ PictureMasks WRITE SetPictureMasks)
    Q_PROPERTY(TStrings* LookupFields READ LookupFields WRITE SetLookupFields)
    Q_PROPERTY(TStrings* LookupLinks READ LookupLinks WRITE SetLookupLinks)
    Q_PROPERTY(unsigned OnFilterOptions READ OnFilterOptionsValue WRITE SetOnFilterOptions)
    Q_PROPERTY(TwwInvalidValueEvent OnInvalidValue READ OnInvalidValueEvent WRITE SetOnInvalidValueEvent)
public:
    explicit TwwQBE(TComponent* owner = nullptr);
    ~TwwQBE() override;

    // Copies the lines; an open dataset runs the new text at once.
    TStrings* QBE() { return &qbe_; }
    void SetQBE(TStrings* lines);
    const QString& AnswerTable() const { return answerTable_; }
    void SetAnswerTable(const QString& name) { answerTable_ = name; }
    bool AuxiliaryTables() const { return auxiliaryTables_; }
    void SetAuxiliaryTables(bool value) { auxiliaryTables_ = value; }
    bool BlankAsZero() const { return blankAsZero_; }
    void SetBlankAsZero(bool value) { blankAsZero_ = value; }

    // The event that hides the records it refuses; assigning it (or null)
    // installs (removes) the record filter.
    const TwwFilterEvent& OnFilter() const { return recordFilter_.Event(); }
    void SetOnFilter(TwwFilterEvent event) { recordFilter_.SetEvent(std::move(event)); }
    TwwFilterEscapeEvent OnFilterEscape;
    // Switching ofoEnabled off on an open dataset with OnFilter brings back the
    // records the event hid; switching it on hides them again.
    void SetOnFilterOptions(unsigned options) { recordFilter_.SetOptions(options); }
    // Record numbers mean nothing under a filter.
    bool IsSequenced() const override;

protected:
    std::unique_ptr<TEngineCursor> CreateHandle() override;
    void DoOnCalcFields() override;
    void DataEvent(TDataEvent event, const TDataEventInfo& info) override;
    int GetNextRecords() override;
    // Hands the text to the engine and returns the answer's cursor.
    virtual std::unique_ptr<TEngineCursor> RunQBE();

private:
    TStringList qbe_;
    QString answerTable_;
    bool auxiliaryTables_ = true;
    bool blankAsZero_ = true;
    TwwRecordFilter recordFilter_;
};
