// Going to a row by its number: in each order and view the cursor lands where
// walking there would, and moves on from it as from any row.
#include "engine_test_db.h"
#include <algorithm>

namespace {

class CursorRecNo : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        db->CreateTable(TransactionsDesc());
        // Enough rows for several of the cursor's pages; dates repeat so that row ids break ties.
        RunInTransaction(*db, [&] {
            for (int i = 0; i < 3000; ++i)
                AddTransaction(QString::asprintf("%010d", (i * 7) % 3), (i * 37) % 3000, QDate(2020, 1, 1).addDays(i % 50),
                               i % 10);
        });
    }

    // The row ids of the whole view, walked from the first row.
    static std::vector<qint64> Walked(TEngineCursor& cursor) {
        std::vector<qint64> rows;
        for (cursor.First(); cursor.HasRecord(); cursor.Next()) rows.push_back(cursor.RowId());
        return rows;
    }

    // Every row number checked lands on the walked row, numbers itself, and
    // has the walked rows on either side; past either end the cursor is off
    // that end and reads back in from it.
    static void ExpectLandsAsWalked(TEngineCursor& cursor, const char* view) {
        SCOPED_TRACE(view);
        const std::vector<qint64> rows = Walked(cursor);
        const int count = int(rows.size());
        ASSERT_GT(count, 2);
        for (const int recNo : {count / 2, 1, count, 2, count - 1, count / 3 + 1}) {
            SCOPED_TRACE(recNo);
            ASSERT_TRUE(cursor.GotoRecNo(recNo));
            EXPECT_EQ(cursor.RowId(), rows[size_t(recNo - 1)]);
            EXPECT_EQ(cursor.RecNo(), recNo);
            if (recNo < count) {
                ASSERT_TRUE(cursor.Next());
                EXPECT_EQ(cursor.RowId(), rows[size_t(recNo)]);
                ASSERT_TRUE(cursor.Prior());
            } else {
                EXPECT_FALSE(cursor.Next());
                EXPECT_TRUE(cursor.Eof());
                ASSERT_TRUE(cursor.Prior());
            }
            if (recNo > 1) {
                ASSERT_TRUE(cursor.Prior());
                EXPECT_EQ(cursor.RowId(), rows[size_t(recNo - 2)]);
            } else {
                EXPECT_FALSE(cursor.Prior());
                EXPECT_TRUE(cursor.Bof());
            }
        }
        EXPECT_FALSE(cursor.GotoRecNo(count + 1));
        EXPECT_TRUE(cursor.Eof());
        EXPECT_FALSE(cursor.HasRecord());
        ASSERT_TRUE(cursor.Prior());
        EXPECT_EQ(cursor.RowId(), rows.back());
        EXPECT_FALSE(cursor.GotoRecNo(0));
        EXPECT_TRUE(cursor.Bof());
        ASSERT_TRUE(cursor.Next());
        EXPECT_EQ(cursor.RowId(), rows.front());
    }
};

TEST_F(CursorRecNo, LandsAsWalkingWouldInEveryOrderAndView) {
    auto primary = db->OpenCursor(Spec("TrnBnk1a"));
    ExpectLandsAsWalked(*primary, "primary index");
    auto byDate = db->OpenCursor(Spec("TrnBnk1a", "ByDate"));
    ExpectLandsAsWalked(*byDate, "index with ties");

    TCursorSpec descendingSpec = Spec("TrnBnk1a");
    descendingSpec.OrderFields = {"TransactionDate", "BankTranSerialNum"};
    descendingSpec.Descending = true;
    auto descending = db->OpenCursor(descendingSpec);
    ExpectLandsAsWalked(*descending, "descending");

    byDate->SetRange(true, {QString("0000000001"), QDate(2020, 1, 10)}, {QString("0000000002"), QDate(2020, 1, 5)});
    ExpectLandsAsWalked(*byDate, "range");
    EXPECT_TRUE(byDate->GotoRecNo(1));
    EXPECT_EQ(byDate->Record()[0], QVariant("0000000001"));
    EXPECT_GE(byDate->Record()[2].toDate(), QDate(2020, 1, 10)) << "the first row of the range, not of the table";

    byDate->SetRange(false, {}, {});
    byDate->SetEqual({{"BankAccountCode", QString("0000000002")}});
    ExpectLandsAsWalked(*byDate, "master link");
    EXPECT_TRUE(byDate->GotoRecNo(byDate->RecordCount()));
    EXPECT_EQ(byDate->Record()[0], QVariant("0000000002"));
    EXPECT_FALSE(byDate->GotoRecNo(byDate->RecordCount() + 1)) << "no row of the next account";
}

