// A statement that changes one table's schema: the engine reads that table
// afresh however it was named, while what it knows of the other tables holds.
#include "tests/engine/engine_test_db.h"

namespace {

TEST_F(EngineTest, ATableMadeAnewOrIndexedIsReadAfreshUnderAnyOfItsNames) {
    db->CreateTable(TransactionsDesc());
    db->CreateTable(TransactionsDesc("TrnExp1a"));
    const qint64 first = AddTransaction("ACC1", 1, QDate(2026, 1, 5), 10);
    db->UpdateRow("TrnBnk1a.DB", first, {"ACC1", "0000000001", QDate(2026, 1, 5), "001", 20.0, 0.0, false});
    ASSERT_TRUE(db->ReadRow("TRNBNK1A", first).has_value());
    db->InsertRow("trnexp1a.db", {"ACC1", "0000000001", QDate(2026, 1, 5), "001", 1.0, 0.0, false});
    const qint64 kept = db->InsertRow("TrnExp1a", {"ACC1", "0000000002", QDate(2026, 1, 6), "001", 2.0, 0.0, false});

    db->Execute("drop table TRNBNK1A.DB");
    db->Execute("Create table trnbnk1a (Code character(5), Amount NUMERIC(10,2))");
    const qint64 row = db->InsertRow("TrnBnk1a", {"A", 1.5});
    EXPECT_EQ(db->ReadRow("TrnBnk1a", row), (TRecordValues{"A", 1.5}));
    db->UpdateRow("TrnBnk1a.DB", row, {"B", 2.5});
    EXPECT_EQ(db->ReadRow("TRNBNK1A", row), (TRecordValues{"B", 2.5}));
    EXPECT_EQ(db->DescribeTable("TrnBnk1a").Columns.size(), 2u);

    db->Execute("Create Index ByAmount On TrnBnk1a(Amount)");
    const TTableDesc indexed = db->DescribeTable("trnbnk1a.db");
    ASSERT_EQ(indexed.Indexes.size(), 1u);
    EXPECT_EQ(indexed.Indexes[0].Name, "ByAmount");

    // The other table is written and read as before.
    db->UpdateRow("TrnExp1a.DB", kept, {"ACC1", "0000000002", QDate(2026, 1, 6), "001", 3.0, 0.0, false});
    EXPECT_EQ(db->ReadRow("trnexp1a", kept)->at(4), QVariant(3.0));
    EXPECT_EQ(Scalar("select count(*) from TrnExp1a").toInt(), 2);
}

}  // namespace
