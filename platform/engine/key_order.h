#pragma once
// The order a cursor walks in: fields, each compared binary or without regard
// to case, all ascending or all descending, ties broken by row id. It writes
// the SQL that finds rows after a position so that SQLite walks an index:
// a position splits into a few segments (equal on a prefix, beyond on the next
// field), each one index range. NULL sorts first, as SQLite sorts it.
#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

struct TOrderField {
    QString Name;       // the column's stored name
    int Column = 0;     // its position in the table
    bool NoCase = false;
};

// A place in the order: the values of the leading order fields (storage form),
// and the row id when all fields are given.
struct TKeyPosition {
    std::vector<QVariant> Key;
    std::optional<qint64> RowId;
};

struct TSqlCondition {
    QString Where;                   // "1" for every row
    std::vector<QVariant> Params;
};

class TKeyOrder {
public:
    TKeyOrder(std::vector<TOrderField> fields, bool descending);

    const std::vector<TOrderField>& Fields() const { return fields_; }
    bool Descending() const { return descending_; }

    QString Ref(const TOrderField& field) const;        // the column with its collation
    QString OrderBy(bool forward) const;               // forward: the cursor's own order
    TSqlCondition Equal(const TOrderField& field, const QVariant& value) const;

    // Rows after (or at, when inclusive) a position, walking forward or back,
    // as segments to read one after the other.
    std::vector<TSqlCondition> SegmentsFrom(const TKeyPosition& position, bool inclusive, bool forward) const;
    // Rows at or after (atOrAfter) / at or before a key prefix, as one condition.
    TSqlCondition Bound(const std::vector<QVariant>& key, bool atOrAfter) const;

    // The cursor's order of two rows, and of a row's key against a key prefix.
    int Compare(const std::vector<QVariant>& a, qint64 rowA, const std::vector<QVariant>& b, qint64 rowB) const;
    int ComparePrefix(const std::vector<QVariant>& rowKey, const std::vector<QVariant>& key) const;

private:
    TSqlCondition EqualPrefix(const std::vector<QVariant>& key, size_t count) const;
    std::vector<TSqlCondition> Beyond(const TOrderField& field, const QVariant& value, bool upward) const;

    std::vector<TOrderField> fields_;
    bool descending_;
    std::vector<QString> quoted_, refs_;   // per field: "name", and with its collation
    QString orderBy_[2];                   // walking back, walking forward
};
