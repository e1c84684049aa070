#pragma once
// The plain indexes that "Create Index" statements make. Such an index only
// orders rows (a report table gets one on every month column, for a sort its
// user may never ask for), so the engine records it, lists it with the
// table's indexes at once, and builds it when a cursor first orders by it:
// a cursor orders by the index's fields whether it is built or not, and a
// build in between costs the one sort the user asked for. An index that
// enforces something (unique) is built at once. The records live in a table
// of the engine's own, beside the table's rows, so they are undone and
// redone with the transactions that make them.
#include "platform/engine/field_types.h"
#include <memory>
#include <optional>
#include <vector>

struct sqlite3;
class TSqliteStatement;

class TStatementIndexes {
public:
    explicit TStatementIndexes(sqlite3* db);
    ~TStatementIndexes();

    static bool IsPrivateTable(const QString& name);

    // Records the index a "Create Index" statement in SQLite's dialect makes
    // on the stored table, once SQLite prepared the statement (so the table
    // and its fields exist and no built index has the name): true when it
    // is recorded, false when it is not a plain index and is to be built now.
    // EDatabaseError when a recorded index has the name.
    bool Defer(const QString& storedTable, const QString& sql);

    struct TRecorded {
        QString StorageName;
        TIndexDesc Index;
    };
    // The table's recorded indexes, built or not, in the order they were made.
    std::vector<TRecorded> Of(const TTableDesc& table) const;

    // Builds the table's recorded index of that name unless it is built;
    // true when it built it. A build that fails (a read-only file, another
    // program writing) leaves the index recorded, for the next cursor.
    bool Build(const QString& storedTable, const QString& indexName);

    // Forgets the records of a table that was dropped.
    void Drop(const QString& storedTable);

    // What was read of the records may have changed (a rollback, a write).
    void Forget() { anyUnbuilt_.reset(); }

private:
    bool Exists() const;
    bool AnyUnbuilt() const;   // read once until Forget: every cursor on an index asks
    void Exec(const QString& sql) const;

    sqlite3* db_;
    mutable std::optional<bool> anyUnbuilt_;
    std::unique_ptr<TSqliteStatement> record_;
};
