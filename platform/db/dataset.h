#pragma once
// TDataSet: the records of a table or query as the system's code and controls
// see them. It has a state (browse, edit, insert, ...), a current record and a
// window of records for its data links, fires the class library's events in
// their order, and reads and writes through an engine cursor that a descendant
// creates (CreateHandle).
//
// The silent abort: an EAbort raised by a Before event (or OnNewRecord)
// leaves the operation, and the dataset keeps the state it had.
#include "platform/db/db_types.h"
#include "platform/db/field_defs.h"
#include "platform/db/record_buffer.h"
#include "platform/engine/cursor.h"
#include "platform/rtl/component.h"
#include "platform/rtl/exceptions.h"
#include <QPointer>
#include <QVariant>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class TField;
class TDataSource;

class TDataSet : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(bool AutoCalcFields READ AutoCalcFields WRITE SetAutoCalcFields)
    Q_PROPERTY(bool Filtered READ Filtered WRITE SetFiltered)
public:
    explicit TDataSet(TComponent* owner = nullptr);
    ~TDataSet() override;

    // Opening and closing. Open: BeforeOpen, cursor, fields, first record,
    // AfterOpen, AfterScroll. Close drops a pending edit.
    void Open();
    void Close();
    bool Active() const { return state_ != dsInactive; }
    void SetActive(bool active);
    TDataSetState State() const { return state_; }

    // Fields, in field order. Persistent fields are made in code before open;
    // without them the dataset makes default fields from FieldDefs at open.
    int FieldCount() const { return int(fields_.size()); }
    TField* Fields(int index) const;                    // EListError out of range
    TField* FindField(const QString& name) const;       // case-insensitive; null when absent
    TField* FieldByName(const QString& name) const;     // EDatabaseError "Field 'X' not found"
    std::vector<TField*> GetFieldList(const QString& names) const;   // "A;B"; FieldByName each
    TFieldDefs& FieldDefs();                            // read from the engine when empty

    // Navigation.
    void First();
    void Last();
    void Next() { MoveBy(1); }
    void Prior() { MoveBy(-1); }
    int MoveBy(int distance);                           // the number of records moved
    bool Bof() const { return bof_; }
    bool Eof() const { return eof_; }
    bool IsEmpty() const;
    int RecordCount();                                  // rows in view; 0 when empty
    int RecNo();                                        // 1-based; 0 when empty or inserting
    void SetRecNo(int recNo);
    virtual bool IsSequenced() const;                   // whether RecNo and RecordCount are exact
    // The source this dataset follows (a detail's master, a query's parameters).
    virtual TDataSource* GetDataSource() const { return nullptr; }

    // Editing.
    void Edit();
    void Insert();
    void Append();
    void Post();
    void Cancel();
    void Delete();
    void Refresh();                                     // re-reads, keeping the current row
    void CheckBrowseMode();                             // posts a changed record, cancels an unchanged one
    void UpdateRecord();                                // the controls write their pending edits
    bool Modified() const { return modified_; }
    virtual bool CanModify() const;

    // Bookmarks: the engine's row ids.
    TBookmark GetBookmark() const;
    void GotoBookmark(const TBookmark& bookmark);
    int CompareBookmarks(const TBookmark& a, const TBookmark& b) const;
    bool BookmarkValid(const TBookmark& bookmark);

    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ > 0; }

    // Finds the first row whose fields ("A;B") match the values (one value, or a
    // QVariantList for several fields) and makes it current. Partial key: a text
    // field begins with the value; case-insensitive: QString's Unicode rule.
    bool Locate(const QString& keyFields, const QVariant& keyValues, TLocateOptions options = 0);
    // The result fields of the first exact match, without moving the current row;
    // null when none. Several result fields give a QVariantList.
    QVariant Lookup(const QString& keyFields, const QVariant& keyValues, const QString& resultFields);

    bool AutoCalcFields() const { return autoCalcFields_; }
    void SetAutoCalcFields(bool value) { autoCalcFields_ = value; }
    // Filtered with OnFilterRecord hides the rows the event refuses.
    bool Filtered() const { return filtered_; }
    void SetFiltered(bool filtered);

    // The record window that data links read: BufferCount records around the
    // current one, of which BufferedRecords() are filled.
    int ActiveRecord() const { return activeRecord_; }
    int BufferCount() const { return int(buffers_.size()); }
    int BufferedRecords() const { return recordCount_; }
    // Re-reads the window around the cursor's row. rmCenter puts it in the middle.
    void Resync(TResyncMode mode);

    // Events (see the silent abort above).
    std::function<void(TDataSet&)> BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    std::function<void(TDataSet&)> BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
    std::function<void(TDataSet&)> BeforePost, AfterPost, BeforeCancel, AfterCancel;
    std::function<void(TDataSet&)> BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
    std::function<void(TDataSet&)> AfterRefresh, OnNewRecord, OnCalcFields;
    std::function<void(TDataSet&, bool& accept)> OnFilterRecord;
    std::function<void(TDataSet&, EDatabaseError&, TDataAction&)> OnPostError, OnEditError, OnDeleteError;

