// Cursors: order, links, ranges, seeks, filters, counting and refresh.
#include "engine_test_db.h"
#include "platform/engine/column_values.h"
#include <map>

namespace {

using enum TFieldType;

class CursorTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        TTableDesc desc;
        desc.Name = "Items";
        desc.Columns = {Column("Code", ftString, 10), Column("Name", ftString, 20), Column("Day", ftDate),
                        Column("Amount", ftFloat)};
        desc.Indexes = {TIndexDesc{QString(), {"Code"}, true, true, false, false},
                        TIndexDesc{"ByName", {"Name"}, false, false, true, false},
                        TIndexDesc{"ByNameDesc", {"Name"}, false, false, true, true},
                        TIndexDesc{"ByDay", {"Day", "Name"}, false, false, false, false}};
        db->CreateTable(desc);
        Add("01", "banana", QDate(2024, 1, 2), 5);
        Add("02", "Apple", QDate(2024, 1, 1), 7);
        Add("03", "cherry", QDate(), 1);
        Add("04", "apple", QDate(2024, 1, 2), 3);
        Add("05", QString(), QDate(2024, 1, 3), 2);
    }

    qint64 Add(const QString& code, const QString& name, QDate day, double amount) {
        return db->InsertRow("Items", {code, name, day, amount});
    }

    // The codes of the rows from the current one on, walking forward.
    static QStringList CodesOnward(TEngineCursor& cursor) {
        QStringList codes;
        for (bool on = cursor.HasRecord(); on; on = cursor.Next()) codes.append(cursor.Record()[0].toString());
        return codes;
    }
    static QStringList CodesBackward(TEngineCursor& cursor) {
        QStringList codes;
        cursor.Last();
        for (bool on = cursor.HasRecord(); on; on = cursor.Prior()) codes.append(cursor.Record()[0].toString());
        return codes;
    }
};

TEST_F(CursorTest, WalksInIndexOrderBothWays) {
    auto primary = db->OpenCursor(Spec("Items"));
    EXPECT_EQ(primary->OrderFields(), QStringList{"Code"});
    EXPECT_EQ(CodesOnward(*primary), (QStringList{"01", "02", "03", "04", "05"}));
    EXPECT_TRUE(primary->Eof());
    EXPECT_FALSE(primary->Next());
    EXPECT_TRUE(primary->Prior());
    EXPECT_EQ(primary->Record()[0], QVariant("05"));

    // Case-insensitive: Apple and apple tie and keep their row order; the empty name sorts first.
    auto byName = db->OpenCursor(Spec("Items", "byname"));
    EXPECT_EQ(CodesOnward(*byName), (QStringList{"05", "02", "04", "01", "03"}));
    EXPECT_EQ(CodesBackward(*byName), (QStringList{"03", "01", "04", "02", "05"}));
    EXPECT_TRUE(byName->Bof());

    auto descending = db->OpenCursor(Spec("Items", "ByNameDesc"));
    EXPECT_EQ(CodesOnward(*descending), (QStringList{"03", "01", "04", "02", "05"}));

    auto byDay = db->OpenCursor(Spec("Items", "ByDay"));
    EXPECT_EQ(CodesOnward(*byDay), (QStringList{"03", "02", "04", "01", "05"}));
    EXPECT_THROW(db->OpenCursor(Spec("Items", "NoSuchIndex")), EDatabaseError);
    EXPECT_THROW(db->OpenCursor(Spec("Missing")), EDatabaseError);
}

TEST_F(CursorTest, OrderFieldsOverrideTheRules) {
    Add("06", "Zed", QDate(), 0);
    TCursorSpec spec = Spec("Items");
    spec.OrderFields = {"Name"};
    auto binary = db->OpenCursor(spec);
    EXPECT_EQ(CodesOnward(*binary), (QStringList{"05", "02", "06", "04", "01", "03"})) << "upper case before lower";
    spec.CaseInsensitive = spec.Descending = true;
    auto folded = db->OpenCursor(spec);
    EXPECT_EQ(CodesOnward(*folded), (QStringList{"06", "03", "01", "04", "02", "05"}));
}

