// Deployment of the accounts database: a new database gets every table of the
// catalogue as described, protected, with the fixed card types; an existing
// one is never changed.
#include "data/deployment.h"
#include "data/table_catalogue.h"
#include "platform/engine/cursor.h"
#include "platform/engine/engine_session.h"
#include "tests/support/temp_dir.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {

QString Text(const char* text) { return QString::fromLatin1(text); }

class Deployment : public ::testing::Test {
protected:
    void SetUp() override {
        session_.AddPassword(QString::fromLatin1(AccountsTablePassword));
        db_ = TEngineDatabase::Open(DatabasePath(), true, &session_);
    }

    QString DatabasePath() const { return dir_.File(QStringLiteral("DataQuelt.sqlite")); }

    // Rows of a two-column query as "a|b" lines.
    QStringList Rows(const QString& sql) {
        QStringList rows;
        const auto result = db_->Query(sql);
        while (result->Next())
            rows << result->Value(0).toString() + "|" + result->Value(1).toString();
        return rows;
    }

    qint64 AddBank(const QString& code, const QString& name) {
        const TTableDesc desc = db_->DescribeTable(QStringLiteral("Pbanks"));
        TRecordValues values(desc.Columns.size());
        values[desc.ColumnIndex(QStringLiteral("BankCode"))] = code;
        values[desc.ColumnIndex(QStringLiteral("BankDesc"))] = name;
        return db_->InsertRow(desc.Name, values);
    }

    TestDir dir_;
    TEngineSession session_;
    std::shared_ptr<TEngineDatabase> db_;
};

// Passes every call to a real database but fails the creation of one table,
// as a full disk or a locked file would.
class FailingCreate : public TEngineDatabase {
public:
    FailingCreate(TEngineDatabase& db, QString failingTable) : db_(db), failingTable_(std::move(failingTable)) {}

    QString Path() const override { return db_.Path(); }
    int Execute(const QString& sql, const std::vector<QVariant>& params) override { return db_.Execute(sql, params); }
    std::unique_ptr<TResultSet> Query(const QString& sql, const std::vector<QVariant>& params) override {
        return db_.Query(sql, params);
    }
    bool TableExists(const QString& table) const override { return db_.TableExists(table); }
    TTableDesc DescribeTable(const QString& table) const override { return db_.DescribeTable(table); }
    QStringList TableNames() const override { return db_.TableNames(); }
    void CreateTable(const TTableDesc& desc) override {
        if (desc.Name.compare(failingTable_, Qt::CaseInsensitive) == 0)
            throw EDatabaseError(QStringLiteral("Disk full"));
        db_.CreateTable(desc);
    }
    bool IsProtected(const QString& table) const override { return db_.IsProtected(table); }
    qint64 InsertRow(const QString& table, const TRecordValues& values) override { return db_.InsertRow(table, values); }
    void UpdateRow(const QString& table, qint64 rowId, const TRecordValues& values) override {
        db_.UpdateRow(table, rowId, values);
    }
    void DeleteRow(const QString& table, qint64 rowId) override { db_.DeleteRow(table, rowId); }
    std::optional<TRecordValues> ReadRow(const QString& table, qint64 rowId) const override {
        return db_.ReadRow(table, rowId);
    }
    void EmptyTable(const QString& table) override { db_.EmptyTable(table); }
    void StartTransaction() override { db_.StartTransaction(); }
    void Commit() override { db_.Commit(); }
    void Rollback() override { db_.Rollback(); }
    bool InTransaction() const override { return db_.InTransaction(); }
    std::unique_ptr<TEngineCursor> OpenCursor(const TCursorSpec& spec) override { return db_.OpenCursor(spec); }
    quint64 ChangeCount() const override { return db_.ChangeCount(); }

private:
    TEngineDatabase& db_;
    QString failingTable_;
};

TEST_F(Deployment, CreatesEveryTableAsTheCatalogueDescribesIt) {
    DeployAccountsDatabase(*db_);

    int deployed = 0;
    for (const TCatalogueTable* table : AccountsCatalogue()) {
        SCOPED_TRACE(table->Component);
        if (!table->Deployed)
            continue;
        ++deployed;
        ASSERT_TRUE(db_->TableExists(Text(table->FileName)));
        const TTableDesc desc = db_->DescribeTable(table->TableName());

        // Stored fields in declared order; lookups and calculated fields are no columns.
        std::size_t column = 0;
        for (const TCatalogueField& field : table->Fields) {
            if (!field.IsStored()) {
                EXPECT_EQ(desc.ColumnIndex(Text(field.Name)), -1) << field.Name;
                continue;
            }
            ASSERT_LT(column, desc.Columns.size());
            const TColumnDesc& actual = desc.Columns[column++];
            EXPECT_EQ(actual.Name.toLower(), Text(field.Name).toLower());
            EXPECT_EQ(actual.Type, field.Type) << field.Name;
            if (field.Type == TFieldType::ftString) {
                EXPECT_EQ(actual.Size, field.Size) << field.Name;
            }
        }
        EXPECT_EQ(column, desc.Columns.size());

        const auto primary = std::find_if(desc.Indexes.begin(), desc.Indexes.end(),
                                          [](const TIndexDesc& index) { return index.Primary; });
        if (*table->PrimaryKey) {
            ASSERT_NE(primary, desc.Indexes.end());
            EXPECT_EQ(primary->Fields.join(';').toLower(), Text(table->PrimaryKey).toLower());
        } else {
            EXPECT_EQ(primary, desc.Indexes.end());
        }
        for (const TCatalogueIndex& index : table->Indexes) {
            const TIndexDesc* actual = desc.FindIndex(Text(index.Name));
            ASSERT_NE(actual, nullptr) << index.Name;
            EXPECT_EQ(actual->Fields.join(';').toLower(), Text(index.Fields).toLower()) << index.Name;
            EXPECT_EQ(actual->Descending, index.Descending) << index.Name;
            EXPECT_EQ(actual->CaseInsensitive, index.CaseInsensitive) << index.Name;
            EXPECT_EQ(actual->Unique, index.Unique) << index.Name;
        }
    }
    // The report table is made by the report builders, not here.
    EXPECT_FALSE(db_->TableExists(QStringLiteral("TempBnk1")));
    EXPECT_EQ(db_->TableNames().size(), deployed);
}

