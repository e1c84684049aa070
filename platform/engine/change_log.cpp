#include "platform/engine/change_log.h"
#include "platform/engine/column_values.h"
#include "platform/engine/sql_translator.h"
#include "platform/engine/sqlite_statement.h"
#include <sqlite3.h>

namespace {

// One row per logged table: its tag, the columns it logs and the version of
// the file (as other connections' commits change it) when it started.
const QString Logs = QStringLiteral("temp.quelt_change_logs");

QString LogTable(const QString& table) { return QStringLiteral("quelt_changes_") + table; }
QString Trigger(const QString& table, const char* event) { return LogTable(table) + QLatin1Char('_') + QLatin1String(event); }

void Run(sqlite3* db, const QString& sql, const std::vector<QVariant>& params = {}) {
    TSqliteStatement statement(db, sql);
    statement.BindAll(params);
    while (statement.Step()) {
    }
}

qlonglong DataVersion(sqlite3* db) {
    TSqliteStatement version(db, QStringLiteral("PRAGMA data_version"));
    return version.Step() ? version.ColumnInt(0) : 0;
}

// The columns as the log table and the triggers write them; a log of no
// columns records only that a row changed.
QStringList Logged(const QStringList& columns, const char* row) {
    QStringList values;
    for (const QString& column : columns)
        values << (row ? QLatin1String(row) + QLatin1Char('.') : QString()) + QuoteIdentifier(column);
    if (values.isEmpty())
        values << (row ? QStringLiteral("1") : QStringLiteral("\"Changed\""));
    return values;
}

}  // namespace

void TChangeLogs::Start(const TTableDesc& desc, const QStringList& columns, const QString& tag) {
    Run(db_, QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS quelt_change_logs "
                            "(TableName TEXT PRIMARY KEY, Tag TEXT, Columns TEXT, DataVersion INTEGER)"));
    const QString table = desc.Name;
    const QString joined = columns.join(QLatin1Char(','));
    const QString log = QStringLiteral("temp.") + QuoteIdentifier(LogTable(table));
    bool same = false;
    {
        TSqliteStatement columnsNow(db_, QStringLiteral("SELECT Columns FROM %1 WHERE TableName = ?").arg(Logs));
        columnsNow.Bind(1, table);
        same = columnsNow.Step() && columnsNow.Column(0).toString() == joined;
    }
    if (same) {
        Run(db_, QStringLiteral("DELETE FROM ") + log);
    } else {
        Stop(table);
        const QString values = Logged(columns, nullptr).join(QStringLiteral(", "));
        Run(db_, QStringLiteral("CREATE TEMP TABLE %1 (%2, UNIQUE (%2))").arg(QuoteIdentifier(LogTable(table)), values));
        // A trigger's statements name their table unqualified: the log's name
        // is the connection's own, found in its temporary schema.
        const QString insert =
            QStringLiteral("INSERT OR IGNORE INTO %1 VALUES (%2);").arg(QuoteIdentifier(LogTable(table)), QStringLiteral("%1"));
        const QString on = QStringLiteral(" ON main.") + QuoteIdentifier(table) + QStringLiteral(" BEGIN ");
        const QString before = insert.arg(Logged(columns, "OLD").join(QStringLiteral(", ")));
        const QString after = insert.arg(Logged(columns, "NEW").join(QStringLiteral(", ")));
        Run(db_, QStringLiteral("CREATE TEMP TRIGGER ") + QuoteIdentifier(Trigger(table, "i")) + QStringLiteral(" AFTER INSERT") + on + after + QStringLiteral(" END"));
        Run(db_, QStringLiteral("CREATE TEMP TRIGGER ") + QuoteIdentifier(Trigger(table, "u")) + QStringLiteral(" AFTER UPDATE") + on + before + after + QStringLiteral(" END"));
        Run(db_, QStringLiteral("CREATE TEMP TRIGGER ") + QuoteIdentifier(Trigger(table, "d")) + QStringLiteral(" AFTER DELETE") + on + before + QStringLiteral(" END"));
    }
    Run(db_, QStringLiteral("INSERT OR REPLACE INTO %1 VALUES (?, ?, ?, ?)").arg(Logs),
        {table, tag, joined, DataVersion(db_)});
}

std::optional<TChangeLog> TChangeLogs::Read(const TTableDesc& desc) const {
    const QString table = desc.Name;
    TChangeLog result;
    QStringList columns;
    {
        TSqliteStatement exists(db_, QStringLiteral("SELECT count(*) FROM sqlite_temp_master WHERE name = 'quelt_change_logs'"));
        if (!exists.Step() || exists.ColumnInt(0) == 0) return std::nullopt;
        TSqliteStatement meta(db_, QStringLiteral("SELECT Tag, Columns, DataVersion FROM %1 WHERE TableName = ?").arg(Logs));
        meta.Bind(1, table);
        if (!meta.Step() || meta.ColumnInt(2) != DataVersion(db_)) return std::nullopt;
        result.Tag = meta.Column(0).toString();
        const QString joined = meta.Column(1).toString();
        if (!joined.isEmpty()) columns = joined.split(QLatin1Char(','));
    }
    // A table dropped since took its triggers with it.
    {
        TSqliteStatement triggers(db_, QStringLiteral("SELECT count(*) FROM sqlite_temp_master WHERE type = 'trigger' "
                                                      "AND tbl_name = ? AND name IN (?, ?, ?)"));
        triggers.BindAll({table, Trigger(table, "i"), Trigger(table, "u"), Trigger(table, "d")});
        if (!triggers.Step() || triggers.ColumnInt(0) != 3) return std::nullopt;
    }
    std::vector<TFieldType> types;
    for (const QString& column : columns) {
        const int index = desc.ColumnIndex(column);
        if (index < 0) return std::nullopt;   // the table was made anew without it
        types.push_back(desc.Columns[size_t(index)].Type);
    }
    TSqliteStatement rows(db_, QStringLiteral("SELECT * FROM temp.") + QuoteIdentifier(LogTable(table)));
    while (rows.Step()) {
        std::vector<QVariant> values;
        for (size_t i = 0; i < types.size(); ++i) values.push_back(StorageToValue(rows.Column(int(i)), types[i]));
        result.Values.push_back(std::move(values));
    }
    return result;
}

void TChangeLogs::Stop(const QString& table) {
    for (const char* event : {"i", "u", "d"})
        Run(db_, QStringLiteral("DROP TRIGGER IF EXISTS temp.") + QuoteIdentifier(Trigger(table, event)));
    Run(db_, QStringLiteral("DROP TABLE IF EXISTS temp.") + QuoteIdentifier(LogTable(table)));
    TSqliteStatement exists(db_, QStringLiteral("SELECT count(*) FROM sqlite_temp_master WHERE name = 'quelt_change_logs'"));
    if (exists.Step() && exists.ColumnInt(0) != 0) Run(db_, QStringLiteral("DELETE FROM %1 WHERE TableName = ?").arg(Logs), {table});
}