TEST_F(CursorTest, EmptyViewIsBothBofAndEof) {
    TCursorSpec spec = Spec("Items");
    spec.Equal = {{"Code", QString("99")}};
    auto cursor = db->OpenCursor(spec);
    EXPECT_TRUE(cursor->Bof());
    EXPECT_TRUE(cursor->Eof());
    EXPECT_FALSE(cursor->HasRecord());
    EXPECT_FALSE(cursor->Next());
    EXPECT_FALSE(cursor->Prior());
    EXPECT_EQ(cursor->RecordCount(), 0);
    EXPECT_EQ(cursor->RecNo(), 0);
    EXPECT_THROW(cursor->Record(), EDatabaseError);
}

TEST_F(CursorTest, SeeksExactlyAndToTheNearestKey) {
    auto byName = db->OpenCursor(Spec("Items", "ByName"));
    EXPECT_TRUE(byName->Seek({QString("APPLE")}, false)) << "the index ignores case";
    EXPECT_EQ(byName->Record()[0], QVariant("02"));
    EXPECT_TRUE(byName->Next());
    EXPECT_EQ(byName->Record()[0], QVariant("04"));
    EXPECT_FALSE(byName->Seek({QString("blueberry")}, false));
    EXPECT_EQ(byName->Record()[0], QVariant("04")) << "a missed exact seek keeps the position";
    EXPECT_TRUE(byName->Seek({QString("Blueberry")}, true));
    EXPECT_EQ(byName->Record()[0], QVariant("03"));
    EXPECT_TRUE(byName->Prior());
    EXPECT_EQ(byName->Record()[0], QVariant("01"));
    EXPECT_FALSE(byName->Seek({QString("zebra")}, true));
    EXPECT_TRUE(byName->Eof());
    EXPECT_TRUE(byName->Prior());
    EXPECT_EQ(byName->Record()[0], QVariant("03"));

    auto descending = db->OpenCursor(Spec("Items", "ByNameDesc"));
    EXPECT_TRUE(descending->Seek({QString("b")}, true)) << "nearest in descending order: the next smaller name";
    EXPECT_EQ(descending->Record()[0], QVariant("04")) << "of the tied apples, the later row comes first";

    auto byDay = db->OpenCursor(Spec("Items", "ByDay"));
    EXPECT_FALSE(byDay->Seek({QDate(2024, 1, 2), QString("BANANA")}, false)) << "text of a binary order must match exactly";
    EXPECT_EQ(byDay->Record()[0], QVariant("03")) << "so the exact seek missed and kept the first row";
    EXPECT_TRUE(byDay->Seek({QDate(2024, 1, 2)}, false));
    EXPECT_EQ(CodesOnward(*byDay), (QStringList{"04", "01", "05"}));
    EXPECT_TRUE(byDay->Seek({QVariant()}, false)) << "an empty date seeks the rows without one";
    EXPECT_EQ(byDay->Record()[0], QVariant("03"));
    EXPECT_THROW(byDay->Seek({QDate(2024, 1, 2), QString("a"), 1}, true), EDatabaseError);
}

