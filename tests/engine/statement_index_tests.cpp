// The indexes "Create Index" statements make: listed with their table at
// once, ordering a cursor at once, and in the file once a cursor ordered by
// them; unique ones are there at once; a rollback and a dropped table take
// them away.
#include "engine_test_db.h"
#include <QFile>
#include <sqlite3.h>

namespace {

class StatementIndexTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        db->Execute("Create table TempBnk1 (KeyField1 character(10), KeyField2 character(10), col0 NUMERIC(10,2), "
                    "PRIMARY KEY(KeyField1, KeyField2))");
        for (const auto& [key, amount] : std::vector<std::pair<QString, double>>{{"A", 3}, {"B", 1}, {"C", 3}, {"D", 2}})
            db->InsertRow("TempBnk1", {key, QStringLiteral("x"), amount});
    }

    // Whether the file holds the SQLite index, as another program reads it.
    bool InTheFile(const char* storageName) {
        sqlite3* raw = nullptr;
        EXPECT_EQ(sqlite3_open_v2(QFile::encodeName(db->Path()).constData(), &raw, SQLITE_OPEN_READONLY, nullptr),
                  SQLITE_OK);
        sqlite3_stmt* find = nullptr;
        sqlite3_prepare_v2(raw, "SELECT 1 FROM sqlite_schema WHERE type = 'index' AND name = ?", -1, &find, nullptr);
        sqlite3_bind_text(find, 1, storageName, -1, SQLITE_STATIC);
        const bool found = sqlite3_step(find) == SQLITE_ROW;
        sqlite3_finalize(find);
        sqlite3_close(raw);
        return found;
    }

    QStringList IndexNames() {
        QStringList names;
        for (const TIndexDesc& index : db->DescribeTable("TempBnk1").Indexes) names << index.Name;
        return names;
    }

    QStringList KeysInTheOrderOf(const QString& index) {
        auto cursor = db->OpenCursor(Spec("TempBnk1", index));
        QStringList keys;
        for (cursor->First(); !cursor->Eof(); cursor->Next()) keys << cursor->Record()[0].toString();
        return keys;
    }
};

TEST_F(StatementIndexTest, ListedAtOnceAndInTheFileOnceACursorOrderedByIt) {
    db->Execute("Create Index ByCol0 On TempBnk1(col0)");
    db->Execute("Create Unique Index ByKey2 On TempBnk1(KeyField2, KeyField1)");
    db->Execute("Create Index ByKeyField2 On TempBnk1(KeyField2)");
    EXPECT_EQ(IndexNames(), QStringList({"", "ByKey2", "ByCol0", "ByKeyField2"}));
    const TTableDesc described = db->DescribeTable("TempBnk1");
    const TIndexDesc* byCol0 = described.FindIndex("bycol0");
    ASSERT_NE(byCol0, nullptr);
    EXPECT_EQ(byCol0->Fields, QStringList({"col0"}));
    EXPECT_FALSE(byCol0->Unique);
    EXPECT_FALSE(InTheFile("TempBnk1__ByCol0"));
    EXPECT_TRUE(InTheFile("TempBnk1__ByKey2")) << "a unique index holds the rows to it from the start";
    EXPECT_FALSE(db->TableNames().join(' ').contains("engine", Qt::CaseInsensitive));

    // Its name is taken, whether it is built or not.
    EXPECT_THROW(db->Execute("Create Index ByCol0 On TempBnk1(KeyField1)"), EDatabaseError);
    EXPECT_THROW(db->Execute("Create Index ByKey2 On TempBnk1(KeyField1)"), EDatabaseError);
    EXPECT_THROW(db->Execute("Create Index ByNothing On TempBnk1(NoSuchField)"), EDatabaseError);

    // Equal values in the order the rows were written, before the build and after it.
    EXPECT_EQ(KeysInTheOrderOf("ByCol0"), QStringList({"B", "D", "A", "C"}));
    EXPECT_TRUE(InTheFile("TempBnk1__ByCol0"));
    EXPECT_EQ(KeysInTheOrderOf("ByCol0"), QStringList({"B", "D", "A", "C"}));
    EXPECT_EQ(IndexNames(), QStringList({"", "ByKey2", "ByCol0", "ByKeyField2"})) << "a built index keeps its place";

    // A rollback takes back an index made in its transaction.
    db->StartTransaction();
    db->Execute("Create Index ByKeyField1 On TempBnk1(KeyField1)");
    EXPECT_NE(db->DescribeTable("TempBnk1").FindIndex("ByKeyField1"), nullptr);
    db->Rollback();
    EXPECT_EQ(db->DescribeTable("TempBnk1").FindIndex("ByKeyField1"), nullptr);
    EXPECT_THROW(db->OpenCursor(Spec("TempBnk1", "ByKeyField1")), EDatabaseError);

    // The dropped table takes its indexes, built or not; the new one starts without.
    db->Execute("Create Index ByKeyField1 On TempBnk1(KeyField1)");
    db->Execute("Drop table TempBnk1");
    db->Execute("Create table TempBnk1 (KeyField1 character(10), col0 NUMERIC(10,2), PRIMARY KEY(KeyField1))");
    EXPECT_EQ(IndexNames(), QStringList({""}));
    EXPECT_NO_THROW(db->Execute("Create Index ByCol0 On TempBnk1(col0)"));
    EXPECT_NO_THROW(db->Execute("Create Index ByKeyField1 On TempBnk1(KeyField1)"));
    EXPECT_FALSE(InTheFile("TempBnk1__ByCol0"));
}

// The first index ever made, in a transaction that is rolled back, takes the
// engine's record of indexes with it; the next one records itself again.
TEST_F(StatementIndexTest, TheFirstIndexRolledBackLeavesTheNextToRecordItselfAgain) {
    db->StartTransaction();
    db->Execute("Create Index ByCol0 On TempBnk1(col0)");
    db->Rollback();
    EXPECT_EQ(IndexNames(), QStringList({""}));
    db->Execute("Create Index ByCol0 On TempBnk1(col0)");
    EXPECT_EQ(IndexNames(), QStringList({"", "ByCol0"}));
    EXPECT_EQ(KeysInTheOrderOf("ByCol0"), QStringList({"B", "D", "A", "C"}));
    EXPECT_TRUE(InTheFile("TempBnk1__ByCol0"));
}

}  // namespace