// A filter hides rows SQL cannot skip: the cursor steps, and still lands on
// the n-th row that the filter lets through.
TEST_F(CursorRecNo, FilteredViewsStepToTheRow) {
    TCursorSpec spec = Spec("TrnBnk1a", "ByDate");
    spec.Filter = [](const TRecordValues& row) { return row[4].toDouble() == 3; };
    auto cursor = db->OpenCursor(spec);
    ExpectLandsAsWalked(*cursor, "record callback");
    ASSERT_TRUE(cursor->GotoRecNo(100));
    EXPECT_EQ(cursor->Record()[4], QVariant(3.0));
    EXPECT_EQ(cursor->RecNo(), 100);
}

// Rows written since the cursor last read are counted where they now stand.
TEST_F(CursorRecNo, CountsRowsWrittenSinceTheLastRead) {
    auto cursor = db->OpenCursor(Spec("TrnBnk1a"));
    ASSERT_TRUE(cursor->GotoRecNo(10));
    EXPECT_EQ(cursor->RecNo(), 10);
    AddTransaction(QString(), 1, QDate(2020, 1, 1));   // sorts first
    ASSERT_TRUE(cursor->GotoRecNo(10));
    EXPECT_EQ(cursor->RecNo(), 10);
    const qint64 tenth = cursor->RowId();
    ASSERT_TRUE(cursor->GotoRecNo(11));
    ASSERT_TRUE(cursor->Prior());
    EXPECT_EQ(cursor->RowId(), tenth);
    ASSERT_TRUE(cursor->GotoRecNo(1));
    EXPECT_TRUE(cursor->Record()[0].toString().isEmpty());
}

// Near either end of its view the cursor numbers rows from that end, in a
// plain view and a filtered one; a row written since it read its window is
// counted where it now stands.
TEST_F(CursorRecNo, NumbersRowsNearTheEndsOfTheView) {
    TCursorSpec detail = Spec("TrnBnk1a", "ByDate");
    detail.Equal = {{"BankAccountCode", QString("0000000001")}};
    TCursorSpec filtered = detail;
    filtered.Filter = [](const TRecordValues& row) { return row[4].toDouble() != 3; };
    for (const TCursorSpec& spec : {detail, filtered}) {
        SCOPED_TRACE(spec.Filter ? "filtered" : "plain");
        auto cursor = db->OpenCursor(spec);
        const std::vector<qint64> rows = Walked(*cursor);
        const int count = cursor->RecordCount();
        ASSERT_EQ(count, int(rows.size()));
        cursor->Last();
        for (int recNo = count; recNo > count - 5; --recNo, cursor->Prior()) EXPECT_EQ(cursor->RecNo(), recNo);
        cursor->First();
        for (int recNo = 1; recNo <= 5; ++recNo, cursor->Next()) EXPECT_EQ(cursor->RecNo(), recNo);

        cursor->Last();
        ASSERT_TRUE(cursor->Prior());
        ASSERT_EQ(cursor->RecNo(), count - 1);
        const qint64 last = AddTransaction(QString("0000000001"), 90000, QDate(2030, 1, 1), 1);
        EXPECT_EQ(cursor->RecNo(), count - 1) << "one row more after it";
        const qint64 first = AddTransaction(QString("0000000001"), 90001, QDate(2019, 1, 1), 1);
        EXPECT_EQ(cursor->RecNo(), count) << "one row more before it";
        EXPECT_EQ(cursor->RecordCount(), count + 2);
        db->DeleteRow("TrnBnk1a", first);
        db->DeleteRow("TrnBnk1a", last);
    }
}

// A cursor counts again after every kind of write to its table (rows, SQL,
// emptying, a rolled-back transaction) and reads on past writes to others.
TEST_F(CursorRecNo, CountsAgainAfterEveryWriteToItsTable) {
    db->CreateTable(TransactionsDesc("TrnTel1a"));
    auto cursor = db->OpenCursor(Spec("TrnBnk1a", "ByDate"));
    const std::vector<qint64> rows = Walked(*cursor);
    const int count = int(rows.size());
    ASSERT_EQ(cursor->RecordCount(), count);

    cursor->First();
    db->InsertRow("TrnTel1a", {QString("X"), QString("X"), QDate(2020, 1, 1), QString("001"), 1.0, 0.0, false});
    db->Execute("insert into TrnTel1a select * from TrnBnk1a");
    std::vector<qint64> walked;
    for (; cursor->HasRecord(); cursor->Next()) walked.push_back(cursor->RowId());
    EXPECT_EQ(walked, rows) << "another table's rows";

    db->Execute("insert into TrnBnk1a (BankAccountCode, BankTranSerialNum, TransactionDate) values (\"9\", \"9\", \"01/01/2021\")");
    EXPECT_EQ(cursor->RecordCount(), count + 1);
    db->Execute("delete from TrnBnk1a where BankAccountCode = \"9\"");
    EXPECT_EQ(cursor->RecordCount(), count);
    ASSERT_TRUE(cursor->GotoRecNo(count));
    EXPECT_EQ(cursor->RecNo(), count);
    db->StartTransaction();
    AddTransaction(QString("9"), 9, QDate(2021, 1, 1));
    EXPECT_EQ(cursor->RecordCount(), count + 1);
    db->Rollback();
    EXPECT_EQ(cursor->RecordCount(), count);
    cursor->Last();
    EXPECT_EQ(cursor->RowId(), rows.back());
    db->EmptyTable("TrnBnk1a");
    EXPECT_EQ(cursor->RecordCount(), 0);
    EXPECT_FALSE(cursor->Next());
}