TEST_F(CursorTest, MasterLinkAndRanges) {
    TCursorSpec spec = Spec("Items", "ByDay");
    spec.Equal = {{"Day", QDate(2024, 1, 2)}};
    auto linked = db->OpenCursor(spec);
    EXPECT_EQ(CodesOnward(*linked), (QStringList{"04", "01"}));
    EXPECT_EQ(linked->RecordCount(), 2);
    linked->SetEqual({{"Day", QDate(2024, 1, 1)}});
    EXPECT_EQ(CodesOnward(*linked), QStringList{"02"});
    linked->SetEqual({{"Day", QVariant()}});
    EXPECT_EQ(CodesOnward(*linked), QStringList{"03"});

    auto ranged = db->OpenCursor(Spec("Items", "ByName"));
    ranged->SetRange(true, {QString("APPLE")}, {QString("BANANA")});
    EXPECT_EQ(CodesOnward(*ranged), (QStringList{"02", "04", "01"})) << "inclusive, as the index compares";
    EXPECT_EQ(CodesBackward(*ranged), (QStringList{"01", "04", "02"}));
    ranged->SetRange(true, {}, {QString("apple")});
    EXPECT_EQ(CodesOnward(*ranged), (QStringList{"05", "02", "04"})) << "from the first row; the empty name too";
    ranged->SetRange(true, {QString("b")}, {});
    EXPECT_EQ(CodesOnward(*ranged), (QStringList{"01", "03"}));
    ranged->SetRange(false, {}, {});
    EXPECT_EQ(ranged->RecordCount(), 5);

    auto twoFields = db->OpenCursor(Spec("Items", "ByDay"));
    twoFields->SetRange(true, {QDate(2024, 1, 1), QString("b")}, {QDate(2024, 1, 2), QString("apple")});
    EXPECT_EQ(CodesOnward(*twoFields), (QStringList{"04"}));
    twoFields->SetRange(true, {QDate(2024, 1, 2)}, {QDate(2024, 1, 3)});
    EXPECT_EQ(CodesOnward(*twoFields), (QStringList{"04", "01", "05"}));
    auto descending = db->OpenCursor(Spec("Items", "ByNameDesc"));
    descending->SetRange(true, {QString("BANANA")}, {QString("apple")});
    EXPECT_EQ(CodesOnward(*descending), (QStringList{"01", "04", "02"}));
}

TEST_F(CursorTest, RecordCallbackHidesRows) {
    TCursorSpec spec = Spec("Items", "ByName");
    spec.Filter = [](const TRecordValues& row) { return row[3].toDouble() >= 3; };
    auto cursor = db->OpenCursor(spec);
    EXPECT_EQ(CodesOnward(*cursor), (QStringList{"02", "04", "01"}));
    EXPECT_EQ(cursor->RecordCount(), 3);
    EXPECT_TRUE(cursor->Seek({QString("b")}, true));
    EXPECT_EQ(cursor->Record()[0], QVariant("01"));
    EXPECT_EQ(cursor->RecNo(), 3);
    EXPECT_FALSE(cursor->Seek({QString("cherry")}, false)) << "the only cherry is hidden";
    EXPECT_FALSE(cursor->GotoRowId(3));
    cursor->SetFilter({});
    EXPECT_EQ(cursor->RecordCount(), 5);
    EXPECT_TRUE(cursor->GotoRowId(3));
    EXPECT_EQ(cursor->Record()[0], QVariant("03"));
}

TEST_F(CursorTest, BookmarksAndComparisons) {
    auto cursor = db->OpenCursor(Spec("Items", "ByName"));
    ASSERT_TRUE(cursor->Seek({QString("cherry")}, false));
    const qint64 cherry = cursor->RowId();
    cursor->First();
    EXPECT_TRUE(cursor->GotoRowId(cherry));
    EXPECT_EQ(cursor->Record()[1], QVariant("cherry"));
    EXPECT_TRUE(cursor->Prior());
    EXPECT_EQ(cursor->Record()[0], QVariant("01"));
    EXPECT_FALSE(cursor->GotoRowId(999));
    EXPECT_EQ(cursor->Record()[0], QVariant("01"));
    EXPECT_EQ(cursor->CompareRowIds(2, 4), -1) << "Apple and apple tie; the row id decides";
    EXPECT_EQ(cursor->CompareRowIds(3, 1), 1);
    EXPECT_EQ(cursor->CompareRowIds(5, 5), 0);
    auto descending = db->OpenCursor(Spec("Items", "ByNameDesc"));
    EXPECT_EQ(descending->CompareRowIds(3, 1), -1);
}

