#pragma once
// An engine cursor over rows held in memory: the result of a query. Row ids
// are positions from 1; the order is the order of the rows.
#include "platform/engine/filter_set.h"
#include "platform/engine/cursor.h"
#include "platform/engine/engine_database.h"

class TMemoryCursor : public TEngineCursor {
public:
    TMemoryCursor(TTableDesc desc, std::vector<TRecordValues> rows);
    // Reads every row of a result set; the columns describe its fields.
    static std::unique_ptr<TMemoryCursor> FromResultSet(TResultSet& result);

    const TTableDesc& Desc() const override { return desc_; }
    QStringList OrderFields() const override { return {}; }

    void First() override;
    void Last() override;
    bool Next() override;
    bool Prior() override;
    bool Bof() const override { return bof_; }
    bool Eof() const override { return eof_; }
    bool HasRecord() const override;

    qint64 RowId() const override;
    const TRecordValues& Record() const override;

    bool GotoRowId(qint64 rowId) override;
    bool Seek(const std::vector<QVariant>& key, bool nearest) override;   // no order: false
    int CompareRowIds(qint64 a, qint64 b) const override;

    int RecordCount() override { return int(visible_.size()); }
    int RecNo() override;
    bool GotoRecNo(int recNo) override;

    void Refresh() override;
    void SetEqual(std::vector<std::pair<QString, QVariant>> equal) override;
    void SetRange(bool hasRange, std::vector<QVariant> start, std::vector<QVariant> end) override;
    void SetFilter(std::function<bool(const TRecordValues&)> filter) override;
    int AddFilter(const QByteArray& expression) override;
    void DropFilter(int handle) override;

private:
    void BuildView();
    int PositionOf(qint64 rowId) const;   // index in visible_, -1 when hidden

    TTableDesc desc_;
    std::vector<TRecordValues> rows_;
    std::vector<std::pair<int, QVariant>> equal_;   // column, value
    TRowFilters filters_;
    std::vector<int> visible_;     // indexes into rows_, in order
    int current_ = -1;             // index into visible_
    bool bof_ = true, eof_ = true;
};