protected:
    // The cursor of a descendant: a table's or a query's.
    virtual std::unique_ptr<TEngineCursor> CreateHandle() = 0;
    // Opens: the cursor (CreateHandle), field definitions, fields, ActivateCursor.
    virtual void OpenCursor();
    virtual void CloseCursor();
    // Field definitions from the open cursor; a table reads them from its catalogue.
    virtual void InitFieldDefs();
    // Runs each time a cursor has been made, before the first record is read:
    // where record filters go onto the cursor.
    virtual void ActivateCursor();
    virtual void DataEvent(TDataEvent event, const TDataEventInfo& info);
    // Fills the rest of the window after the current record; returns the records read.
    virtual int GetNextRecords();

    // Writes of a descendant that can store rows. InternalEdit re-reads the
    // current row into buffer; InternalPost stores buffer and returns its row id.
    virtual void InternalEdit(TRecordBuffer& buffer);
    virtual qint64 InternalPost(const TRecordBuffer& buffer, bool inserting);
    virtual void InternalDelete(qint64 rowId);
    // Fills a new record before OnNewRecord (a detail's link fields).
    virtual void InternalInitRecord(TRecordBuffer& buffer);
    // Before a record is begun or posted: a detail keeps no row under a link
    // value that no master row holds. A master still being inserted is posted
    // first (its refusal, with its box and the silent abort, stops the
    // detail's operation); a master without a row refuses.
    virtual void CheckMasterStored() {}

    virtual void DoBeforeOpen();
    virtual void DoAfterOpen();
    virtual void DoBeforeClose();
    virtual void DoAfterClose();
    virtual void DoBeforeInsert();
    virtual void DoAfterInsert();
    virtual void DoBeforeEdit();
    virtual void DoAfterEdit();
    virtual void DoBeforePost();
    virtual void DoAfterPost();
    virtual void DoBeforeCancel();
    virtual void DoAfterCancel();
    virtual void DoBeforeDelete();
    virtual void DoAfterDelete();
    virtual void DoBeforeScroll();
    virtual void DoAfterScroll();
    virtual void DoAfterRefresh();
    virtual void DoOnNewRecord();
    virtual void DoOnCalcFields();
    virtual void DoOnPostError(EDatabaseError& error, TDataAction& action);
    virtual void DoOnEditError(EDatabaseError& error, TDataAction& action);
    virtual void DoOnDeleteError(EDatabaseError& error, TDataAction& action);

    TEngineCursor* Cursor() const { return cursor_.get(); }
    // Replaces the cursor by a new one from CreateHandle (a new order), keeping the fields.
    void ReopenCursor();
    // The engine cursor was moved by a descendant: the window no longer knows where it is.
    void CursorPosChanged() { cursorIndex_ = -1; }
    void SetFieldDefs(const TTableDesc& desc) { fieldDefs_.Assign(desc); }
    // A value in the engine's form for field; empty when it does not convert.
    static std::optional<QVariant> StoredValue(const TField& field, const QVariant& value);
    void CheckActive() const;
    void CheckInactive() const;
    void SetState(TDataSetState state);
    // Brings the engine cursor onto the active record.
    void UpdateCursorPos();
    // Re-reads after the cursor's view changed (range, master link, filter): first row.
    void CursorViewChanged();
    const TRecordBuffer& ActiveBuffer() const { return buffers_[activeRecord_]; }

    // Record tests a descendant adds to the cursor's filter beside OnFilterRecord.
    // Each runs while the record under test is the dataset's current record
    // (state dsFilter) and returns whether it is shown.
    using TRecordTest = std::function<bool()>;
    int AddRecordFilter(TRecordTest test);
    void RemoveRecordFilter(int handle);
    bool HasRecordFilters() const;

    // dsSetKey: field values are written to and read from this buffer.
    void SetKeyBuffer(TRecordBuffer* buffer) { keyBuffer_ = buffer; }
    // An empty record with the cursor's columns and this dataset's calc slots.
    TRecordBuffer NewBuffer() const;
    // Reads a row's fields (also calculated and lookup fields) without moving
    // the visible record: fields read from buffer during test.
    bool WithScratchRecord(const TRecordValues& values, qint64 rowId, const std::function<bool()>& test);
    // A faster way to the first row that Locate would find (an index seek);
    // nullopt when this dataset has none for these fields.
    virtual std::optional<bool> SeekLocate(const std::vector<TField*>& fields, const std::vector<QVariant>& values,
                                           TLocateOptions options, qint64& rowId);
    // Values compare as Locate compares them.
    static bool ValueMatches(const TField& field, const QVariant& fieldValue, const QVariant& wanted,
                             TLocateOptions options);