TEST_F(CursorTest, RefreshKeepsThePlace) {
    auto cursor = db->OpenCursor(Spec("Items", "ByName"));
    ASSERT_TRUE(cursor->Seek({QString("banana")}, false));
    Add("06", "avocado", QDate(2024, 2, 1), 1);
    cursor->Refresh();
    EXPECT_EQ(cursor->Record()[0], QVariant("01"));
    EXPECT_EQ(cursor->RecNo(), 5);
    EXPECT_TRUE(cursor->Prior());
    EXPECT_EQ(cursor->Record()[1], QVariant("avocado")) << "the inserted row is seen";

    // The current row deleted: the row that follows in the order takes its place.
    ASSERT_TRUE(cursor->Next());
    db->DeleteRow("Items", cursor->RowId());
    cursor->Refresh();
    EXPECT_EQ(cursor->Record()[0], QVariant("03"));
    db->DeleteRow("Items", cursor->RowId());
    cursor->Refresh();
    EXPECT_EQ(cursor->Record()[0], QVariant("06")) << "the last row deleted: the new last row";

    // An edit that moves the row keeps the cursor on it.
    TRecordValues row = cursor->Record();
    row[1] = QString("zucchini");
    db->UpdateRow("Items", cursor->RowId(), row);
    cursor->Refresh();
    EXPECT_EQ(cursor->Record()[1], QVariant("zucchini"));
    EXPECT_FALSE(cursor->Next());
}

TEST_F(CursorTest, MovingAfterAWriteSeesTheTableAsItIsNow) {
    auto cursor = db->OpenCursor(Spec("Items"));
    EXPECT_EQ(cursor->RecordCount(), 5);
    Add("011", "late", QDate(), 0);    // sorts right after the current row
    EXPECT_TRUE(cursor->Next());
    EXPECT_EQ(cursor->Record()[0], QVariant("011"));
    EXPECT_EQ(cursor->RecordCount(), 6);
    EXPECT_EQ(cursor->RecNo(), 2);
}

// Enough rows to need many pages and a window that slides.
TEST_F(EngineTest, LongWalksCountAndNumberEveryRow) {
    db->CreateTable(TransactionsDesc());
    constexpr int kRows = 9000;
    RunInTransaction(*db, [&] {
        for (int i = 0; i < kRows; ++i)
            AddTransaction(QString::asprintf("%010d", i % 3), i, QDate(2020, 1, 1).addDays(i % 400));
    });
    auto cursor = db->OpenCursor(Spec("TrnBnk1a", "ByDate"));
    EXPECT_EQ(cursor->RecordCount(), kRows);
    int walked = 0;
    QVariant previousAccount, previousDate;
    for (bool on = cursor->HasRecord(); on; on = cursor->Next()) {
        const TRecordValues& row = cursor->Record();
        const bool ordered = walked == 0 || previousAccount.toString() < row[0].toString() ||
                             (previousAccount == row[0] && previousDate.toDate() <= row[2].toDate());
        ASSERT_TRUE(ordered) << walked;
        previousAccount = row[0];
        previousDate = row[2];
        if (walked == 4321) {
            EXPECT_EQ(cursor->RecNo(), 4322);
        }
        ++walked;
    }
    EXPECT_EQ(walked, kRows);
    int back = 0;
    for (cursor->Last(); cursor->HasRecord(); cursor->Prior()) ++back;
    EXPECT_EQ(back, kRows);
    EXPECT_TRUE(cursor->Bof());

    TCursorSpec detail = Spec("TrnBnk1a", "ByDate");
    detail.Equal = {{"BankAccountCode", QString("0000000001")}};
    detail.Filter = [](const TRecordValues& row) { return row[1].toString().toInt() % 2 == 0; };
    auto account = db->OpenCursor(detail);
    EXPECT_EQ(account->RecordCount(), kRows / 6);
    account->Last();
    EXPECT_EQ(account->RecNo(), kRows / 6);
    EXPECT_TRUE(account->Seek({QString("0000000001"), QDate(2020, 3, 1)}, true));
    EXPECT_EQ(account->Record()[2], QVariant(QDate(2020, 3, 1)));
    EXPECT_EQ(account->Record()[0], QVariant("0000000001"));
}