TEST_F(Deployment, ProtectsEveryTableWithThePassword) {
    DeployAccountsDatabase(*db_);
    for (const QString& table : db_->TableNames())
        EXPECT_TRUE(db_->IsProtected(table)) << table.toStdString();

    // A session without the password cannot open a table; one with it can.
    TEngineSession stranger;
    const auto other = TEngineDatabase::Open(DatabasePath(), false, &stranger);
    TCursorSpec spec;
    spec.Table = QStringLiteral("TrnBnk1a.DB");
    EXPECT_THROW(other->OpenCursor(spec), EDatabaseError);
    EXPECT_NO_THROW(db_->OpenCursor(spec));
}

TEST_F(Deployment, SuppliesTheCardTypes) {
    DeployAccountsDatabase(*db_);
    const QStringList rows = Rows(QStringLiteral("select CardType, CardTypeDesc from PcType order by CardType"));
    EXPECT_TRUE(rows.contains("C|Credit Card"));   // a new card starts as type "C"
    EXPECT_TRUE(rows.contains("D|Debit Card"));
    EXPECT_EQ(rows.size(), 4);
}

TEST_F(Deployment, LeavesAnExistingDatabaseUntouched) {
    DeployAccountsDatabase(*db_);
    const qint64 bank = AddBank(QStringLiteral("1"), QStringLiteral("First Bank"));
    db_->Execute(QStringLiteral("Delete from PcType where CardType = \"S\""));
    const quint64 changes = db_->ChangeCount();

    DeployAccountsDatabase(*db_);

    EXPECT_EQ(db_->ChangeCount(), changes);
    EXPECT_EQ(Rows(QStringLiteral("select BankCode, BankDesc from Pbanks")), QStringList{"1|First Bank"});
    EXPECT_TRUE(db_->ReadRow(QStringLiteral("Pbanks"), bank).has_value());
    EXPECT_EQ(Rows(QStringLiteral("select CardType, CardTypeDesc from PcType")).size(), 3);
}

TEST_F(Deployment, CreatesOnlyTheTablesThatAreMissing) {
    DeployAccountsDatabase(*db_);
    AddBank(QStringLiteral("7"), QStringLiteral("Kept Bank"));
    db_->Execute(QStringLiteral("Drop table PcType"));
    db_->Execute(QStringLiteral("Drop table TeeData1"));

    DeployAccountsDatabase(*db_);

    EXPECT_TRUE(db_->TableExists(QStringLiteral("TeeData1")));
    EXPECT_EQ(Rows(QStringLiteral("select CardType, CardTypeDesc from PcType")).size(), 4);
    EXPECT_EQ(Rows(QStringLiteral("select BankCode, BankDesc from Pbanks")), QStringList{"7|Kept Bank"});
}

TEST_F(Deployment, FailureLeavesTheDatabaseAsItWas) {
    // The asset amounts come last, after every other table was made.
    FailingCreate failing(*db_, QStringLiteral("Trnast1b"));
    EXPECT_THROW(DeployAccountsDatabase(failing), EDatabaseError);
    EXPECT_FALSE(db_->InTransaction());
    EXPECT_TRUE(db_->TableNames().isEmpty());

    // With one table already there, a failure keeps it and adds nothing.
    DeployAccountsDatabase(*db_);
    AddBank(QStringLiteral("3"), QStringLiteral("Third Bank"));
    db_->Execute(QStringLiteral("Drop table PcType"));
    db_->Execute(QStringLiteral("Drop table Trnast1b"));
    FailingCreate failingAgain(*db_, QStringLiteral("Trnast1b"));
    EXPECT_THROW(DeployAccountsDatabase(failingAgain), EDatabaseError);
    EXPECT_FALSE(db_->TableExists(QStringLiteral("PcType")));
    EXPECT_EQ(Rows(QStringLiteral("select BankCode, BankDesc from Pbanks")), QStringList{"3|Third Bank"});
}

}  // namespace
