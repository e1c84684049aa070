#pragma once
// One database: a SQLite file reached through the system's SQL dialect.
#include "platform/engine/field_types.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/transaction.h"
#include <QByteArrayView>
#include <QString>
#include <memory>
#include <optional>

class TEngineSession;
class TEngineCursor;
struct TCursorSpec;

// Rows of a statement, read forward.
class TResultSet {
public:
    virtual ~TResultSet() = default;
    virtual int ColumnCount() const = 0;
    virtual QString ColumnName(int column) const = 0;
    // From the declared type of a table column; for expressions the type of the
    // first non-null value (ISO date text reads as ftDate), ftString when all are null;
    // an expression whose first value is an integer is ftFloat when any value is a float
    // (a union that starts a money column with the constant 0).
    virtual TFieldType ColumnType(int column) const = 0;
    virtual int ColumnSize(int column) const = 0;
    virtual bool Next() = 0;                       // false after the last row
    virtual QVariant Value(int column) const = 0;  // typed as ColumnType
    // For a reader of many rows, without a QVariant per value: Value's text
    // as UTF-8 (empty for null; valid until Next), Value as a float, Value as
    // an integer (0 for null).
    virtual QByteArrayView Utf8(int column) const = 0;
    virtual double Float(int column) const = 0;
    virtual qint64 Integer(int column) const = 0;
};

// The values some columns of a table held before and after each row change
// logged since the log was started, each set of values once, with the tag
// the log was started with.
struct TChangeLog {
    QString Tag;
    std::vector<std::vector<QVariant>> Values;   // typed as the columns
};

class TEngineDatabase {
public:
    virtual ~TEngineDatabase() = default;

    // Opens the file, creating it (owner-only permissions) when create is true; WAL journal.
    // EDatabaseError naming the file when it cannot be opened. The session (whose
    // passwords open protected tables) must outlive the database.
    static std::shared_ptr<TEngineDatabase> Open(const QString& path, bool create,
                                                 TEngineSession* session = nullptr);

    virtual QString Path() const = 0;

    // Statements in the system's dialect; values as bound parameters ("?" or ":name" in order).
    virtual int Execute(const QString& sql, const std::vector<QVariant>& params = {}) = 0;  // rows changed
    virtual std::unique_ptr<TResultSet> Query(const QString& sql, const std::vector<QVariant>& params = {}) = 0;

    // Catalogue, read from the database itself. Names with or without extension, any case.
    virtual bool TableExists(const QString& table) const = 0;
    virtual TTableDesc DescribeTable(const QString& table) const = 0;   // EDatabaseError when missing
    virtual QStringList TableNames() const = 0;
    virtual void CreateTable(const TTableDesc& desc) = 0;               // with its indexes and password
    virtual bool IsProtected(const QString& table) const = 0;

    // Rows, by the engine's row id. Each call commits before it returns unless a
    // transaction is open. EDatabaseError: "Key violation", a text longer than its
    // field, a value of the wrong type; nothing is written then.
    virtual qint64 InsertRow(const QString& table, const TRecordValues& values) = 0;
    virtual void UpdateRow(const QString& table, qint64 rowId, const TRecordValues& values) = 0;
    virtual void DeleteRow(const QString& table, qint64 rowId) = 0;
    virtual std::optional<TRecordValues> ReadRow(const QString& table, qint64 rowId) const = 0;
    virtual void EmptyTable(const QString& table) = 0;

    // Bulk work: all or nothing. Nesting is an error.
    virtual void StartTransaction() = 0;
    virtual void Commit() = 0;
    virtual void Rollback() = 0;
    virtual bool InTransaction() const = 0;

    // A cursor over one table; EDatabaseError when the table is missing or
    // protected by a password the session does not hold.
    virtual std::unique_ptr<TEngineCursor> OpenCursor(const TCursorSpec& spec) = 0;

    // Change logs. From StartChangeLog on (a log started again starts empty),
    // every row this database inserts, updates or deletes in the table logs
    // the named columns' values before and after the change (no columns: only
    // that a row changed); when watched columns are named, an update that
    // changes none of them is not logged. The log is undone and redone with
    // the transactions of the rows it records. ChangeLog gives none when the
    // log may have missed a change: none was started, another connection has
    // committed to the file since, or the table was emptied or dropped since.
    virtual void StartChangeLog(const QString& /*table*/, const QStringList& /*columns*/, const QString& /*tag*/,
                                const QStringList& /*watched*/ = {}) {}
    virtual std::optional<TChangeLog> ChangeLog(const QString& /*table*/) { return std::nullopt; }

    // Bumped by every write through this database, so cursors can tell they are stale.
    virtual quint64 ChangeCount() const = 0;
};

// Quotes a value as a string literal of the system's dialect (double quotes),
// for the few places that must build statement text.
QString QuoteSqlString(const QString& value);