// Values as the rows hold them, whether a column repeats the previous row's,
// a value met rows before, or something new; stored forms that are not the
// column's type (a bad date, an integer in a float field) read as before. A
// walk reads its new rows into the records of rows it let go of: values and
// records a caller kept stay as they were read.
TEST_F(EngineTest, ReadsEveryRowsOwnValuesOverManyPages) {
    TTableDesc desc;
    desc.Name = "Mixed";
    desc.Columns = {Column("Code", ftString, 10), Column("Serial", ftString, 10), Column("Day", ftDate),
                    Column("Amount", ftFloat), Column("Flag", ftBoolean), Column("Note", ftString, 60)};
    desc.Indexes = {TIndexDesc{QString(), {"Serial"}, true, true, false, false},
                    TIndexDesc{"ByCode", {"Code", "Day"}, false, false, false, false}};
    db->CreateTable(desc);
    constexpr int kRows = 6000;
    auto day = [](int i) -> QVariant {
        if (i % 11 == 0) return QVariant();
        if (i % 13 == 0) return QStringLiteral("2016-13-45");   // no date: reads as null
        return IsoDate(QDate(2016, 1, 1).addDays(i % 500));
    };
    auto note = [](int i) -> QVariant {   // texts that do not repeat, of every length
        if (i % 5 == 0) return QVariant();
        if (i % 17 == 0) return QStringLiteral("Zürich %1").arg(i);
        return QStringLiteral("n").repeated(i % 23) + QString::number(i);
    };
    auto expected = [&](int i) {
        const QVariant stored = day(i);
        const QDate date = stored.isNull() ? QDate() : QDate::fromString(stored.toString(), Qt::ISODate);
        return TRecordValues{QString::number(i % 7), QString::asprintf("%06d", i),
                             date.isValid() ? QVariant(date) : QVariant(), i % 3 == 0 ? 2.0 : i * 0.25,
                             i / 100 % 2 == 1, note(i)};
    };
    RunInTransaction(*db, [&] {
        for (int i = 0; i < kRows; ++i)
            db->Execute(
                QStringLiteral("INSERT INTO Mixed (Code, Serial, Day, Amount, Flag, Note) VALUES (?, ?, ?, ?, ?, ?)"),
                {QString::number(i % 7), QString::asprintf("%06d", i), day(i),
                 i % 3 == 0 ? QVariant(qlonglong(2)) : QVariant(i * 0.25), qlonglong(i / 100 % 2), note(i)});
    });
    auto bySerial = db->OpenCursor(Spec("Mixed"));
    std::map<int, QVariant> keptNotes;
    std::map<int, TRecordValues> keptRecords;
    int i = 0;
    for (bool on = bySerial->HasRecord(); on; on = bySerial->Next(), ++i) {
        ASSERT_EQ(bySerial->Record(), expected(i)) << i;
        if (i % 97 == 1) keptNotes[i] = bySerial->Record()[5];
        if (i % 101 == 1) keptRecords[i] = bySerial->Record();
    }
    EXPECT_EQ(i, kRows);
    for (const auto& [row, kept] : keptNotes) ASSERT_EQ(kept, note(row)) << row;
    for (const auto& [row, kept] : keptRecords) ASSERT_EQ(kept, expected(row)) << row;
    for (bySerial->Last(); bySerial->HasRecord(); bySerial->Prior())
        ASSERT_EQ(bySerial->Record(), expected(--i)) << i;

    auto byCode = db->OpenCursor(Spec("Mixed", "ByCode"));
    int walked = 0;
    for (bool on = byCode->HasRecord(); on; on = byCode->Next(), ++walked) {
        const int serial = byCode->Record()[1].toString().toInt();
        ASSERT_EQ(byCode->Record(), expected(serial)) << serial;
    }
    EXPECT_EQ(walked, kRows);

    const auto rows =
        db->Query(QStringLiteral("SELECT Code, Serial, Day, Amount, Flag, Note FROM Mixed ORDER BY Serial"));
    for (i = 0; rows->Next(); ++i)
        for (int column = 0; column < 6; ++column)
            ASSERT_EQ(rows->Value(column), expected(i)[size_t(column)]) << i << " " << column;
    EXPECT_EQ(i, kRows);
}

}  // namespace
