#pragma once
// The catalogue kept in the database itself: tables, their declared column
// types and indexes, read back through SQLite's schema, and the engine's own
// table of password marks, which no listing shows.
#include "platform/engine/field_types.h"
#include "platform/engine/statement_indexes.h"
#include <map>
#include <optional>

struct sqlite3;

class TCatalogue {
public:
    explicit TCatalogue(sqlite3* db);

    static bool IsPrivateTable(const QString& name);

    // The table's name as stored, found in any case; nullopt when there is none.
    // A table found is remembered until Forget: every statement asks.
    std::optional<QString> StoredName(const QString& table) const;
    QStringList TableNames() const;
    // EDatabaseError naming the table when it does not exist. Cached until Forget.
    const TTableDesc& Describe(const QString& table) const;
    void Forget() {
        descs_.clear();
        marks_.clear();
        stored_.clear();
        statementIndexes_.Forget();
    }
    // Forgets one table only: what is known of the others still holds.
    void Forget(const QString& table);

    void Create(const TTableDesc& desc);   // with its indexes and password mark
    void DropMarks(const QString& table);  // after the table itself was dropped

    // A "Create Index" statement, translated and prepared: true when the
    // index is recorded, to be built when first wanted (see TStatementIndexes).
    bool DeferIndex(const QString& table, const QString& sql);
    // Builds the table's index of that name if it is recorded and not built yet.
    // True when it built it.
    bool BuildIndex(const QString& table, const QString& index);

    // Empty when the table is not protected.
    QString PasswordMark(const QString& table) const;
    static QString MarkFor(const QString& table, const QString& password);

private:
    TTableDesc Read(const QString& storedName) const;
    void Exec(const QString& sql) const;

    sqlite3* db_;
    TStatementIndexes statementIndexes_;
    mutable std::map<QString, TTableDesc> descs_;   // by lower-case name
    mutable std::map<QString, QString> marks_;      // by lower-case name
    mutable std::map<QString, QString> stored_;     // by lower-case name
};
