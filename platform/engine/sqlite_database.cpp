#include "platform/engine/sqlite_database.h"
#include "platform/engine/column_values.h"
#include "platform/engine/engine_session.h"
#include "platform/engine/sqlite_cursor.h"
#include "platform/engine/sqlite_result_set.h"
#include "platform/engine/nocase_collation.h"
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

std::shared_ptr<TEngineDatabase> TEngineDatabase::Open(const QString& path, bool create, TEngineSession* session) {
    return std::make_shared<TSqliteDatabase>(path, create, session);
}

QString QuoteSqlString(const QString& value) {
    return QLatin1Char('"') + QString(value).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

TSqliteDatabase::TConnection::~TConnection() { sqlite3_close_v2(Db); }

namespace {
// Creates the file readable and writable by its owner only; SQLite gives its
// journal files the same permissions.
void CreateOwnerOnlyFile(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    const int fd = ::open(QFile::encodeName(path).constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0 && errno != EEXIST)
        throw EDatabaseError(QStringLiteral("Cannot create database file %1: %2").arg(path, QString::fromLocal8Bit(strerror(errno))));
    if (fd >= 0) ::close(fd);
}

const char* const CompanionSuffixes[] = {"-wal", "-shm"};

// The journal files that SQLite keeps beside a database in WAL mode get the
// database's permissions when they are made. A start on a protected file thus
// leaves a protected -shm behind, and once the user makes the file writable
// again every post would fail: give the companions back the write permissions
// of the main file.
void MatchCompanionPermissions(const QString& path) {
    const QFileDevice::Permissions main = QFile::permissions(path);
    const QFileDevice::Permissions write = main & (QFileDevice::WriteOwner | QFileDevice::WriteUser);
    for (const char* suffix : CompanionSuffixes) {
        const QString companion = path + QLatin1String(suffix);
        if (!QFileInfo::exists(companion)) continue;
        const QFileDevice::Permissions own = QFile::permissions(companion);
        if ((own & write) != write) QFile::setPermissions(companion, own | write);
    }
}

// A file its owner may not write is opened read-only, whoever runs the
// program: writes then fail with the engine's error instead of changing a
// file the user protected. A journal file that stays protected (another
// owner's, say) would fail every post as well, so it makes the database
// read-only too.
int OpenFlags(const QString& path) {
    MatchCompanionPermissions(path);
    bool readOnly = !(QFile::permissions(path) & QFileDevice::WriteOwner);
    for (const char* suffix : CompanionSuffixes) {
        const QString companion = path + QLatin1String(suffix);
        if (QFileInfo::exists(companion) && !(QFile::permissions(companion) & QFileDevice::WriteOwner)) readOnly = true;
    }
    return (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
}
}  // namespace

TSqliteDatabase::TSqliteDatabase(const QString& path, bool create, TEngineSession* session)
    : path_(QFileInfo(path).absoluteFilePath()), session_(session) {
    if (!QFileInfo::exists(path_)) {
        if (!create) throw EDatabaseError(QStringLiteral("Database file %1 does not exist").arg(path_));
        CreateOwnerOnlyFile(path_);
    }
    const int rc = sqlite3_open_v2(QFile::encodeName(path_).constData(), &connection_.Db, OpenFlags(path_), nullptr);
    db_ = connection_.Db;
    if (rc != SQLITE_OK) {
        const QString detail = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString::fromUtf8(sqlite3_errstr(rc));
        throw EDatabaseError(QStringLiteral("Cannot open database file %1: %2").arg(path_, detail));
    }
    try {
        Configure(db_);
        if (!sqlite3_db_readonly(db_, "main")) RunScript(QStringLiteral("PRAGMA journal_mode = WAL"));
        // A posted row survives a crash of the program and of the machine.
        RunScript(QStringLiteral("PRAGMA synchronous = FULL"));
        catalogue_ = std::make_unique<TCatalogue>(db_);
        changeLogs_ = std::make_unique<TChangeLogs>(db_);
        NoticeOtherWriters();   // the version the file opened at
    } catch (const EDatabaseError& error) {
        if (error.Message.contains(path_)) throw;
        throw EDatabaseError(QStringLiteral("Cannot open database file %1: %2").arg(path_, error.Message));
    }
}

TSqliteDatabase::~TSqliteDatabase() {
    // Every post goes into the main file before the program lets go of it,
    // even when another program (a backup, the sqlite3 shell) still has the
    // database open and SQLite's own checkpoint at the last close would not run.
    if (db_ && !sqlite3_db_readonly(db_, "main") && !InTransaction())
        sqlite3_wal_checkpoint_v2(db_, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
}

namespace {
// Seeks on a large table read pages all over the file: keep many in memory and
// read the file through a mapping rather than copies. The map is bounded,
// because every mapped page a session touches stays in the program's memory:
// 64 MB keeps reads as fast as a map of the whole file.
const char* const BrowsingSettings[] = {"PRAGMA cache_size = -65536", "PRAGMA mmap_size = 67108864"};
// The program's transactions are its bulk work (a rebuild of the summaries,
// a report build, a period close) or a few posts. Bulk work reads whole
// transaction tables once: in a big cache or a map the pages it passed would
// stay, as the biggest part of the program's memory, and be read no more. A
// cache of 16 MB still holds the summary rows a report reads over again and
// the pages a transaction writes.
const char* const BulkSettings[] = {"PRAGMA cache_size = -16384", "PRAGMA mmap_size = 0"};

template <size_t N>
void Apply(sqlite3* db, const char* const (&pragmas)[N]) {
    for (const char* pragma : pragmas) {
        TSqliteStatement statement(db, QString::fromLatin1(pragma));
        while (statement.Step()) {
        }
    }
}
}  // namespace

void TSqliteDatabase::Configure(sqlite3* db) {
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 5000);
    RegisterNoCaseCollation(db);
    Apply(db, BrowsingSettings);
}

sqlite3* TSqliteDatabase::Reader() {
    if (!reader_.Db) {
        const int rc = sqlite3_open_v2(QFile::encodeName(path_).constData(), &reader_.Db, OpenFlags(path_), nullptr);
        if (rc != SQLITE_OK) {
            const QString detail = reader_.Db ? QString::fromUtf8(sqlite3_errmsg(reader_.Db)) : QString::fromUtf8(sqlite3_errstr(rc));
            sqlite3_close_v2(reader_.Db);
            reader_.Db = nullptr;
            throw EDatabaseError(QStringLiteral("Cannot open database file %1: %2").arg(path_, detail));
        }
        Configure(reader_.Db);
    }
    return reader_.Db;
}

void TSqliteDatabase::RunScript(const QString& sql) {
    TSqliteStatement statement(db_, sql);
    while (statement.Step()) {
    }
}

TSqliteStatement& TSqliteDatabase::Cached(const QString& sql) const {
    auto found = statements_.find(sql);
    if (found == statements_.end()) found = statements_.emplace(sql, std::make_unique<TSqliteStatement>(db_, sql)).first;
    found->second->Reset();
    return *found->second;
}

TSqliteStatement& TSqliteDatabase::Prepared(std::unique_ptr<TSqliteStatement>& slot, const QString& sql) const {
    if (!slot) slot = std::make_unique<TSqliteStatement>(db_, sql);
    slot->Rewind();   // a read or a failed write may have left it mid-way
    return *slot;
}

// --- statements -------------------------------------------------------------

TTranslatedStatement TSqliteDatabase::Translate(const QString& sql) const {
    TTranslatedStatement statement = TranslateStatement(sql, this);
    for (const QString& table : statement.Tables)
        if (TCatalogue::IsPrivateTable(table))
            throw EDatabaseError(QStringLiteral("Table %1 does not exist in statement: %2").arg(table, sql.simplified()));
    return statement;
}

std::unique_ptr<TSqliteStatement> TSqliteDatabase::Prepare(sqlite3* on, const TTranslatedStatement& statement,
                                                           const QString& original,
                                                           const std::vector<QVariant>& params) const {
    for (const QString& table : statement.Tables)
        if (const std::optional<QString> stored = catalogue_->StoredName(table)) CheckAccess(*stored);
    std::unique_ptr<TSqliteStatement> prepared;
    try {
        prepared = std::make_unique<TSqliteStatement>(on, statement.Sql);
    } catch (const ESqliteError& error) {
        static const QRegularExpression noTable(QStringLiteral("^no such table: (.*)$"));
        static const QRegularExpression noColumn(QStringLiteral("^no such column: (.*)$"));
        QString reason = error.Message;
        if (const auto match = noTable.match(reason); match.hasMatch())
            reason = QStringLiteral("Table %1 does not exist").arg(match.captured(1));
        else if (const auto column = noColumn.match(reason); column.hasMatch())
            reason = QStringLiteral("Field %1 not found").arg(column.captured(1));
        throw EDatabaseError(QStringLiteral("%1 in statement: %2").arg(reason, original.simplified()));
    }
    if (prepared->ParameterCount() != int(params.size()))
        throw EDatabaseError(QStringLiteral("The statement takes %1 parameters, %2 were given: %3")
                                 .arg(prepared->ParameterCount()).arg(params.size()).arg(original.simplified()));
    for (size_t i = 0; i < params.size(); ++i) prepared->Bind(int(i) + 1, ParameterToStorage(params[i]));
    return prepared;
}

int TSqliteDatabase::Execute(const QString& sql, const std::vector<QVariant>& params) {
    const TTranslatedStatement statement = Translate(sql);
    // A delete of every row ends the table's change log, as emptying it does.
    static const QRegularExpression deleteAll(QStringLiteral("^delete\\s+from\\s+\"[^\"]*\"$"),
                                              QRegularExpression::CaseInsensitiveOption);
    if (statement.Kind == TStatementKind::Delete && deleteAll.match(statement.Sql).hasMatch())
        if (const std::optional<QString> stored = catalogue_->StoredName(statement.Tables.front()))
            changeLogs_->Stop(*stored);
    std::unique_ptr<TSqliteStatement> prepared = Prepare(db_, statement, sql, params);
    // A plain index, once SQLite accepted its statement, waits for the first
    // cursor that orders by it.
    bool deferred = false;
    if (statement.Kind == TStatementKind::CreateIndex) {
        try {
            deferred = catalogue_->DeferIndex(statement.Tables.front(), statement.Sql);
        } catch (const EDatabaseError& error) {
            throw EDatabaseError(QStringLiteral("%1 in statement: %2").arg(error.Message, sql.simplified()));
        }
    }
    const bool drop = statement.Kind == TStatementKind::DropTable;
    if (drop) RunScript(QStringLiteral("SAVEPOINT drop_table"));
    try {
        while (!deferred && prepared->Step()) {
        }
        if (drop) {
            catalogue_->DropMarks(statement.Tables.front());
            RunScript(QStringLiteral("RELEASE drop_table"));
        }
    } catch (const ESqliteError& error) {
        if (drop) {
            RunScript(QStringLiteral("ROLLBACK TO drop_table"));
            RunScript(QStringLiteral("RELEASE drop_table"));
        }
        const int primary = error.Code & 0xff;
        if (primary == SQLITE_CONSTRAINT && !statement.Tables.isEmpty())
            RaiseWriteError(error, statement.Tables.front(), nullptr);
        throw EDatabaseError(QStringLiteral("%1 in statement: %2").arg(error.Message, sql.simplified()));
    }
    const bool changesRows = statement.Kind == TStatementKind::Insert || statement.Kind == TStatementKind::Update ||
                             statement.Kind == TStatementKind::Delete;
    const int changed = changesRows ? sqlite3_changes(db_) : 0;
    if (statement.ChangesSchema()) ForgetTables(statement.Tables);
    if (changesRows && !statement.Tables.isEmpty()) {
        // Only the target's rows change; every table named is a safe superset.
        for (const QString& table : statement.Tables) Changed(table);
    } else if (statement.Kind != TStatementKind::Select) {
        ChangedAll();
    }
    return changed;
}

std::unique_ptr<TResultSet> TSqliteDatabase::Query(const QString& sql, const std::vector<QVariant>& params) {
    const TTranslatedStatement statement = Translate(sql);
    if (statement.Kind != TStatementKind::Select)
        throw EDatabaseError(QStringLiteral("Only a select statement gives rows: %1").arg(sql.simplified()));
    // Inside a transaction a query must see the transaction's own writes.
    sqlite3* on = InTransaction() ? db_ : Reader();
    return std::make_unique<TSqliteResultSet>(shared_from_this(), Prepare(on, statement, sql, params));
}

// --- catalogue --------------------------------------------------------------

bool TSqliteDatabase::TableExists(const QString& table) const { return catalogue_->StoredName(table).has_value(); }

TTableDesc TSqliteDatabase::DescribeTable(const QString& table) const { return catalogue_->Describe(table); }

QStringList TSqliteDatabase::TableNames() const { return catalogue_->TableNames(); }

void TSqliteDatabase::CreateTable(const TTableDesc& desc) {
    catalogue_->Create(desc);
    ForgetTables({desc.Name});
    ChangedAll();
}

void TSqliteDatabase::ForgetSchema() {
    plans_.clear();
    catalogue_->Forget();
    statements_.clear();
}

void TSqliteDatabase::ForgetTables(const QStringList& tables) {
    for (const QString& table : tables) {
        const QString key = StripTableExtension(table).toLower();
        std::erase_if(plans_, [&key](const auto& plan) {
            return StripTableExtension(plan.first).toLower() == key || plan.second.Desc->Name.toLower() == key;
        });
        catalogue_->Forget(table);
    }
    // A kept statement may name one of them.
    statements_.clear();
}

bool TSqliteDatabase::IsProtected(const QString& table) const {
    const std::optional<QString> stored = catalogue_->StoredName(table);
    return stored && !catalogue_->PasswordMark(*stored).isEmpty();
}

void TSqliteDatabase::CheckAccess(const QString& storedName) const {
    const QString mark = catalogue_->PasswordMark(storedName);
    if (mark.isEmpty()) return;
    // No password gives a mark of any other shape: the file was changed
    // behind the engine's back, which no password would mend.
    static const QRegularExpression wellFormed(QStringLiteral("^[0-9a-f]{64}$"));
    if (!wellFormed.match(mark).hasMatch())
        throw EDatabaseError(QStringLiteral("The database file %1 is damaged (the password mark of table %2 is unreadable)")
                                 .arg(path_, storedName));
    if (session_)
        for (const QString& password : session_->Passwords())
            if (TCatalogue::MarkFor(storedName, password) == mark) return;
    throw EDatabaseError(QStringLiteral("Table %1 is protected by a password that the session does not hold").arg(storedName));
}

const TTableDesc& TSqliteDatabase::AccessibleTable(const QString& table) const {
    const TTableDesc& desc = catalogue_->Describe(table);
    CheckAccess(desc.Name);
    return desc;
}

std::optional<TFieldType> TSqliteDatabase::ColumnType(const QString& table, const QString& column) const {
    if (!catalogue_->StoredName(table)) return std::nullopt;
    const TTableDesc& desc = catalogue_->Describe(table);
    const int index = desc.ColumnIndex(column);
    if (index < 0) return std::nullopt;
    return desc.Columns[size_t(index)].Type;
}

// --- rows -------------------------------------------------------------------

void TSqliteDatabase::RaiseWriteError(const ESqliteError& error, const QString& table, const TTableDesc*) const {
    switch (error.Code) {
    case SQLITE_CONSTRAINT_PRIMARYKEY:
    case SQLITE_CONSTRAINT_UNIQUE:
        throw EDatabaseError(QStringLiteral("Key violation in table %1").arg(table));
    case SQLITE_CONSTRAINT_NOTNULL:
        throw EDatabaseError(QStringLiteral("Field value required in table %1 (%2)").arg(table, error.Message));
    default:
        throw EDatabaseError(QStringLiteral("Cannot write to table %1: %2").arg(table, error.Message));
    }
}

namespace {

QString ColumnList(const TTableDesc& desc) {
    QStringList names;
    for (const TColumnDesc& column : desc.Columns) names.append(QuoteIdentifier(column.Name));
    return names.join(QStringLiteral(", "));
}

void CheckValueCount(const TTableDesc& desc, const TRecordValues& values) {
    if (size_t(values.size()) != desc.Columns.size())
        throw EDatabaseError(QStringLiteral("Table %1 has %2 fields, %3 values were given")
                                 .arg(desc.Name).arg(desc.Columns.size()).arg(values.size()));
}

[[noreturn]] void RaiseRequired(const TTableDesc& desc, const TColumnDesc& column) {
    throw EDatabaseError(QStringLiteral("Field value required: %1 of table %2").arg(column.Name, desc.Name));
}

// An empty value to be written into column i: refused when the field is
// required; true when it is a field of the primary key, whose row must then
// be looked for among the stored ones.
bool EmptyKeyField(const TTableDesc& desc, const TKeyProbe& key, size_t i, const QVariant& value) {
    if (!value.isNull()) return false;
    if (desc.Columns[i].Required) RaiseRequired(desc, desc.Columns[i]);
    return key.InKey[i];
}

}  // namespace

TSqliteDatabase::TTablePlan& TSqliteDatabase::Plan(const QString& table) const {
    auto found = plans_.find(table);
    if (found == plans_.end()) {
        const TTableDesc& desc = catalogue_->Describe(table);
        TTablePlan plan;
        plan.Desc = &desc;
        const QString name = QuoteIdentifier(desc.Name);
        QStringList marks, assignments;
        for (const TColumnDesc& column : desc.Columns) {
            marks.append(QStringLiteral("?"));
            assignments.append(QuoteIdentifier(column.Name) + QStringLiteral(" = ?"));
        }
        plan.Insert = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(name, ColumnList(desc), marks.join(QStringLiteral(", ")));
        plan.Update = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(name, assignments.join(QStringLiteral(", ")));
        plan.Delete = QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(name);
        plan.Read = QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(ColumnList(desc), name);
        plan.Key = KeyProbeFor(desc);
        plan.Changes = &tableChanges_[StripTableExtension(desc.Name).toLower()];
        found = plans_.emplace(table, std::move(plan)).first;
    }
    TTablePlan& plan = found->second;
    const QStringList held = session_ ? session_->Passwords() : QStringList();
    if (!plan.Checked || plan.CheckedPasswords != held) {
        CheckAccess(plan.Desc->Name);
        plan.Checked = true;
        plan.CheckedPasswords = held;
    }
    return plan;
}

void TSqliteDatabase::RefuseHeldKey(TTablePlan& plan, const TRecordValues& values, const QVariant& passOver) const {
    const TTableDesc& desc = *plan.Desc;
    std::vector<QVariant> key;
    for (const int column : plan.Key.Columns)
        key.push_back(ColumnToStorage(values[column], desc.Columns[size_t(column)], desc.Name));
    key.push_back(passOver);
    TSqliteStatement& probe = Prepared(plan.Probing, plan.Key.Sql);
    probe.BindAll(key);
    const bool held = probe.Step();
    probe.Reset();
    if (held) throw EDatabaseError(QStringLiteral("Key violation in table %1").arg(desc.Name));
}

qint64 TSqliteDatabase::InsertRow(const QString& table, const TRecordValues& values) {
    TTablePlan& plan = Plan(table);
    const TTableDesc& desc = *plan.Desc;
    CheckValueCount(desc, values);
    const bool numbers = std::any_of(desc.Columns.begin(), desc.Columns.end(),
                                     [](const TColumnDesc& column) { return column.Type == TFieldType::ftAutoInc; });
    if (!numbers) {
        // Each value bound as soon as it is ready: a report writes rows of a
        // hundred columns and more.
        TSqliteStatement& insert = Prepared(plan.Inserting, plan.Insert);
        bool blankKey = false;
        for (size_t i = 0; i < desc.Columns.size(); ++i) {
            const QVariant value = ColumnToStorage(values[i], desc.Columns[i], desc.Name);
            blankKey = EmptyKeyField(desc, plan.Key, i, value) || blankKey;
            insert.Bind(int(i) + 1, value);
        }
        if (blankKey) RefuseHeldKey(plan, values, QVariant());
        return StepInsert(plan, insert);
    }
    std::vector<QVariant> stored;
    stored.reserve(values.size());
    QStringList numbered;   // empty autoincrement fields, which take the next number
    bool blankKey = false;
    for (size_t i = 0; i < desc.Columns.size(); ++i) {
        const TColumnDesc& column = desc.Columns[i];
        QVariant value = ColumnToStorage(values[i], column, desc.Name);
        if (value.isNull() && column.Type == TFieldType::ftAutoInc) {
            numbered.append(column.Name);
            continue;
        }
        blankKey = EmptyKeyField(desc, plan.Key, i, value) || blankKey;
        stored.push_back(std::move(value));
    }
    if (blankKey) RefuseHeldKey(plan, values, QVariant());
    TSqliteStatement* numbering = nullptr;
    if (!numbered.isEmpty()) {
        QStringList places;
        for (const TColumnDesc& column : desc.Columns)
            places.append(numbered.contains(column.Name) ? QStringLiteral("(SELECT COALESCE(MAX(%1), 0) + 1 FROM %2)")
                                                               .arg(QuoteIdentifier(column.Name), QuoteIdentifier(desc.Name))
                                                         : QStringLiteral("?"));
        numbering = &Cached(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                .arg(QuoteIdentifier(desc.Name), ColumnList(desc), places.join(QStringLiteral(", "))));
    }
    TSqliteStatement& insert = numbering ? *numbering : Prepared(plan.Inserting, plan.Insert);
    insert.BindAll(stored);
    return StepInsert(plan, insert);
}

qint64 TSqliteDatabase::StepInsert(TTablePlan& plan, TSqliteStatement& insert) {
    try {
        insert.Step();
    } catch (const ESqliteError& error) {
        RaiseWriteError(error, plan.Desc->Name, plan.Desc);
    }
    insert.Reset();   // lets go of the texts and blobs bound
    const qint64 rowId = sqlite3_last_insert_rowid(db_);
    Changed(plan, TTableChanges::TWrite::Insert, rowId);
    return rowId;
}

void TSqliteDatabase::UpdateRow(const QString& table, qint64 rowId, const TRecordValues& values) {
    TTablePlan& plan = Plan(table);
    const TTableDesc& desc = *plan.Desc;
    CheckValueCount(desc, values);
    std::vector<QVariant> stored;
    stored.reserve(values.size() + 1);
    std::vector<int> columns;   // the column of each stored value
    QStringList assignments;
    bool skipped = false;
    bool blankKey = false;
    for (size_t i = 0; i < desc.Columns.size(); ++i) {
        const TColumnDesc& column = desc.Columns[i];
        QVariant value = ColumnToStorage(values[i], column, desc.Name);
        if (value.isNull() && column.Type == TFieldType::ftAutoInc) {   // keeps its number
            skipped = true;
            continue;
        }
        blankKey = EmptyKeyField(desc, plan.Key, i, value) || blankKey;
        assignments.append(QuoteIdentifier(column.Name) + QStringLiteral(" = ?"));
        stored.push_back(std::move(value));
        columns.push_back(int(i));
    }
    if (blankKey) RefuseHeldKey(plan, values, rowId);
    const quint64 changed = ChangedColumns(plan, rowId, stored, columns);
    stored.push_back(rowId);
    TSqliteStatement& update =
        skipped ? Cached(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                             .arg(QuoteIdentifier(desc.Name), assignments.join(QStringLiteral(", "))))
                : Prepared(plan.Updating, plan.Update);
    update.BindAll(stored);
    try {
        update.Step();
    } catch (const ESqliteError& error) {
        RaiseWriteError(error, desc.Name, &desc);
    }
    update.Reset();
    if (sqlite3_changes(db_) == 0)
        throw EDatabaseError(QStringLiteral("Record no longer exists in table %1").arg(desc.Name));
    Changed(plan, TTableChanges::TWrite::Update, rowId, changed);
}

// The columns whose stored values an update changes, against the row as it is
// stored: a cursor whose order and link fields are not among them keeps its
// count and row numbers. A value stored in another form counts as changed.
quint64 TSqliteDatabase::ChangedColumns(TTablePlan& plan, qint64 rowId, const std::vector<QVariant>& stored,
                                        const std::vector<int>& columns) const {
    TSqliteStatement& read = Prepared(plan.Reading, plan.Read);
    read.Bind(1, rowId);
    quint64 changed = 0;
    const bool found = read.Step();
    for (size_t i = 0; i < columns.size(); ++i) {
        const QVariant old = found ? read.Column(columns[i]) : QVariant();
        const bool same = found && old.isNull() == stored[i].isNull() &&
                          (old.isNull() || (old.typeId() == stored[i].typeId() && old == stored[i]));
        if (!same) changed |= columns[i] < 64 ? quint64(1) << columns[i] : ~quint64(0);
    }
    read.Rewind();
    return changed;
}

void TSqliteDatabase::DeleteRow(const QString& table, qint64 rowId) {
    TTablePlan& plan = Plan(table);
    TSqliteStatement& remove = Prepared(plan.Deleting, plan.Delete);
    remove.Bind(1, rowId);
    try {
        remove.Step();
    } catch (const ESqliteError& error) {
        RaiseWriteError(error, plan.Desc->Name, plan.Desc);
    }
    remove.Rewind();
    if (sqlite3_changes(db_) == 0)
        throw EDatabaseError(QStringLiteral("Record no longer exists in table %1").arg(plan.Desc->Name));
    Changed(plan);
}

std::optional<TRecordValues> TSqliteDatabase::ReadRow(const QString& table, qint64 rowId) const {
    TTablePlan& plan = Plan(table);
    TSqliteStatement& read = Prepared(plan.Reading, plan.Read);
    read.Bind(1, rowId);
    std::optional<TRecordValues> values;
    if (read.Step()) {
        values.emplace(plan.Desc->Columns.size());
        for (qsizetype i = 0; i < values->size(); ++i)
            (*values)[i] = StorageToValue(read.Column(int(i)), plan.Desc->Columns[size_t(i)].Type);
    }
    read.Rewind();
    return values;
}

void TSqliteDatabase::EmptyTable(const QString& table) {
    const TTableDesc& desc = AccessibleTable(table);
    // Without a log's triggers SQLite empties the table at once instead of row by row.
    changeLogs_->Stop(desc.Name);
    RunScript(QStringLiteral("DELETE FROM %1").arg(QuoteIdentifier(desc.Name)));
    Changed(desc.Name);
}

void TSqliteDatabase::StartChangeLog(const QString& table, const QStringList& columns, const QString& tag,
                                     const QStringList& watched) {
    const TTableDesc& desc = AccessibleTable(table);
    const auto storedNames = [&desc](const QStringList& names) {
        QStringList stored;
        for (const QString& column : names) {
            const int index = desc.ColumnIndex(column);
            if (index < 0) throw EDatabaseError(QStringLiteral("Field %1 not found in table %2").arg(column, desc.Name));
            stored << desc.Columns[size_t(index)].Name;
        }
        return stored;
    };
    changeLogs_->Start(desc, storedNames(columns), tag, storedNames(watched));
}

std::optional<TChangeLog> TSqliteDatabase::ChangeLog(const QString& table) {
    if (!catalogue_->StoredName(table)) return std::nullopt;
    return changeLogs_->Read(AccessibleTable(table));
}

// --- transactions -----------------------------------------------------------

void TSqliteDatabase::StartTransaction() {
    if (InTransaction()) throw EDatabaseError(QStringLiteral("A transaction is already active on %1").arg(path_));
    RunScript(QStringLiteral("BEGIN IMMEDIATE"));
    Apply(db_, BulkSettings);
}

void TSqliteDatabase::Commit() {
    if (!InTransaction()) throw EDatabaseError(QStringLiteral("No transaction is active on %1").arg(path_));
    RunScript(QStringLiteral("COMMIT"));
    Apply(db_, BrowsingSettings);
}

void TSqliteDatabase::Rollback() {
    // SQLite may already have rolled back after a failed write; nothing to undo then.
    if (InTransaction()) RunScript(QStringLiteral("ROLLBACK"));
    Apply(db_, BrowsingSettings);
    ForgetSchema();
    ChangedAll();
}

// --- changes ----------------------------------------------------------------

const TSqliteDatabase::TTableChanges& TSqliteDatabase::TableChanges(const QString& table) const {
    return tableChanges_[StripTableExtension(table).toLower()];
}

void TSqliteDatabase::Changed(const QString& table) {
    ++changes_;
    TTableChanges& changes = tableChanges_[StripTableExtension(table).toLower()];
    ++changes.Count;
    changes.Last = TTableChanges::TWrite::Other;
}

void TSqliteDatabase::Changed(TTablePlan& plan, TTableChanges::TWrite write, qint64 rowId, quint64 changedColumns) {
    ++changes_;
    TTableChanges& changes = *plan.Changes;
    ++changes.Count;
    changes.Last = write;
    changes.RowId = rowId;
    changes.ChangedColumns = changedColumns;
}

void TSqliteDatabase::ChangedAll() {
    ++changes_;
    ++wideChanges_;
}

void TSqliteDatabase::NoticeOtherWriters() {
    TSqliteStatement& version = Cached(QStringLiteral("PRAGMA data_version"));
    const qlonglong now = version.Step() ? version.ColumnInt(0) : 0;
    version.Rewind();
    if (now != dataVersion_) ChangedAll();
    dataVersion_ = now;
}

bool TSqliteDatabase::InTransaction() const { return sqlite3_get_autocommit(db_) == 0; }

std::unique_ptr<TEngineCursor> TSqliteDatabase::OpenCursor(const TCursorSpec& spec) {
    // The first cursor that orders by an index a statement made builds it.
    if (!spec.IndexName.isEmpty()) {
        AccessibleTable(spec.Table);
        if (catalogue_->BuildIndex(spec.Table, spec.IndexName)) ForgetTables({spec.Table});
    }
    return std::make_unique<TSqliteCursor>(shared_from_this(), spec);
}