// A count goes on from the last one over single inserts, counting the new row
// only where the view shows it, and takes in what another connection wrote
// once the cursor is refreshed.
TEST_F(CursorRecNo, CountsOnOverInsertsAndCatchesUpWithOtherWriters) {
    TCursorSpec spec = Spec("TrnBnk1a", "ByDate");
    spec.Equal = {{"BankAccountCode", QString("0000000001")}};
    auto cursor = db->OpenCursor(spec);
    cursor->SetRange(true, {QString("0000000001"), QDate(2020, 1, 1)}, {QString("0000000001"), QDate(2020, 12, 31)});
    const int count = int(Walked(*cursor).size());
    ASSERT_EQ(cursor->RecordCount(), count);

    AddTransaction(QString("0000000001"), 90000, QDate(2020, 6, 1));
    EXPECT_EQ(cursor->RecordCount(), count + 1);
    AddTransaction(QString("0000000002"), 90001, QDate(2020, 6, 1));
    EXPECT_EQ(cursor->RecordCount(), count + 1) << "another account";
    AddTransaction(QString("0000000001"), 90002, QDate(2021, 6, 1));
    EXPECT_EQ(cursor->RecordCount(), count + 1) << "past the range";
    AddTransaction(QString("0000000001"), 90003, QDate(2020, 7, 1));
    const qint64 second = AddTransaction(QString("0000000001"), 90004, QDate(2020, 8, 1));
    EXPECT_EQ(cursor->RecordCount(), count + 3) << "two inserts since the count";
    db->DeleteRow("TrnBnk1a", second);
    EXPECT_EQ(cursor->RecordCount(), count + 2);

    auto other = TEngineDatabase::Open(dir.File("test.sqlite"), false, &session);
    other->InsertRow("TrnBnk1a", {QString("0000000001"), QString("0000090005"), QDate(2020, 9, 1), QString("001"),
                                  0.0, 0.0, false});
    cursor->Refresh();
    EXPECT_EQ(cursor->RecordCount(), count + 3) << "written by another connection";
    EXPECT_EQ(int(Walked(*cursor).size()), count + 3);
}

// Row numbers known before an insert stay true after it: the rows after the
// new one move a place on, and rows typed one after another number themselves
// from the one typed before, in any order of the view. They stay true after
// an update, whether it moves the row or not.
TEST_F(CursorRecNo, NumbersStayTrueOverInsertsAndUpdates) {
    int serial = 80000;
    for (const char* index : {"ByDate", ""}) {
        SCOPED_TRACE(index);
        TCursorSpec spec = Spec("TrnBnk1a", index);
        spec.Equal = {{"BankAccountCode", QString("0000000001")}};
        auto cursor = db->OpenCursor(spec);
        auto truth = db->OpenCursor(spec);
        std::vector<qint64> numbered;
        for (const int recNo : {1, 200, 500, 990}) {
            ASSERT_TRUE(cursor->GotoRecNo(recNo));
            numbered.push_back(cursor->RowId());
        }
        const auto expectTrue = [&](const char* after) {
            const std::vector<qint64> rows = Walked(*truth);
            for (const qint64 rowId : numbered) {
                ASSERT_TRUE(cursor->GotoRowId(rowId));
                const auto at = std::find(rows.begin(), rows.end(), rowId);
                ASSERT_NE(at, rows.end());
                EXPECT_EQ(cursor->RecNo(), int(at - rows.begin()) + 1) << after;
            }
        };
        for (int typed = 0; typed < 3; ++typed) {
            numbered.push_back(AddTransaction(QString("0000000001"), ++serial, QDate(2020, 1, 20)));
            expectTrue("a row typed");
        }
        AddTransaction(QString("0000000002"), ++serial, QDate(2020, 1, 20));
        expectTrue("a row of another account");
        db->DeleteRow("TrnBnk1a", numbered.back());
        numbered.pop_back();
        expectTrue("a row deleted");
        const auto update = [&](qint64 rowId, int column, const QVariant& value) {
            TRecordValues row = *db->ReadRow("TrnBnk1a", rowId);
            row[column] = value;
            db->UpdateRow("TrnBnk1a", rowId, row);
        };
        update(numbered[1], 4, 99.5);
        expectTrue("an amount changed");
        EXPECT_EQ(cursor->RecordCount(), int(Walked(*truth).size()));
        update(numbered[1], 2, QDate(2020, 1, 2));
        expectTrue("a date changed");
        update(numbered[2], 0, QString("0000000002"));
        numbered.erase(numbered.begin() + 2);
        expectTrue("a row moved to another account");
        EXPECT_EQ(cursor->RecordCount(), int(Walked(*truth).size()));
    }
}

}  // namespace
