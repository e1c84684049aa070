#pragma once
// Logs of the rows one connection changes in a table: triggers of the
// connection's own temporary schema write the values some columns held
// before and after each insert, update and delete into a temporary table.
// The logs are objects of the database like the rows they record, so a
// rolled-back transaction takes back its entries and its restarts alike.
#include "platform/engine/engine_database.h"
#include <memory>

struct sqlite3;
class TSqliteStatement;

class TChangeLogs {
public:
    explicit TChangeLogs(sqlite3* db);
    ~TChangeLogs();

    // table and columns as stored; the columns' types read the values back.
    // An update that changes none of the watched columns (when any are named)
    // is not logged.
    void Start(const TTableDesc& desc, const QStringList& columns, const QString& tag, const QStringList& watched);
    std::optional<TChangeLog> Read(const TTableDesc& desc);
    // Ends the table's log: a delete of every row then needs no trigger.
    void Stop(const QString& table);

private:
    // The statement of sql, prepared once: a run reads and starts a log of
    // every table it adds up and writes.
    TSqliteStatement& Kept(std::unique_ptr<TSqliteStatement>& kept, const QString& sql);
    qlonglong DataVersion();
    // What the log of a table holds about itself, and how many of its triggers stand.
    struct TState {
        bool Logged = false;
        QString Columns, Watched, Tag;
        qlonglong Version = 0;
        int Triggers = 0;
    };
    TState State(const QString& table);

    sqlite3* db_;
    std::unique_ptr<TSqliteStatement> version_, state_, started_, forget_;
};