private:
    friend class TField;
    friend class TDataSource;
    friend class TDataLink;

    // Field storage, used by TField.
    const QVariant& FieldData(const TField& field) const;
    void SetFieldData(TField& field, const QVariant& value);
    // The record fields read and write: every field read passes here.
    TRecordBuffer* CurrentBuffer() const
    {
        if (scratch_) return scratch_;
        if (state_ == dsSetKey) return keyBuffer_;
        if (recordCount_ == 0) return nullptr;
        return const_cast<TRecordBuffer*>(&buffers_[size_t(activeRecord_)]);
    }
    void AddField(TField* field);
    void RemoveField(TField* field);
    void MoveField(TField* field, int index);
    void FieldLayoutChanged();

    void CreateDefaultFields();
    void BindFields();
    void DestroyDefaultFields();
    void ComputeCalcFields(TRecordBuffer& buffer);
    // The rows in the window worked out again, as when a dataset they look
    // up has opened since they were read.
    void RecomputeBufferedCalcFields();
    void ComputeLookupField(TField& field, TRecordBuffer& buffer);
    QVariant LookupResult(const TField& field, TDataSet& lookup, const QVariantList& keys);
    bool HasCalcFields() const { return calcFieldCount_ > 0; }
    void InstallCursorFilter();
    bool FilterAccepts(const TRecordValues& values);

    // Window.
    void SetBufferCount(int count);
    void UpdateBufferCount();
    TRecordBuffer& ReadCursorRecord();
    // Append the row after the last buffer / prepend the row before the first;
    // shift is how far the window's records moved up (1, -1) or 0.
    bool FetchNext(int& shift);
    bool FetchPrior(int& shift);
    void ClearBuffers();
    void FillFromCursor(int before);   // the cursor's row as active record, `before` rows above it
    bool MoveCursorTo(int bufferIndex);
    bool WindowStandsInOrderTowards(int distance, int recNo);
    int LastStoredBuffer() const;
    int FirstStoredBuffer() const;
    void RestoreWindow(const TBookmark& anchor);
    QVariant LookupValues(const QString& keyFields, const QVariant& keyValues, const QString& resultFields);

    bool LocateRow(const std::vector<TField*>& fields, const std::vector<QVariant>& values,
                   TLocateOptions options, qint64& rowId);
    bool RowMatches(const std::vector<TField*>& fields, const std::vector<QVariant>& values,
                    TLocateOptions options);

    void AddDataSource(TDataSource* source);
    void RemoveDataSource(TDataSource* source);
    void BeginInsertAppend(bool append);
    template <typename Operation>
    void CheckOperation(Operation operation,
                        void (TDataSet::*handler)(EDatabaseError&, TDataAction&));

    TDataSetState state_ = dsInactive;
    std::unique_ptr<TEngineCursor> cursor_;
    std::vector<TField*> fields_;
    TFieldDefs fieldDefs_;
    int calcFieldCount_ = 0;

    std::vector<TRecordBuffer> buffers_{1};
    int recordCount_ = 0;          // filled buffers
    int activeRecord_ = 0;
    int cursorIndex_ = -1;         // the buffer the engine cursor sits on; -1 unknown
    bool bof_ = true, eof_ = true;
    TRecordBuffer spareRecord_;    // where the next record read goes (see ReadCursorRecord)
    TRecordBuffer savedRecord_;    // the active record as it was before Edit
    TBookmark insertAnchor_;       // the current row when Insert or Append began

    TRecordBuffer* scratch_ = nullptr;     // the record fields read during calc, filter and lookup
    // The lookups made while a window of rows is read: rows that name the
    // same lookup row (an account's items) find it once.
    struct TLookupFound {
        const TField* Field;
        QVariantList Keys;
        QVariant Result;
    };
    std::vector<TLookupFound>* lookupsFound_ = nullptr;
    // Datasets that read rows looking this one up while it was closed; they
    // work their rows out again when it opens.
    std::vector<QPointer<TDataSet>> lookupUsersWaiting_;
    TRecordBuffer* keyBuffer_ = nullptr;
    const TField* validating_ = nullptr;   // the field whose new value OnValidate reads
    const QVariant* validatingValue_ = nullptr;

    bool modified_ = false;
    bool autoCalcFields_ = true;
    bool filtered_ = false;
    int disableCount_ = 0;
    bool pendingChange_ = false;   // an event came while the controls were disabled
    bool pendingLayout_ = false;
    bool inFilter_ = false;
    std::map<int, TRecordTest> recordFilters_;
    int nextFilterHandle_ = 1;

    std::vector<TDataSource*> dataSources_;
};
