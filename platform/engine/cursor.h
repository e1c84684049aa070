#pragma once
// A cursor walks one table in the order of an index (or of chosen fields),
// within a key range and a master link, skipping rows that a filter expression
// (filter_format.h) or a record callback rejects.
// It has a current row, like the original engine's cursors; the dataset layer
// builds its record buffers by moving it.
#include "platform/engine/field_types.h"
#include <functional>
#include <memory>

struct TCursorSpec {
    QString Table;                     // with or without extension
    QString IndexName;                 // a named index of the table, or empty
    QStringList OrderFields;           // used when IndexName is empty; empty too: primary order
    // Overrides of the order's rules when OrderFields are given.
    bool CaseInsensitive = false;
    bool Descending = false;

    // Master link: only rows whose fields equal these values.
    std::vector<std::pair<QString, QVariant>> Equal;

    // Key range on the leading fields of the order (a prefix each; inclusive).
    bool HasRange = false;
    std::vector<QVariant> RangeStart;  // empty: from the first row
    std::vector<QVariant> RangeEnd;    // empty: to the last row

    // Record callback: false hides the row. Values in column order.
    std::function<bool(const TRecordValues&)> Filter;
};

class TEngineCursor {
public:
    virtual ~TEngineCursor() = default;

    virtual const TTableDesc& Desc() const = 0;
    virtual QStringList OrderFields() const = 0;      // the fields the cursor is ordered on

    // Positioning. Bof/Eof like the original: before the first / after the last row.
    virtual void First() = 0;          // on the first row, or Eof when empty
    virtual void Last() = 0;
    virtual bool Next() = 0;           // false (and Eof) when there is no next row
    virtual bool Prior() = 0;          // false (and Bof) when there is no prior row
    virtual bool Bof() const = 0;
    virtual bool Eof() const = 0;
    virtual bool HasRecord() const = 0;

    virtual qint64 RowId() const = 0;                 // the bookmark of the current row
    virtual const TRecordValues& Record() const = 0;  // the current row's values

    // Goes to a row by bookmark; false (position unchanged) when it is not in the view.
    virtual bool GotoRowId(qint64 rowId) = 0;
    // Goes to the first row whose leading order fields equal key (exact) or, when
    // nearest, the first row at or after key (Eof when none). Key compares as the
    // order does (case rule, direction). Returns true when positioned on a row that
    // matches exactly (exact) or on any row (nearest).
    virtual bool Seek(const std::vector<QVariant>& key, bool nearest) = 0;
    // -1, 0, 1 as row a comes before, with or after row b in the cursor's order.
    virtual int CompareRowIds(qint64 a, qint64 b) const = 0;

    // Counted on demand and cached until the table changes.
    virtual int RecordCount() = 0;
    virtual int RecNo() = 0;           // 1-based position of the current row, 0 when none
    // Goes to the recNo-th row (1-based) of the view in the cursor's order: Bof
    // below 1, Eof past the last row. True when on a row. Reached directly;
    // only rows hidden by a filter make the cursor step there.
    virtual bool GotoRecNo(int recNo) = 0;

    // Re-reads the table after writes; stays on the same row when it still is in the view,
    // else on the row that now takes its place in the order.
    virtual void Refresh() = 0;
    // Changes of the view; the cursor refreshes and goes to the first row.
    virtual void SetEqual(std::vector<std::pair<QString, QVariant>> equal) = 0;
    virtual void SetRange(bool hasRange, std::vector<QVariant> start, std::vector<QVariant> end) = 0;
    virtual void SetFilter(std::function<bool(const TRecordValues&)> filter) = 0;
    // Filter expressions the engine evaluates on each row before the record
    // callback. AddFilter reads the buffer against the table (EDatabaseError
    // when it is malformed, names a missing field or mixes types) and returns
    // the filter's handle. Both go to the first row, as SetFilter does.
    virtual int AddFilter(const QByteArray& expression) = 0;
    virtual void DropFilter(int handle) = 0;
};
