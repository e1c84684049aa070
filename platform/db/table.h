#pragma once
// TTable: one table of the database, in the order of an index, within a key
// range and a master link. Writes go to the engine row by row.
#include "platform/db/data_source.h"
#include "platform/db/engine_dataset.h"
#include <QPointer>

class TMasterDataLink;

enum TTableType { ttDefault, ttParadox, ttDBase, ttASCII };

class TTable : public TEngineDataSet {
    Q_OBJECT
    Q_PROPERTY(QString TableName READ TableName WRITE SetTableName)
    Q_PROPERTY(int TableType READ TableTypeValue WRITE SetTableTypeValue)
    Q_PROPERTY(QString IndexName READ IndexName WRITE SetIndexName)
    Q_PROPERTY(QString IndexFieldNames READ IndexFieldNames WRITE SetIndexFieldNames)
    Q_PROPERTY(TDataSource* MasterSource READ MasterSource WRITE SetMasterSource)
    Q_PROPERTY(QString MasterFields READ MasterFields WRITE SetMasterFields)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(bool Exclusive READ Exclusive WRITE SetExclusive)
public:
    explicit TTable(TComponent* owner = nullptr);
    ~TTable() override;

    // With or without extension ("Pbanks.DB" is table Pbanks).
    const QString& TableName() const { return tableName_; }
    void SetTableName(const QString& name);          // EDatabaseError while open
    TTableType TableType() const { return tableType_; }
    void SetTableType(TTableType type) { tableType_ = type; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);                  // EDatabaseError while open
    // Kept for the code that sets it; the engine serves every table to one program.
    bool Exclusive() const { return exclusive_; }
    void SetExclusive(bool exclusive) { exclusive_ = exclusive; }

    // Order: a named index, or index field names ("A;B"); setting either clears
    // the other. An open table reorders and stays on its row.
    const QString& IndexName() const { return indexName_; }
    void SetIndexName(const QString& name);
    const QString& IndexFieldNames() const { return indexFieldNames_; }
    void SetIndexFieldNames(const QString& names);
    TIndexDefs& IndexDefs();                          // the table's indexes from the catalogue
    int IndexFieldCount() const;                      // fields of the current order
    TField* IndexFields(int index) const;

    // Keys on the current order.
    bool FindKey(const std::vector<QVariant>& keyValues);     // exact; false leaves the position
    void FindNearest(const std::vector<QVariant>& keyValues); // first row at or after the key
    void SetKey();        // dsSetKey with an empty key
    void EditKey();       // dsSetKey keeping the last key
    bool GotoKey();
    void GotoNearest();

    // Ranges on the leading fields of the current order (inclusive).
    void SetRange(const std::vector<QVariant>& startValues, const std::vector<QVariant>& endValues);
    void SetRangeStart();
    void SetRangeEnd();
    void EditRangeStart();
    void EditRangeEnd();
    void ApplyRange();
    void CancelRange();

    // Master/detail: the detail shows the rows whose first index fields (or,
    // without an index, the same-named fields) equal the master's MasterFields.
    TDataSource* MasterSource() const;
    void SetMasterSource(TDataSource* source);
    const QString& MasterFields() const { return masterFields_; }
    void SetMasterFields(const QString& fields);
    // The detail's fields that hold the master's MasterFields, in their order.
    QStringList DetailLinkFields() const;

    void EmptyTable();
    bool CanModify() const override;
    TDataSource* GetDataSource() const override { return MasterSource(); }

protected:
    std::unique_ptr<TEngineCursor> CreateHandle() override;
    void InitFieldDefs() override;
    void InternalEdit(TRecordBuffer& buffer) override;
    qint64 InternalPost(const TRecordBuffer& buffer, bool inserting) override;
    void InternalDelete(qint64 rowId) override;
    void InternalInitRecord(TRecordBuffer& buffer) override;
    void CheckMasterStored() override;
    std::optional<bool> SeekLocate(const std::vector<TField*>& fields, const std::vector<QVariant>& values,
                                   TLocateOptions options, qint64& rowId) override;

private:
    friend class TMasterDataLink;
    int TableTypeValue() const { return tableType_; }
    void SetTableTypeValue(int type) { tableType_ = TTableType(type); }

    struct TOrder {
        QString IndexName;
        QStringList Fields;
        bool CaseInsensitive = false;
        bool Descending = false;
    };
    TOrder CurrentOrder();
    void ChangeOrder();
    std::vector<QVariant> KeyValues(const TRecordBuffer& key) const;
    void BeginKeyEdit(TRecordBuffer& key, bool clear);
    void AssignKey(const std::vector<QVariant>& values);
    void CheckIndexFields() const;
    bool GotoCurrentKey(bool nearest);
    void MasterChanged();
    std::vector<std::pair<QString, QVariant>> MasterLinkValues() const;
    QStringList MasterFieldList() const;

    QString tableName_;
    TTableType tableType_ = ttDefault;
    bool readOnly_ = false;
    bool exclusive_ = false;
    QString indexName_;
    QString indexFieldNames_;
    TIndexDefs indexDefs_;
    bool indexDefsRead_ = false;
    QStringList orderFields_;          // of the open cursor
    bool orderCaseInsensitive_ = false;

    TRecordBuffer keyBuffer_;
    TRecordBuffer rangeStart_, rangeEnd_;
    bool rangeApplied_ = false;
    std::vector<QVariant> appliedStart_, appliedEnd_;

    std::unique_ptr<TMasterDataLink> masterLink_;
    QString masterFields_;
    std::vector<std::pair<QString, QVariant>> masterValues_;   // the link now applied
    bool postingMaster_ = false;   // this detail's begin or post is posting its master
};
