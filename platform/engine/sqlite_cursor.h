#pragma once
// A cursor over one table. It holds a window of rows around the current one
// and reads further pages by key position (see key_order.h), so that opening,
// scrolling and seeking cost the same on a million rows as on a hundred.
#include "platform/engine/cursor.h"
#include "platform/engine/filter_set.h"
#include "platform/engine/key_order.h"
#include "platform/engine/sqlite_database.h"
#include "platform/engine/sqlite_statement.h"
#include <QVarLengthArray>
#include <deque>
#include <map>
#include <unordered_map>

class TSqliteCursor : public TEngineCursor {
public:
    TSqliteCursor(std::shared_ptr<TSqliteDatabase> db, const TCursorSpec& spec);
    ~TSqliteCursor() override;

    const TTableDesc& Desc() const override { return desc_; }
    QStringList OrderFields() const override;

    void First() override;
    void Last() override;
    bool Next() override;
    bool Prior() override;
    bool Bof() const override { return bof_; }
    bool Eof() const override { return eof_; }
    bool HasRecord() const override { return current_ >= 0 && current_ < int(rows_.size()); }

    qint64 RowId() const override;
    const TRecordValues& Record() const override;

    bool GotoRowId(qint64 rowId) override;
    bool Seek(const std::vector<QVariant>& key, bool nearest) override;
    int CompareRowIds(qint64 a, qint64 b) const override;

    int RecordCount() override;
    int RecNo() override;
    bool GotoRecNo(int recNo) override;

    void Refresh() override;
    void SetEqual(std::vector<std::pair<QString, QVariant>> equal) override;
    void SetRange(bool hasRange, std::vector<QVariant> start, std::vector<QVariant> end) override;
    void SetFilter(std::function<bool(const TRecordValues&)> filter) override;
    int AddFilter(const QByteArray& expression) override;
    void DropFilter(int handle) override;

private:
    struct TRow {
        qint64 RowId = 0;
        TRecordValues Values;
        QVarLengthArray<QVariant, 2> Key;   // the order fields, storage form; short keys held in the row
        TKeyPosition Position() const { return {std::vector<QVariant>(Key.begin(), Key.end()), RowId}; }
    };
    struct TFetch {
        std::vector<TRow> Rows;                    // accepted rows, in walking order
        std::optional<TKeyPosition> LastScanned;   // the last row read, accepted or not
        bool Exhausted = false;
    };

    void BuildOrder(const TCursorSpec& spec);
    void BuildView();
    std::vector<QVariant> KeyToStorage(const std::vector<QVariant>& key) const;
    QVariant FieldToStorage(int column, const QVariant& value) const;

    TFetch Fetch(const std::optional<TKeyPosition>& from, bool inclusive, bool forward, int want) const;
    // Reads one segment; calls take for each row until it returns false.
    // Returns the number of rows read.
    template <typename Take>
    int ReadSegment(const TSqlCondition& segment, bool forward, int limit, Take&& take) const;
    std::optional<TRow> ReadViewRow(qint64 rowId) const;
    TRow ReadRow(const TSqliteStatement& statement) const;
    bool Accepts(const TRow& row) const { return !filters_.Any() || filters_.Accepts(row.Values); }
    TSqliteStatement& Statement(const QString& sql) const;
    qlonglong CountWhere(const TSqlCondition& condition) const;
    int CountRows() const;
    int CheckedCount(int carried) const;   // see carried_count_check.h
    // What a single write did to the view since the table was seen at
    // (generation, tableWrites): an inserted row's place if the view shows it,
    // nothing at all for an update that left the order and link fields alone;
    // no answer when other or more writes came since.
    struct TOneWrite {
        std::optional<TKeyPosition> Shown;   // a row that came into view
    };
    std::optional<TOneWrite> OneWriteSince(quint64 generation, quint64 tableWrites) const;
    void CarryRecNos() const;
    int Number(const TRow& row, int recNo) const;
    std::optional<int> KnownRecNo(const TRow& row);
    int CountRecNo(const TRow& row) const;   // the rows before it counted, plus one
    std::optional<TRow> ReadNthViewRow(qlonglong offset) const;
    bool StepToRecNo(int recNo);

    void SetWindow(std::vector<TRow> rows, bool headDone, std::optional<TKeyPosition> headScan, bool tailDone,
                   std::optional<TKeyPosition> tailScan, int current);
    void SetSingle(TRow row);
    bool ExtendTail();
    bool ExtendHead();
    bool ReachesEnd(bool forward);
    void TrimFront();
    void TrimBack();
    void Recycle(std::deque<TRow>::iterator first, std::deque<TRow>::iterator last);
    void SyncWithChanges();
    void InvalidateCounts();
    quint64 Generation() const;

    std::shared_ptr<TSqliteDatabase> db_;
    TTableDesc desc_;
    const TSqliteDatabase::TTableChanges* tableChanges_;   // the writes to this table (see Generation)
    std::unique_ptr<TKeyOrder> order_;
    QString selectList_;
    QString from_;

    std::vector<std::pair<QString, QVariant>> equal_;
    bool hasRange_ = false;
    std::vector<QVariant> rangeStart_, rangeEnd_;
    TRowFilters filters_;
    TSqlCondition view_;           // the master link and the range
    quint64 viewColumns_ = 0;      // the order and link fields: bit i for column i, every bit past the 64th
    quint64 viewVersion_ = 0;

    std::deque<TRow> rows_;        // the window, in cursor order
    int current_ = -1;             // -1 before the window, rows_.size() after it
    bool bof_ = true, eof_ = true;
    bool headDone_ = true, tailDone_ = true;              // nothing in the view before / after the window
    std::optional<TKeyPosition> headScan_, tailScan_;      // where reading back / on continues
    int pageSize_ = 0;
    quint64 seenChanges_ = 0;

    struct TCounted {
        quint64 Generation = 0;
        quint64 TableWrites = 0;   // the table's writes at the time
        int Rows = 0;
    };
    mutable std::optional<TCounted> count_;
    struct TNumbered {
        int RecNo = 0;
        TKeyPosition Position;   // where the row stands: its number is carried over an insert
    };
    mutable std::map<qint64, TNumbered> recNos_;
    mutable quint64 recNoGeneration_ = 0;
    mutable quint64 recNoTableWrites_ = 0;
    mutable std::unordered_map<QString, std::unique_ptr<TSqliteStatement>> statements_;
    mutable std::vector<TColumnReader> readers_;   // one per column, shared by every statement
    mutable std::vector<TRecordValues> spare_;     // records of rows let go, values and all, for the next rows read
};
