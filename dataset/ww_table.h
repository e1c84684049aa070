#pragma once
// TwwTable: the table dataset of the data-aware library. Besides the class
// library's table it carries the per-field settings (picture masks, control
// types, lookup fields), checks every field against its mask before a post,
// can be opened on query text instead of a table name, and offers the index
// and key helpers that record location, incremental search and the lookup
// controls use. Its rows can be filtered by an expression built from the
// wwFilter lines and by the OnFilter event.
#include "dataset/filter_record_callback.h"
#include "dataset/record_scanner.h"
#include "dataset/ww_settings.h"
#include "platform/db/table.h"
#include "platform/rtl/string_list.h"
#include <QStringList>

class TwwTable : public TTable, public TwwDataSetSettings, public TwwRecordScanner {
    Q_OBJECT
    Q_PROPERTY(TStrings* ControlType READ ControlType WRITE SetControlType)
    Q_PROPERTY(TStrings* PictureMasks READ PictureMasks WRITE SetPictureMasks)
    Q_PROPERTY(TStrings* LookupFields READ LookupFields WRITE SetLookupFields)
    Q_PROPERTY(TStrings* LookupLinks READ LookupLinks WRITE SetLookupLinks)
    Q_PROPERTY(TStrings* Query READ Query WRITE SetQuery)
    Q_PROPERTY(QString TableName READ TableName WRITE SetTableName)
    Q_PROPERTY(bool ValidateWithMask READ ValidateWithMask WRITE SetValidateWithMask)
    Q_PROPERTY(bool SyncSQLByRange READ SyncSQLByRange WRITE SetSyncSQLByRange)
    Q_PROPERTY(bool NarrowSearch READ NarrowSearch WRITE SetNarrowSearch)
    Q_PROPERTY(int NarrowSearchUpperChar READ NarrowSearchUpperChar WRITE SetNarrowSearchUpperChar)
    Q_PROPERTY(TStrings* wwFilter READ wwFilter WRITE SetwwFilter)
    Q_PROPERTY(unsigned OnFilterOptions READ OnFilterOptionsValue WRITE SetOnFilterOptions)
    Q_PROPERTY(TwwInvalidValueEvent OnInvalidValue READ OnInvalidValueEvent WRITE SetOnInvalidValueEvent)
public:
    explicit TwwTable(TComponent* owner = nullptr);
    ~TwwTable() override;

    // A non-empty name clears Query.
    void SetTableName(const QString& name);
    // Query text: when it has lines the table opens on it instead of
    // TableName. Setting it closes the table; text with lines clears
    // TableName, IndexFieldNames, MasterSource and MasterFields.
    TStrings* Query() { return &query_; }
    const TStrings& QueryLines() const { return query_; }
    void SetQuery(TStrings* lines);
    // "SQL" or "QBE": the language of the open query text.
    const QString& QueryLanguage() const { return queryLanguage_; }

    // Filter lines joined into one expression (JoinFilterLines). Setting them on
    // an open table installs the expression at once; when it cannot be, the
    // warning "Fail to set filter" shows and the table keeps the filter it had.
    TStrings* wwFilter() { return &wwFilter_; }
    void SetwwFilter(TStrings* lines);
    // The event that hides the records it refuses; assigning it (or null)
    // installs (removes) the record filter.
    const TwwFilterEvent& OnFilter() const { return recordFilter_.Event(); }
    void SetOnFilter(TwwFilterEvent event) { recordFilter_.SetEvent(std::move(event)); }
    TwwFilterEscapeEvent OnFilterEscape;
    // Switching ofoEnabled off on an open table with OnFilter brings back the
    // records the event hid; switching it on hides them again.
    void SetOnFilterOptions(unsigned options) { recordFilter_.SetOptions(options); }
    // Record numbers mean nothing under a filter.
    bool IsSequenced() const override;

