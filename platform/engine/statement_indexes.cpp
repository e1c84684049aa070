#include "platform/engine/statement_indexes.h"
#include "platform/engine/nocase_collation.h"
#include "platform/engine/sql_translator.h"
#include "platform/engine/sqlite_statement.h"
#include <QRegularExpression>
#include <sqlite3.h>

namespace {
const QString kTable = QStringLiteral("engine_statement_indexes");

QString Unquoted(const QString& identifier) {
    if (identifier.size() >= 2 && identifier.startsWith(QLatin1Char('"')) && identifier.endsWith(QLatin1Char('"')))
        return identifier.mid(1, identifier.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return identifier;
}

// The storage name and the fields of a plain index statement; an empty
// storage name for any other statement.
struct TPlainIndex {
    QString StorageName;
    QStringList Fields;
};

TPlainIndex ParsePlainIndex(const QString& sql) {
    static const QRegularExpression statement(
        QStringLiteral(R"(^\s*create\s+index\s+("(?:[^"]|"")+")\s+on\s+"(?:[^"]|"")+"\s*\(([^()]*)\)\s*;?\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression field(QStringLiteral(R"(^(?:[A-Za-z_][A-Za-z0-9_]*|"(?:[^"]|"")+")$)"));
    const QRegularExpressionMatch match = statement.match(sql);
    if (!match.hasMatch()) return {};
    TPlainIndex index;
    for (const QString& part : match.captured(2).split(QLatin1Char(','))) {
        const QString name = part.trimmed();
        if (!field.match(name).hasMatch()) return {};   // a collation or a direction of its own
        index.Fields.append(Unquoted(name));
    }
    index.StorageName = Unquoted(match.captured(1));
    return index;
}
}  // namespace

TStatementIndexes::TStatementIndexes(sqlite3* db) : db_(db) {}

TStatementIndexes::~TStatementIndexes() = default;

bool TStatementIndexes::IsPrivateTable(const QString& name) { return name.compare(kTable, Qt::CaseInsensitive) == 0; }

void TStatementIndexes::Exec(const QString& sql) const {
    TSqliteStatement statement(db_, sql);
    while (statement.Step()) {
    }
}

bool TStatementIndexes::Exists() const {
    TSqliteStatement find(db_, QStringLiteral("SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ?"));
    find.Bind(1, kTable);
    return find.Step();
}

bool TStatementIndexes::Defer(const QString& storedTable, const QString& sql) {
    const TPlainIndex plain = ParsePlainIndex(sql);
    if (plain.StorageName.isEmpty()) return false;
    const std::vector<QVariant> values = {plain.StorageName, storedTable,
                                          IndexNameFromStorage(storedTable, plain.StorageName),
                                          plain.Fields.join(QLatin1Char('\n')), sql};
    // A report makes an index per column: the statement that records them is
    // kept, and made again (with the table) when a rollback took the table away.
    for (int attempt = 0;; ++attempt) {
        try {
            if (!record_) {
                Exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (StorageName TEXT PRIMARY KEY COLLATE NOCASE, "
                                    "TableName TEXT COLLATE NOCASE, IndexName TEXT, Fields TEXT, Sql TEXT, "
                                    "Built INTEGER)")
                         .arg(kTable));
                record_ = std::make_unique<TSqliteStatement>(
                    db_, QStringLiteral("INSERT INTO %1 VALUES (?, ?, ?, ?, ?, 0)").arg(kTable));
            }
            record_->BindAll(values);
            record_->Step();
            record_->Reset();
            return true;
        } catch (const ESqliteError& error) {
            if ((error.Code & 0xff) == SQLITE_CONSTRAINT)
                throw EDatabaseError(QStringLiteral("index %1 already exists").arg(plain.StorageName));
            record_.reset();
            if (attempt > 0) throw;
        }
    }
}

std::vector<TStatementIndexes::TRecorded> TStatementIndexes::Of(const TTableDesc& table) const {
    std::vector<TRecorded> recorded;
    if (!Exists()) return recorded;
    TSqliteStatement read(db_, QStringLiteral("SELECT StorageName, IndexName, Fields FROM %1 WHERE TableName = ? "
                                              "ORDER BY rowid").arg(kTable));
    read.Bind(1, table.Name);
    const QByteArray tableName = table.Name.toUtf8();
    while (read.Step()) {
        TRecorded entry;
        entry.StorageName = read.Column(0).toString();
        entry.Index.Name = read.Column(1).toString();
        for (const QString& field : read.Column(2).toString().split(QLatin1Char('\n'))) {
            const int column = table.ColumnIndex(field);
            const QString name = column < 0 ? field : table.Columns[size_t(column)].Name;
            entry.Index.Fields.append(name);
            // The index compares as its column does, as a built one reports.
            const char* collation = nullptr;
            if (sqlite3_table_column_metadata(db_, "main", tableName.constData(), name.toUtf8().constData(), nullptr,
                                              &collation, nullptr, nullptr, nullptr) == SQLITE_OK &&
                collation && qstricmp(collation, kNoCaseCollation) == 0)
                entry.Index.CaseInsensitive = true;
        }
        recorded.push_back(std::move(entry));
    }
    return recorded;
}

bool TStatementIndexes::AnyUnbuilt() const {
    if (!anyUnbuilt_) {
        anyUnbuilt_ = false;
        if (Exists()) {
            TSqliteStatement unbuilt(db_, QStringLiteral("SELECT 1 FROM %1 WHERE Built = 0 LIMIT 1").arg(kTable));
            anyUnbuilt_ = unbuilt.Step();
        }
    }
    return *anyUnbuilt_;
}

bool TStatementIndexes::Build(const QString& storedTable, const QString& indexName) {
    if (!AnyUnbuilt() || sqlite3_db_readonly(db_, "main") == 1) return false;
    QString storageName, sql;
    {
        TSqliteStatement find(db_, QStringLiteral("SELECT StorageName, Sql FROM %1 WHERE TableName = ? AND "
                                                  "IndexName = ? COLLATE NOCASE AND Built = 0").arg(kTable));
        find.BindAll({storedTable, indexName});
        if (!find.Step()) return false;
        storageName = find.Column(0).toString();
        sql = find.Column(1).toString();
    }
    Exec(QStringLiteral("SAVEPOINT build_index"));
    try {
        Exec(sql);
        TSqliteStatement built(db_, QStringLiteral("UPDATE %1 SET Built = 1 WHERE StorageName = ?").arg(kTable));
        built.Bind(1, storageName);
        built.Step();
        Exec(QStringLiteral("RELEASE build_index"));
        return true;
    } catch (const ESqliteError&) {
        Exec(QStringLiteral("ROLLBACK TO build_index"));
        Exec(QStringLiteral("RELEASE build_index"));
        return false;
    }
}

void TStatementIndexes::Drop(const QString& storedTable) {
    if (!Exists()) return;
    TSqliteStatement drop(db_, QStringLiteral("DELETE FROM %1 WHERE TableName = ?").arg(kTable));
    drop.Bind(1, StripTableExtension(storedTable));
    drop.Step();
}
