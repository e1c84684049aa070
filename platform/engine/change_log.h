#pragma once
// Logs of the rows one connection changes in a table: triggers of the
// connection's own temporary schema write the values some columns held
// before and after each insert, update and delete into a temporary table.
// The logs are objects of the database like the rows they record, so a
// rolled-back transaction takes back its entries and its restarts alike.
#include "platform/engine/engine_database.h"

struct sqlite3;

class TChangeLogs {
public:
    explicit TChangeLogs(sqlite3* db) : db_(db) {}

    // table and columns as stored; the columns' types read the values back.
    void Start(const TTableDesc& desc, const QStringList& columns, const QString& tag);
    std::optional<TChangeLog> Read(const TTableDesc& desc) const;
    // Ends the table's log: a delete of every row then needs no trigger.
    void Stop(const QString& table);

private:
    sqlite3* db_;
};
