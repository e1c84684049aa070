#pragma once
// Owning wrappers of SQLite's statement handle and the error it raises.
#include "platform/rtl/exceptions.h"
#include <QVariant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// An engine error that remembers SQLite's extended result code, so callers
// can turn a constraint failure into the text the program shows.
class ESqliteError : public EDatabaseError {
public:
    ESqliteError(QString message, int code) : EDatabaseError(std::move(message)), Code(code) {}
    int Code;
};

[[noreturn]] void RaiseSqliteError(sqlite3* db, int code, const QString& context);

// Values bound and read here are in storage form: a null QVariant, qlonglong,
// double, QString (text) or QByteArray (blob).
class TSqliteStatement {
public:
    TSqliteStatement(sqlite3* db, const QString& sql);
    ~TSqliteStatement();
    TSqliteStatement(const TSqliteStatement&) = delete;
    TSqliteStatement& operator=(const TSqliteStatement&) = delete;

    sqlite3_stmt* Handle() const { return stmt_; }
    const QString& Sql() const { return sql_; }
    int ParameterCount() const;

    void Reset();                                    // ready to run again, bindings cleared
    void Bind(int index, const QVariant& value);     // 1-based
    void BindAll(const std::vector<QVariant>& values, int first = 1);
    bool Step();                                     // true while there is a row
    QVariant Column(int column) const;               // storage form
    qlonglong ColumnInt(int column) const;

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    QString sql_;
};
