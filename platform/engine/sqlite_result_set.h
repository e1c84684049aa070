#pragma once
// Rows of a SELECT, read forward. Columns of a table take their declared type;
// an expression takes the type of its first non-null value, so the reader
// looks ahead as far as it must to find it; an expression that starts with an
// integer is read to the end and is a float when any of its values is.
#include "platform/engine/column_values.h"
#include "platform/engine/engine_database.h"
#include "platform/engine/sqlite_statement.h"
#include <deque>

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

private:
    struct TColumn {
        QString Name;
        TDeclaredType Declared;
        bool Resolved = false;
    };
    using TRow = std::vector<QVariant>;

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
    std::vector<TColumnReader> readers_;
};
