#pragma once
// The engine's database on one SQLite file.
#include "platform/engine/blank_key.h"
#include "platform/engine/catalogue.h"
#include "platform/engine/change_log.h"
#include "platform/engine/engine_database.h"
#include "platform/engine/sql_translator.h"
#include "platform/engine/sqlite_statement.h"
#include <unordered_map>

class TSqliteDatabase : public TEngineDatabase,
                        public TSqlCatalogue,
                        public std::enable_shared_from_this<TSqliteDatabase> {
public:
    TSqliteDatabase(const QString& path, bool create, TEngineSession* session);
    ~TSqliteDatabase() override;

    QString Path() const override { return path_; }
    int Execute(const QString& sql, const std::vector<QVariant>& params = {}) override;
    std::unique_ptr<TResultSet> Query(const QString& sql, const std::vector<QVariant>& params = {}) override;

    bool TableExists(const QString& table) const override;
    TTableDesc DescribeTable(const QString& table) const override;
    QStringList TableNames() const override;
    void CreateTable(const TTableDesc& desc) override;
    bool IsProtected(const QString& table) const override;

    qint64 InsertRow(const QString& table, const TRecordValues& values) override;
    void UpdateRow(const QString& table, qint64 rowId, const TRecordValues& values) override;
    void DeleteRow(const QString& table, qint64 rowId) override;
    std::optional<TRecordValues> ReadRow(const QString& table, qint64 rowId) const override;
    void EmptyTable(const QString& table) override;

    void StartChangeLog(const QString& table, const QStringList& columns, const QString& tag,
                        const QStringList& watched = {}) override;
    std::optional<TChangeLog> ChangeLog(const QString& table) override;

    void StartTransaction() override;
    void Commit() override;
    void Rollback() override;
    bool InTransaction() const override;

    std::unique_ptr<TEngineCursor> OpenCursor(const TCursorSpec& spec) override;
    quint64 ChangeCount() const override { return changes_; }
    // The writes to one table: a cursor re-reads after writes to its own
    // table only, and one that counted its rows before a single insert counts
    // on from there. Bumped by every write that may have changed the table's
    // rows. The reference stays valid as long as the database.
    struct TTableChanges {
        enum class TWrite { Other, Insert, Update };
        quint64 Count = 0;
        TWrite Last = TWrite::Other;   // the last of them: one row inserted or updated, or anything else
        qint64 RowId = 0;              // that row
        quint64 ChangedColumns = 0;    // an update's: bit i for column i, every bit past the 64th
    };
    const TTableChanges& TableChanges(const QString& table) const;
    quint64 WideChanges() const { return wideChanges_; }
    // Commits that other connections made to the file since the last look
    // (another copy of the program) count as a change of every table: a
    // cursor refreshed after them reads and counts its rows again.
    void NoticeOtherWriters();

    std::optional<TFieldType> ColumnType(const QString& table, const QString& column) const override;

    // For cursors and result sets of this database.
    sqlite3* Handle() const { return db_; }
    // The table's description, once its password was checked.
    const TTableDesc& AccessibleTable(const QString& table) const;

private:
    // What a table's row writes need, made once per table and schema.
    struct TTablePlan {
        const TTableDesc* Desc = nullptr;
        QString Insert, Update, Delete, Read;
        // Prepared once the table is first written or read: a row then only binds and steps.
        std::unique_ptr<TSqliteStatement> Inserting, Updating, Deleting, Reading;
        TKeyProbe Key;
        std::unique_ptr<TSqliteStatement> Probing;   // Key.Sql, prepared at the first empty key field
        QStringList CheckedPasswords;   // the session's passwords when access was last granted
        bool Checked = false;
        TTableChanges* Changes = nullptr;   // the table's entry in tableChanges_, which stays
    };

    struct TConnection {
        sqlite3* Db = nullptr;
        ~TConnection();
    };

    TSqliteStatement& Cached(const QString& sql) const;
    TSqliteStatement& Prepared(std::unique_ptr<TSqliteStatement>& slot, const QString& sql) const;
    TTablePlan& Plan(const QString& table) const;   // checks the password too
    qint64 StepInsert(TTablePlan& plan, TSqliteStatement& insert);   // the new row's id
    void ForgetSchema();
    // After a statement changed the schema of these tables only.
    void ForgetTables(const QStringList& tables);
    TTranslatedStatement Translate(const QString& sql) const;
    std::unique_ptr<TSqliteStatement> Prepare(sqlite3* on, const TTranslatedStatement& statement, const QString& original,
                                              const std::vector<QVariant>& params) const;
    sqlite3* Reader();
    void Configure(sqlite3* db);
    void CheckAccess(const QString& storedName) const;
    // A key violation when another row than passOver (null: any) holds the
    // key of values, which has an empty field.
    void RefuseHeldKey(TTablePlan& plan, const TRecordValues& values, const QVariant& passOver) const;
    [[noreturn]] void RaiseWriteError(const ESqliteError& error, const QString& table, const TTableDesc* desc) const;
    void RunScript(const QString& sql);

    TConnection connection_;   // closed last: statements below finalize first
    // Query results outside a transaction read here. A statement still open
    // on the writing connection would hold back the commit of every post made
    // meanwhile; one open on this connection only holds its own snapshot.
    TConnection reader_;
    sqlite3* db_ = nullptr;
    QString path_;
    TEngineSession* session_;
    std::unique_ptr<TCatalogue> catalogue_;
    std::unique_ptr<TChangeLogs> changeLogs_;
    mutable std::unordered_map<QString, std::unique_ptr<TSqliteStatement>> statements_;
    mutable std::unordered_map<QString, TTablePlan> plans_;   // by the name as callers spell it
    void Changed(const QString& table);                        // one table's rows
    void Changed(TTablePlan& plan, TTableChanges::TWrite write = TTableChanges::TWrite::Other, qint64 rowId = 0,
                 quint64 changedColumns = 0);   // a row of the plan's table
    quint64 ChangedColumns(TTablePlan& plan, qint64 rowId, const std::vector<QVariant>& stored,
                           const std::vector<int>& columns) const;
    void ChangedAll();                    // rows of any table, or the schema
    quint64 changes_ = 0;
    quint64 wideChanges_ = 0;                              // of ChangedAll
    qlonglong dataVersion_ = 0;                            // the file's, when last looked at
    mutable std::unordered_map<QString, TTableChanges> tableChanges_;   // by lower-case name
};
