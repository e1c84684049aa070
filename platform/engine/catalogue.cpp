#include "platform/engine/catalogue.h"
#include "platform/engine/column_values.h"
#include "platform/engine/sql_translator.h"
#include "platform/engine/sqlite_statement.h"
#include "platform/engine/nocase_collation.h"
#include <QCryptographicHash>
#include <QSet>
#include <algorithm>
#include <sqlite3.h>

namespace {
const QString kMarksTable = QStringLiteral("engine_table_marks");
}

TCatalogue::TCatalogue(sqlite3* db) : db_(db), statementIndexes_(db) {
    Exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (TableName TEXT PRIMARY KEY COLLATE NOCASE, PasswordMark TEXT)")
             .arg(kMarksTable));
}

bool TCatalogue::IsPrivateTable(const QString& name) {
    return name.compare(kMarksTable, Qt::CaseInsensitive) == 0 || TStatementIndexes::IsPrivateTable(name) ||
           name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive);
}

void TCatalogue::Exec(const QString& sql) const {
    TSqliteStatement statement(db_, sql);
    while (statement.Step()) {
    }
}

std::optional<QString> TCatalogue::StoredName(const QString& table) const {
    const QString name = StripTableExtension(table);
    if (name.isEmpty() || IsPrivateTable(name)) return std::nullopt;
    const QString key = name.toLower();
    if (auto found = stored_.find(key); found != stored_.end()) return found->second;
    TSqliteStatement statement(db_, QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table' AND name = ? COLLATE NOCASE"));
    statement.Bind(1, name);
    if (!statement.Step()) return std::nullopt;
    return stored_[key] = statement.Column(0).toString();
}

QStringList TCatalogue::TableNames() const {
    TSqliteStatement statement(db_, QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY name COLLATE NOCASE"));
    QStringList names;
    while (statement.Step()) {
        const QString name = statement.Column(0).toString();
        if (!IsPrivateTable(name)) names.append(name);
    }
    return names;
}

const TTableDesc& TCatalogue::Describe(const QString& table) const {
    const QString key = StripTableExtension(table).toLower();
    auto found = descs_.find(key);
    if (found != descs_.end()) return found->second;
    const std::optional<QString> stored = StoredName(table);
    if (!stored) throw EDatabaseError(QStringLiteral("Table %1 does not exist").arg(StripTableExtension(table)));
    return descs_.emplace(key, Read(*stored)).first->second;
}

TTableDesc TCatalogue::Read(const QString& storedName) const {
    TTableDesc desc;
    desc.Name = storedName;
    std::vector<std::pair<int, QString>> primaryColumns;   // (position in key, name)
    {
        TSqliteStatement info(db_, QStringLiteral("PRAGMA table_info(%1)").arg(QuoteIdentifier(storedName)));
        while (info.Step()) {
            TColumnDesc column;
            column.Name = info.Column(1).toString();
            const TDeclaredType declared = ParseDeclaredType(info.Column(2).toString());
            column.Type = declared.Type;
            column.Size = declared.Size;
            column.Required = info.ColumnInt(3) != 0;
            desc.Columns.push_back(column);
            if (info.ColumnInt(5) > 0) primaryColumns.emplace_back(int(info.ColumnInt(5)), column.Name);
        }
    }
    QMap<QString, std::pair<bool, QString>> flags;   // index name -> (unique, origin)
    {
        TSqliteStatement list(db_, QStringLiteral("PRAGMA index_list(%1)").arg(QuoteIdentifier(storedName)));
        while (list.Step()) flags.insert(list.Column(1).toString(), {list.ColumnInt(2) != 0, list.Column(3).toString()});
    }
    // The plain indexes statements made come after the others, in the order
    // they were made, whether they are built yet or not.
    const std::vector<TStatementIndexes::TRecorded> recorded = statementIndexes_.Of(desc);
    auto isRecorded = [&](const QString& storage) {
        return std::any_of(recorded.begin(), recorded.end(), [&](const TStatementIndexes::TRecorded& entry) {
            return entry.StorageName.compare(storage, Qt::CaseInsensitive) == 0;
        });
    };
    TSqliteStatement order(db_, QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'index' AND tbl_name = ? ORDER BY rowid"));
    order.Bind(1, storedName);
    bool hasPrimary = false;
    while (order.Step()) {
        const QString storage = order.Column(0).toString();
        if (!flags.contains(storage) || isRecorded(storage)) continue;
        const auto [unique, origin] = flags.value(storage);
        TIndexDesc index;
        index.Primary = origin == QLatin1String("pk");
        index.Unique = unique;
        index.Name = index.Primary ? QString() : IndexNameFromStorage(storedName, storage);
        TSqliteStatement columns(db_, QStringLiteral("PRAGMA index_xinfo(%1)").arg(QuoteIdentifier(storage)));
        while (columns.Step()) {
            if (columns.ColumnInt(5) == 0) continue;   // the row id that every index carries
            if (index.Fields.isEmpty()) index.Descending = columns.ColumnInt(3) != 0;
            index.Fields.append(columns.Column(2).toString());
            if (columns.Column(4).toString().compare(QLatin1String(kNoCaseCollation), Qt::CaseInsensitive) == 0)
                index.CaseInsensitive = true;
        }
        if (index.Primary) {
            hasPrimary = true;
            desc.Indexes.insert(desc.Indexes.begin(), index);
        } else {
            desc.Indexes.push_back(index);
        }
    }
    if (!hasPrimary && !primaryColumns.empty()) {   // a primary key that is SQLite's row id
        std::sort(primaryColumns.begin(), primaryColumns.end());
        TIndexDesc index;
        index.Primary = index.Unique = true;
        for (const auto& column : primaryColumns) index.Fields.append(column.second);
        desc.Indexes.insert(desc.Indexes.begin(), index);
    }
    for (const TStatementIndexes::TRecorded& entry : recorded) desc.Indexes.push_back(entry.Index);
    return desc;
}

namespace {

QString IndexedColumns(const TTableDesc& desc, const TIndexDesc& index) {
    QStringList parts;
    for (const QString& field : index.Fields) {
        const int column = desc.ColumnIndex(field);
        if (column < 0)
            throw EDatabaseError(QStringLiteral("Index %1 of table %2 names the unknown field %3")
                                     .arg(index.Primary ? QStringLiteral("(primary)") : index.Name, desc.Name, field));
        QString part = QuoteIdentifier(desc.Columns[size_t(column)].Name);
        if (index.CaseInsensitive && IsTextType(desc.Columns[size_t(column)].Type))
            part += QStringLiteral(" COLLATE ") + QLatin1String(kNoCaseCollation);
        if (index.Descending) part += QStringLiteral(" DESC");
        parts.append(part);
    }
    return parts.join(QStringLiteral(", "));
}

void CheckDesc(const TTableDesc& desc) {
    const QString name = StripTableExtension(desc.Name);
    if (name.isEmpty()) throw EDatabaseError(QStringLiteral("A table needs a name"));
    if (TCatalogue::IsPrivateTable(name)) throw EDatabaseError(QStringLiteral("The name %1 is reserved").arg(name));
    if (desc.Columns.empty()) throw EDatabaseError(QStringLiteral("Table %1 has no fields").arg(name));
    QSet<QString> seen;
    for (const TColumnDesc& column : desc.Columns) {
        if (column.Name.isEmpty() || seen.contains(column.Name.toLower()))
            throw EDatabaseError(QStringLiteral("Table %1: field names must be given and distinct").arg(name));
        seen.insert(column.Name.toLower());
    }
    int primaries = 0;
    QSet<QString> indexNames;
    for (const TIndexDesc& index : desc.Indexes) {
        if (index.Fields.isEmpty()) throw EDatabaseError(QStringLiteral("Table %1: an index without fields").arg(name));
        if (index.Primary) {
            ++primaries;
        } else if (index.Name.isEmpty() || indexNames.contains(index.Name.toLower())) {
            throw EDatabaseError(QStringLiteral("Table %1: index names must be given and distinct").arg(name));
        } else {
            indexNames.insert(index.Name.toLower());
        }
    }
    if (primaries > 1) throw EDatabaseError(QStringLiteral("Table %1 has more than one primary index").arg(name));
}

}  // namespace

void TCatalogue::Create(const TTableDesc& desc) {
    CheckDesc(desc);
    TTableDesc table = desc;
    table.Name = StripTableExtension(desc.Name);
    if (StoredName(table.Name)) throw EDatabaseError(QStringLiteral("Table %1 already exists").arg(table.Name));

    QStringList parts;
    for (const TColumnDesc& column : table.Columns) {
        QString part = QuoteIdentifier(column.Name) + QLatin1Char(' ') + DeclaredTypeFor(column);
        if (column.Required) part += QStringLiteral(" NOT NULL");
        parts.append(part);
    }
    for (const TIndexDesc& index : table.Indexes)
        if (index.Primary) parts.append(QStringLiteral("PRIMARY KEY (%1)").arg(IndexedColumns(table, index)));

    // One savepoint: the table, its indexes and its mark all exist, or none does.
    Exec(QStringLiteral("SAVEPOINT create_table"));
    try {
        Exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(QuoteIdentifier(table.Name), parts.join(QStringLiteral(", "))));
        for (const TIndexDesc& index : table.Indexes) {
            if (index.Primary) continue;
            Exec(QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                     .arg(index.Unique ? QStringLiteral("UNIQUE ") : QString(),
                          QuoteIdentifier(IndexStorageName(table.Name, index.Name)), QuoteIdentifier(table.Name),
                          IndexedColumns(table, index)));
        }
        if (!desc.Password.isEmpty()) {
            TSqliteStatement mark(db_, QStringLiteral("INSERT OR REPLACE INTO %1 VALUES (?, ?)").arg(kMarksTable));
            mark.BindAll({table.Name, MarkFor(table.Name, desc.Password)});
            mark.Step();
        }
        Exec(QStringLiteral("RELEASE create_table"));
    } catch (...) {
        Exec(QStringLiteral("ROLLBACK TO create_table"));
        Exec(QStringLiteral("RELEASE create_table"));
        throw;
    }
    Forget(table.Name);
}

void TCatalogue::DropMarks(const QString& table) {
    TSqliteStatement drop(db_, QStringLiteral("DELETE FROM %1 WHERE TableName = ?").arg(kMarksTable));
    drop.Bind(1, StripTableExtension(table));
    drop.Step();
    statementIndexes_.Drop(table);
    Forget(table);
}

void TCatalogue::Forget(const QString& table) {
    const QString key = StripTableExtension(table).toLower();
    descs_.erase(key);
    marks_.erase(key);
    stored_.erase(key);
    statementIndexes_.Forget();
}

bool TCatalogue::DeferIndex(const QString& table, const QString& sql) {
    const std::optional<QString> stored = StoredName(table);
    if (!stored || !statementIndexes_.Defer(*stored, sql)) return false;
    Forget(table);
    return true;
}

bool TCatalogue::BuildIndex(const QString& table, const QString& index) {
    const std::optional<QString> stored = StoredName(table);
    if (!stored || !statementIndexes_.Build(*stored, index)) return false;
    Forget(table);
    return true;
}

QString TCatalogue::PasswordMark(const QString& table) const {
    const QString key = StripTableExtension(table).toLower();
    auto found = marks_.find(key);
    if (found != marks_.end()) return found->second;
    TSqliteStatement read(db_, QStringLiteral("SELECT PasswordMark FROM %1 WHERE TableName = ?").arg(kMarksTable));
    read.Bind(1, StripTableExtension(table));
    const QString mark = read.Step() ? read.Column(0).toString() : QString();
    marks_.emplace(key, mark);
    return mark;
}

QString TCatalogue::MarkFor(const QString& table, const QString& password) {
    const QByteArray salted = (StripTableExtension(table).toLower() + QLatin1Char('\n') + password).toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(salted, QCryptographicHash::Sha256).toHex());
}
