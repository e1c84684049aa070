#include "platform/engine/change_log.h"
#include "platform/engine/column_values.h"
#include "platform/engine/sql_translator.h"
#include "platform/engine/sqlite_statement.h"
#include <sqlite3.h>

namespace {

// One row per logged table: its tag, the columns it logs, the columns whose
// change an update must make to be logged, and the version of the file (as
// other connections' commits change it) when it started. Made with the
// connection, outside any transaction, so that no rollback takes it away.
const QString Logs = QStringLiteral("temp.quelt_change_logs");

QString LogTable(const QString& table) { return QStringLiteral("quelt_changes_") + table; }
QString Trigger(const QString& table, const char* event) { return LogTable(table) + QLatin1Char('_') + QLatin1String(event); }

void Run(sqlite3* db, const QString& sql, const std::vector<QVariant>& params = {}) {
    TSqliteStatement statement(db, sql);
    statement.BindAll(params);
    while (statement.Step()) {
    }
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

// The condition under which an update is logged: any change of a watched column.
QString UpdateCondition(const QStringList& watched) {
    QStringList changes;
    for (const QString& column : watched)
        changes << QStringLiteral("OLD.%1 IS NOT NEW.%1").arg(QuoteIdentifier(column));
    return changes.isEmpty() ? QString() : QStringLiteral(" WHEN ") + changes.join(QStringLiteral(" OR "));
}

}  // namespace

TChangeLogs::TChangeLogs(sqlite3* db) : db_(db) {
    Run(db_, QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS quelt_change_logs "
                            "(TableName TEXT PRIMARY KEY, Tag TEXT, Columns TEXT, Watched TEXT, DataVersion INTEGER)"));
}

TChangeLogs::~TChangeLogs() = default;

TSqliteStatement& TChangeLogs::Kept(std::unique_ptr<TSqliteStatement>& kept, const QString& sql) {
    if (!kept)
        kept = std::make_unique<TSqliteStatement>(db_, sql);
    kept->Reset();
    return *kept;
}

qlonglong TChangeLogs::DataVersion() {
    TSqliteStatement& version = Kept(version_, QStringLiteral("PRAGMA data_version"));
    const qlonglong value = version.Step() ? version.ColumnInt(0) : 0;
    version.Reset();
    return value;
}

TChangeLogs::TState TChangeLogs::State(const QString& table) {
    TSqliteStatement& state = Kept(state_, QStringLiteral("SELECT Columns, Watched, Tag, DataVersion, "
                                                          "(SELECT count(*) FROM sqlite_temp_master WHERE type = 'trigger' "
                                                          "AND tbl_name = ?1 AND name IN (?2, ?3, ?4)) "
                                                          "FROM %1 WHERE TableName = ?1")
                                              .arg(Logs));
    state.BindAll({table, Trigger(table, "i"), Trigger(table, "u"), Trigger(table, "d")});
    TState found;
    if (state.Step()) {
        found = {true, state.Column(0).toString(), state.Column(1).toString(), state.Column(2).toString(),
                 state.ColumnInt(3), int(state.ColumnInt(4))};
    }
    state.Reset();
    return found;
}

void TChangeLogs::Start(const TTableDesc& desc, const QStringList& columns, const QString& tag,
                        const QStringList& watched) {
    const QString table = desc.Name;
    const QString joined = columns.join(QLatin1Char(','));
    const QString joinedWatched = watched.join(QLatin1Char(','));
    const QString log = QStringLiteral("temp.") + QuoteIdentifier(LogTable(table));
    const TState now = State(table);
    // A table made anew since took the triggers with it: they are made again.
    const bool same = now.Logged && now.Triggers == 3 && now.Columns == joined && now.Watched == joinedWatched;
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
        const QString on = QStringLiteral(" ON main.") + QuoteIdentifier(table);
        const QString body = QStringLiteral(" BEGIN ");
        const QString before = insert.arg(Logged(columns, "OLD").join(QStringLiteral(", ")));
        const QString after = insert.arg(Logged(columns, "NEW").join(QStringLiteral(", ")));
        Run(db_, QStringLiteral("CREATE TEMP TRIGGER ") + QuoteIdentifier(Trigger(table, "i")) + QStringLiteral(" AFTER INSERT") + on + body + after + QStringLiteral(" END"));
        Run(db_, QStringLiteral("CREATE TEMP TRIGGER ") + QuoteIdentifier(Trigger(table, "u")) + QStringLiteral(" AFTER UPDATE") + on + UpdateCondition(watched) + body + before + after + QStringLiteral(" END"));
        Run(db_, QStringLiteral("CREATE TEMP TRIGGER ") + QuoteIdentifier(Trigger(table, "d")) + QStringLiteral(" AFTER DELETE") + on + body + before + QStringLiteral(" END"));
    }
    TSqliteStatement& started = Kept(started_, QStringLiteral("INSERT OR REPLACE INTO %1 VALUES (?, ?, ?, ?, ?)").arg(Logs));
    started.BindAll({table, tag, joined, joinedWatched, DataVersion()});
    started.Step();
    started.Reset();
}

std::optional<TChangeLog> TChangeLogs::Read(const TTableDesc& desc) {
    const QString table = desc.Name;
    // A table dropped since took its triggers with it.
    const TState now = State(table);
    if (!now.Logged || now.Triggers != 3 || now.Version != DataVersion()) return std::nullopt;
    TChangeLog result;
    result.Tag = now.Tag;
    QStringList columns;
    if (!now.Columns.isEmpty()) columns = now.Columns.split(QLatin1Char(','));
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
    TSqliteStatement& forget = Kept(forget_, QStringLiteral("DELETE FROM %1 WHERE TableName = ?").arg(Logs));
    forget.Bind(1, table);
    forget.Step();
    forget.Reset();
}
