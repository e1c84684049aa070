#pragma once
// Rows of a SELECT, read forward. Columns of a table take their declared type;
// an expression takes the type of its first non-null value, so the reader
// looks ahead as far as it must to find it; an expression that starts with an
// integer is read to the end and is a float when any of its values is.
#include "platform/engine/column_values.h"
#include "platform/engine/engine_database.h"
#include "platform/engine/sqlite_statement.h"
#include <deque>

struct sqlite3_value;

class TSqliteResultSet : public TResultSet {
public:
    // Keeps the database (and so its connection) alive while it is read.
    TSqliteResultSet(std::shared_ptr<const TEngineDatabase> owner, std::unique_ptr<TSqliteStatement> statement);

    int ColumnCount() const override { return int(columns_.size()); }
    QString ColumnName(int column) const override;
    TFieldType ColumnType(int column) const override;
    int ColumnSize(int column) const override;
    bool Next() override;
    QVariant Value(int column) const override;
    QByteArrayView Utf8(int column) const override;
    double Float(int column) const override;
    qint64 Integer(int column) const override;

private:
    struct TColumn {
        QString Name;
        TDeclaredType Declared;
        bool Resolved = false;
    };
    using TRow = std::vector<QVariant>;

    // The current row's cell and its storage class, when the row is read
    // directly and the cell is stored as the column's type keeps it (so its
    // value is the cell's); else a null cell.
    std::pair<sqlite3_value*, int> DirectCell(int column) const;
    bool ReadAhead() const;        // one more row into pending_; false at the end
    bool ReadDirect();             // the next row through readers_, once every type is known
    void Resolve(int column) const;
    const TColumn& At(int column) const;

    std::shared_ptr<const TEngineDatabase> owner_;
    std::unique_ptr<TSqliteStatement> statement_;
    mutable std::vector<TColumn> columns_;
    mutable std::deque<TRow> pending_;
    mutable bool done_ = false;
    TRow current_;                 // unless direct_
    bool onRow_ = false;
    bool direct_ = false;          // the current row is in readers_
    // Each row is read into the readers as Next reaches it, so that its
    // values stay what they were while the caller writes; once the caller
    // reads through Utf8, Float or Integer (which read the statement's cell
    // itself, and are read before any write), a column is read into its
    // reader only when its Value is asked for.
    mutable std::vector<TColumnReader> readers_;
    mutable std::vector<quint64> readerRow_;   // the row each reader last read
    quint64 row_ = 0;                          // counts the rows read directly
    mutable bool bulk_ = false;                // Utf8, Float or Integer was asked for
    mutable QByteArray text_;                  // Utf8's text when not read from the cell
};