    bool SyncSQLByRange() const { return syncSQLByRange_; }
    void SetSyncSQLByRange(bool value) { syncSQLByRange_ = value; }
    bool NarrowSearch() const { return narrowSearch_; }
    void SetNarrowSearch(bool value) { narrowSearch_ = value; }
    int NarrowSearchUpperChar() const { return narrowSearchUpperChar_; }
    void SetNarrowSearchUpperChar(int value) { narrowSearchUpperChar_ = quint16(value); }

    // Whether the table's database is SQL-based; the engine's databases are not.
    virtual bool IsSQLBased() const;
    bool IsDBaseTable() const;
    bool IsParadoxTable() const;
    bool CanModify() const override;

    bool HasMasterLink() const;

    // ---- Index selection.
    // The index whose fields are exactly Fields (";"-separated), else one that
    // begins with them; case-insensitive indexes first. Null when none.
    const TIndexDef* FindIndexForFields(const QString& fields);
    // Makes the index that leads with the field current, keeping the record.
    // On a detail table the master's fields lead, unless WholeFieldList is set.
    bool SelectIndexForField(const QString& fieldName);
    // SelectIndexForField with the field of the first TAB line of List.
    bool SelectIndexForFirstListedField(const TStrings& list);
    bool WholeFieldList() const { return wholeFieldList_; }
    void SetWholeFieldList(bool value) { wholeFieldList_ = value; }

    // ---- Searches.
    bool SearchByText(const QString& text, int keyFieldIndex);
    bool LocateByFieldValue(const QString& value, const QString& fieldName, int mode, bool caseSensitive);
    // Goes to the record whose leading index fields carry the texts.
    bool FindKeyByLookupValues(const QStringList& values);
    // Removes the range; on an SQL database the table reopens with its field layout kept.
    void CancelRangeOrReopen();
    // A range on the leading index fields, given as texts; an empty End leaves the range open.
    void ApplyTextRange(const QStringList& start, const QStringList& end);

    // ---- As a lookup table of another dataset.
    const QString& LookupLinksText() const { return lookupLinksText_; }
    void SetLookupLinksText(const QString& links) { lookupLinksText_ = links; }
    bool LookupSearch() const { return lookupSearch_; }
    void SetLookupSearch(bool value) { lookupSearch_ = value; }

    bool ScanRecords(bool fromFirst, const TRecordMatch& match) override;

    // Above zero while the library's own searches, locates and index changes
    // move the table: a lookup control on a detail table must not take such a
    // move for the table following its master.
    int SearchNesting() const { return searchNesting_; }
    class TSearchScope {
    public:
        explicit TSearchScope(TwwTable& table) : table_(table) { ++table_.searchNesting_; }
        ~TSearchScope() { --table_.searchNesting_; }
        TSearchScope(const TSearchScope&) = delete;
        TSearchScope& operator=(const TSearchScope&) = delete;

    private:
        TwwTable& table_;
    };

protected:
    std::unique_ptr<TEngineCursor> CreateHandle() override;
    void OpenCursor() override;
    void CloseCursor() override;
    void InitFieldDefs() override;
    void DoBeforePost() override;
    void DoOnCalcFields() override;
    void ActivateCursor() override;
    void DataEvent(TDataEvent event, const TDataEventInfo& info) override;
    int GetNextRecords() override;

private:
    bool CarriesValues(const QStringList& values);
    bool FindKeyOnSqlDatabase(const QStringList& values);
    void ChangeIndexKeepingPosition(const TIndexDef& index);
    QStringList CurrentIndexFieldNames();

    TStringList query_;
    QString queryLanguage_ = QStringLiteral("SQL");
    bool syncSQLByRange_ = true;
    bool narrowSearch_ = false;
    quint16 narrowSearchUpperChar_ = 255;
    bool wholeFieldList_ = false;
    QString lookupLinksText_;
    bool lookupSearch_ = false;
    bool rangeEndSet_ = false;    // a range this table applied has an end
    int searchNesting_ = 0;

    TStringList wwFilter_;
    int expressionFilter_ = 0;    // the engine's handle of the wwFilter expression
    TwwRecordFilter recordFilter_;
};
