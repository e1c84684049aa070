// Catalogue, stored values, passwords, transactions and the database file.
#include "engine_test_db.h"
#include "platform/engine/nocase_collation.h"
#include <QFileInfo>

namespace {

using enum TFieldType;

TTableDesc EveryTypeDesc() {
    TTableDesc desc;
    desc.Name = "Kinds.DB";
    desc.Columns = {Column("Code", ftString, 5, true), Column("Notes", ftMemo, 25), Column("Picture", ftBlob),
                    Column("Day", ftDate),           Column("At", ftTime),          Column("Stamp", ftDateTime),
                    Column("Rate", ftFloat),         Column("Price", ftCurrency),   Column("Amount", ftBCD),
                    Column("Small", ftSmallint),     Column("Count1", ftInteger),   Column("Unsigned", ftWord),
                    Column("Serial", ftAutoInc),     Column("Flag", ftBoolean)};
    desc.Indexes = {TIndexDesc{QString(), {"Code"}, true, true, false, false},
                    TIndexDesc{"ByNotes", {"Notes", "Day"}, false, false, true, true}};
    return desc;
}

TRecordValues SampleRow(const QString& code) {
    return {code, QString("0123 memo"), QByteArray("\x01\x02", 2), QDate(1999, 12, 31), QTime(13, 45, 7, 250),
            QDateTime(QDate(2024, 2, 29), QTime(8, 0)), 1.5, 2.25, 10.1, -32768, 123456, 65535, QVariant(), true};
}

TEST_F(EngineTest, CatalogueReadsBackWhatWasCreated) {
    db->CreateTable(EveryTypeDesc());
    const TTableDesc read = db->DescribeTable("KINDS");
    const TTableDesc wanted = EveryTypeDesc();
    EXPECT_EQ(read.Name, "Kinds");
    ASSERT_EQ(read.Columns.size(), wanted.Columns.size());
    for (size_t i = 0; i < read.Columns.size(); ++i) {
        EXPECT_EQ(read.Columns[i].Name, wanted.Columns[i].Name);
        EXPECT_EQ(read.Columns[i].Type, wanted.Columns[i].Type) << read.Columns[i].Name.toStdString();
        EXPECT_EQ(read.Columns[i].Size, wanted.Columns[i].Size) << read.Columns[i].Name.toStdString();
        EXPECT_EQ(read.Columns[i].Required, wanted.Columns[i].Required);
    }
    ASSERT_EQ(read.Indexes.size(), 2u);
    EXPECT_TRUE(read.Indexes[0].Primary);
    EXPECT_TRUE(read.Indexes[0].Unique);
    EXPECT_EQ(read.Indexes[1].Name, "ByNotes");
    EXPECT_EQ(read.Indexes[1].Fields, (QStringList{"Notes", "Day"}));
    EXPECT_TRUE(read.Indexes[1].CaseInsensitive);
    EXPECT_TRUE(read.Indexes[1].Descending);
    EXPECT_FALSE(read.Indexes[1].Unique);
    EXPECT_EQ(db->TableNames(), QStringList{"Kinds"}) << "the engine's own table stays hidden";
    EXPECT_THROW(db->CreateTable(EveryTypeDesc()), EDatabaseError);
    EXPECT_THROW(db->DescribeTable("Missing"), EDatabaseError);
}

TEST_F(EngineTest, ValuesOfEveryTypeReadBackTyped) {
    db->CreateTable(EveryTypeDesc());
    const qint64 first = db->InsertRow("Kinds", SampleRow("A"));
    const qint64 second = db->InsertRow("Kinds", SampleRow("B"));
    const TRecordValues row = *db->ReadRow("Kinds", first);
    const TRecordValues wanted = SampleRow("A");
    for (size_t i = 0; i < row.size(); ++i) {
        if (i == 12) continue;
        EXPECT_EQ(row[i], wanted[i]) << i;
    }
    EXPECT_EQ(row[12], QVariant(1)) << "an empty autoincrement field takes the next number";
    EXPECT_EQ(db->ReadRow("Kinds", second)->at(12), QVariant(2));
    // Stored forms that stay readable with the sqlite3 shell.
    EXPECT_EQ(Scalar("select Count(*) from Kinds where Day = \"12/31/1999\" and Flag = True and Stamp = ?",
                     {QString("2024-02-29 08:00:00")}).toInt(), 2);
    EXPECT_FALSE(db->ReadRow("Kinds", 999).has_value());
}

TEST_F(EngineTest, EmptyValuesAreStoredAsNull) {
    db->CreateTable(EveryTypeDesc());
    TRecordValues row(14);
    row[0] = QString("A");
    row[1] = QString("");
    row[3] = QDate();
    const qint64 id = db->InsertRow("Kinds", row);
    EXPECT_EQ(Scalar("select Count(*) from Kinds where Notes is null and Day is null and Flag is null").toInt(), 1);
    const TRecordValues read = *db->ReadRow("Kinds", id);
    EXPECT_TRUE(read[1].isNull());
    EXPECT_TRUE(read[3].isNull());
    EXPECT_TRUE(read[13].isNull());
}

TEST_F(EngineTest, WritesThatDoNotFitAreRefusedAndWriteNothing) {
    db->CreateTable(EveryTypeDesc());
    db->InsertRow("Kinds", SampleRow("A"));
    auto expectRefused = [&](TRecordValues row, const QString& part) {
        try {
            db->InsertRow("Kinds", row);
            ADD_FAILURE() << "written: " << part.toStdString();
        } catch (const EDatabaseError& error) {
            EXPECT_TRUE(error.Message.contains(part)) << error.Message.toStdString();
        }
    };
    expectRefused(SampleRow("TooLong"), "Text too long for field \"Code\" of table Kinds");
    expectRefused(SampleRow("A"), "Key violation in table Kinds");
    TRecordValues noCode = SampleRow("B");
    noCode[0] = QVariant();
    expectRefused(noCode, "Field value required: Code of table Kinds");
    TRecordValues badDate = SampleRow("C");
    badDate[3] = QString("yesterday");
    expectRefused(badDate, "does not fit field \"Day\"");
    TRecordValues bigSmall = SampleRow("D");
    bigSmall[9] = 40000;
    expectRefused(bigSmall, "out of range for field \"Small\"");
    expectRefused(TRecordValues(3), "has 14 fields, 3 values were given");
    // Texts that UTF-8 would store changed: half of a character, and a NUL.
    expectRefused(SampleRow(QStringLiteral("E") + QChar(0xD800)), "Text for field \"Code\" of table Kinds holds a character");
    TRecordValues nulInNotes = SampleRow("F");
    nulInNotes[1] = QStringLiteral("a") + QChar(0) + u'b';
    expectRefused(nulInNotes, "Text for field \"Notes\" of table Kinds holds a character");
    EXPECT_EQ(Scalar("select Count(*) from Kinds").toInt(), 1);
}

TEST_F(EngineTest, UpdateAndDeleteByRowId) {
    db->CreateTable(TransactionsDesc());
    const qint64 id = AddTransaction("0000000001", 1, QDate(2024, 1, 1));
    const qint64 other = AddTransaction("0000000001", 2, QDate(2024, 1, 2));
    TRecordValues row = *db->ReadRow("TrnBnk1a", id);
    row[4] = 99.5;
    db->UpdateRow("trnbnk1a.db", id, row);
    EXPECT_DOUBLE_EQ(db->ReadRow("TrnBnk1a", id)->at(4).toDouble(), 99.5);
    row[1] = QString("0000000002");
    EXPECT_THROW(db->UpdateRow("TrnBnk1a", id, row), EDatabaseError) << "the key of the other row";
    EXPECT_EQ(db->ReadRow("TrnBnk1a", id)->at(1), QVariant("0000000001"));
    db->DeleteRow("TrnBnk1a", other);
    EXPECT_THROW(db->DeleteRow("TrnBnk1a", other), EDatabaseError);
    EXPECT_THROW(db->UpdateRow("TrnBnk1a", other, row), EDatabaseError);
    db->EmptyTable("TrnBnk1a");
    EXPECT_EQ(Scalar("select Count(*) from TrnBnk1a").toInt(), 0);
    EXPECT_EQ(db->DescribeTable("TrnBnk1a").Indexes.size(), 2u) << "emptied tables keep their indexes";
}

// An empty key field is one value of the key, as any other: a second row
// with the same key is refused whether or not a field of it is empty. Rows
// that a book already holds twice under such a key still read, and each can
// be given a key of its own.
TEST_F(EngineTest, AnEmptyKeyFieldIsHeldOnce) {
    db->CreateTable(TransactionsDesc());
    auto row = [](const QVariant& account, const QVariant& serial) {
        return TRecordValues{account, serial, QDate(2024, 1, 1), QString("001"), 1.0, 0.0, false};
    };
    const auto refused = [&](const TRecordValues& values) {
        try {
            db->InsertRow("TrnBnk1a", values);
        } catch (const EDatabaseError& error) {
            return error.Message == "Key violation in table TrnBnk1a";
        }
        return false;
    };
    db->InsertRow("TrnBnk1a", row(QString("0000000001"), QVariant()));
    EXPECT_TRUE(refused(row(QString("0000000001"), QVariant())));
    EXPECT_TRUE(refused(row(QString("0000000001"), QString(""))));
    db->InsertRow("TrnBnk1a", row(QString("0000000002"), QVariant()));
    db->InsertRow("TrnBnk1a", row(QVariant(), QVariant()));
    EXPECT_TRUE(refused(row(QVariant(), QVariant())));
    EXPECT_EQ(Scalar("select Count(*) from TrnBnk1a").toInt(), 3);

    // Two rows of account 2 left without a number by an earlier program.
    const qint64 first = AddTransaction("0000000003", 1, QDate(2024, 1, 2));
    const qint64 second = AddTransaction("0000000003", 2, QDate(2024, 1, 3));
    db->Execute("update TrnBnk1a set BankTranSerialNum = null where BankAccountCode = \"0000000003\"");
    TRecordValues held = *db->ReadRow("TrnBnk1a", first);
    held[4] = 5.0;
    EXPECT_THROW(db->UpdateRow("TrnBnk1a", first, held), EDatabaseError);
    held[1] = QString("0000000001");
    db->UpdateRow("TrnBnk1a", first, held);
    TRecordValues other = *db->ReadRow("TrnBnk1a", second);
    other[4] = 7.0;
    db->UpdateRow("TrnBnk1a", second, other);
    EXPECT_EQ(Scalar("select Sum(DebitAmount) from TrnBnk1a where BankAccountCode = \"0000000003\"").toDouble(), 12.0);

    // A key that ignores case finds its empty field beside text in either case.
    TTableDesc names;
    names.Name = "Names";
    names.Columns = {Column("Name", TFieldType::ftString, 10), Column("Number", TFieldType::ftInteger)};
    names.Indexes = {TIndexDesc{QString(), {"Name", "Number"}, true, true, true, false}};
    db->CreateTable(names);
    db->InsertRow("Names", {QString("rent"), QVariant()});
    EXPECT_THROW(db->InsertRow("Names", {QString("RENT"), QVariant()}), EDatabaseError);
    db->InsertRow("Names", {QString("RENT"), 1});
}

TEST_F(EngineTest, FailedBulkTransactionRollsBackEverything) {
    db->CreateTable(TransactionsDesc());
    AddTransaction("0000000001", 1, QDate(2024, 1, 1));
    EXPECT_THROW(RunInTransaction(*db,
                                  [&] {
                                      db->Execute("Delete from TrnBnk1a");
                                      AddTransaction("0000000002", 1, QDate(2024, 1, 1));
                                      AddTransaction("0000000002", 1, QDate(2024, 1, 2));   // key violation
                                  }),
                 EDatabaseError);
    EXPECT_FALSE(db->InTransaction());
    auto rows = db->Query("select BankAccountCode from TrnBnk1a");
    ASSERT_TRUE(rows->Next());
    EXPECT_EQ(rows->Value(0), QVariant("0000000001"));
    EXPECT_FALSE(rows->Next());

    RunInTransaction(*db, [&] { AddTransaction("0000000003", 1, QDate(2024, 1, 1)); });
    EXPECT_EQ(Scalar("select Count(*) from TrnBnk1a").toInt(), 2);
    db->StartTransaction();
    EXPECT_THROW(db->StartTransaction(), EDatabaseError) << "no nesting";
    db->Rollback();
    EXPECT_THROW(db->Commit(), EDatabaseError);
}

TEST_F(EngineTest, PostedRowsAreInTheFileAtOnce) {
    db->CreateTable(TransactionsDesc());
    AddTransaction("0000000001", 1, QDate(2024, 1, 1));
    // A second connection sees the row without any commit by the first.
    auto reader = TEngineDatabase::Open(db->Path(), false);
    EXPECT_EQ(reader->Query("select Count(*) from TrnBnk1a")->Next(), true);
    auto count = reader->Query("select Count(*) from TrnBnk1a");
    count->Next();
    EXPECT_EQ(count->Value(0).toInt(), 1);
}

TEST_F(EngineTest, PostsCommitWhileAQueryIsStillOpen) {
    db->CreateTable(TransactionsDesc());
    AddTransaction("0000000001", 1, QDate(2024, 1, 1));
    AddTransaction("0000000001", 2, QDate(2024, 1, 2));
    auto open = db->Query("select * from TrnBnk1a");
    ASSERT_TRUE(open->Next());   // a lookup list that stays open, half read
    AddTransaction("0000000002", 1, QDate(2024, 1, 3));
    auto other = TEngineDatabase::Open(db->Path(), false);
    auto count = other->Query("select Count(*) from TrnBnk1a");
    ASSERT_TRUE(count->Next());
    EXPECT_EQ(count->Value(0).toInt(), 3) << "the post is in the file although the query is not finished";
    ASSERT_TRUE(open->Next());
    EXPECT_EQ(open->Value(1), QVariant("0000000002"));
    EXPECT_FALSE(open->Next()) << "the query reads the table as it was when it started";

    // Inside a transaction a query sees the transaction's own writes.
    RunInTransaction(*db, [&] {
        db->Execute("Delete from TrnBnk1a");
        EXPECT_EQ(Scalar("select Count(*) from TrnBnk1a").toInt(), 0);
    });
}

TEST_F(EngineTest, DatabaseFileIsOwnerOnlyAndJournalledAhead) {
    const QFileInfo file(db->Path());
    EXPECT_EQ(file.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther), 0);
    EXPECT_EQ(Scalar("select journal_mode from pragma_journal_mode").toString().toLower(), "wal")
        << "read through SQLite directly";
}

TEST_F(EngineTest, MissingOrBrokenFilesGiveAClearError) {
    EXPECT_THROW(TEngineDatabase::Open(dir.File("none.sqlite"), false), EDatabaseError);
    QFile junk(dir.File("junk.sqlite"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    try {
        TEngineDatabase::Open(junk.fileName(), false);
        FAIL();
    } catch (const EDatabaseError& error) {
        EXPECT_TRUE(error.Message.contains("junk.sqlite")) << error.Message.toStdString();
    }
}

// --- passwords ---------------------------------------------------------------

class PasswordTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        TTableDesc desc = TransactionsDesc();
        desc.Password = "quorvintel";
        session.AddPassword("quorvintel");
        db->CreateTable(desc);
        AddTransaction("0000000001", 1, QDate(2024, 1, 1));
        session.RemoveAllPasswords();
    }

    void ExpectLocked(const std::function<void()>& attempt) {
        try {
            attempt();
            ADD_FAILURE() << "opened without the password";
        } catch (const EDatabaseError& error) {
            EXPECT_TRUE(error.Message.contains("TrnBnk1a")) << error.Message.toStdString();
            EXPECT_TRUE(error.Message.contains("password")) << error.Message.toStdString();
        }
    }
};

TEST_F(PasswordTest, ProtectedTableOpensOnlyWithItsPassword) {
    EXPECT_TRUE(db->IsProtected("trnbnk1a.DB"));
    ExpectLocked([&] { db->OpenCursor(Spec("TrnBnk1a")); });
    session.AddPassword("wrong");
    ExpectLocked([&] { db->OpenCursor(Spec("TrnBnk1a")); });
    ExpectLocked([&] { db->Query("select * from TrnBnk1a"); });
    ExpectLocked([&] { db->Execute("Delete from TrnBnk1a"); });
    ExpectLocked([&] { db->ReadRow("TrnBnk1a", 1); });
    session.AddPassword("quorvintel");
    EXPECT_TRUE(session.HoldsPassword("quorvintel"));
    auto cursor = db->OpenCursor(Spec("TrnBnk1a"));
    EXPECT_TRUE(cursor->HasRecord());
    EXPECT_EQ(Scalar("select Count(*) from TrnBnk1a").toInt(), 1);
    session.RemovePassword("quorvintel");
    ExpectLocked([&] { db->OpenCursor(Spec("TrnBnk1a")); });
}

TEST_F(PasswordTest, MarksSurviveReopeningAndGoWithTheTable) {
    db.reset();
    db = TEngineDatabase::Open(dir.File("test.sqlite"), false, &session);
    EXPECT_TRUE(db->IsProtected("TrnBnk1a"));
    EXPECT_EQ(db->TableNames(), QStringList{"TrnBnk1a"});
    session.AddPassword("quorvintel");
    db->Execute("Drop table TrnBnk1a");
    db->CreateTable(TransactionsDesc());
    EXPECT_FALSE(db->IsProtected("TrnBnk1a"));
}

// --- sessions ------------------------------------------------------------------

TEST(EngineSession, OpensOneDatabasePerFileUnderAnAlias) {
    TestDir dir;
    TEngineSession session;
    EXPECT_FALSE(session.IsAlias("VRACCOUNTS"));   // the engine knows no program's alias
    EXPECT_THROW(session.AliasPath("Nowhere"), EDatabaseError);
    session.AddAlias("VrAccounts", dir.File("data"));
    EXPECT_THROW(session.OpenDatabase("VrAccounts", "DataQuelt", false), EDatabaseError);
    auto db = session.OpenDatabase("vraccounts", "DataQuelt", true);
    EXPECT_EQ(db->Path(), dir.File("data/DataQuelt.sqlite"));
    EXPECT_EQ(QFileInfo(dir.File("data")).permissions() & (QFile::ReadOther | QFile::ReadGroup), 0);
    EXPECT_EQ(session.OpenDatabase("VrAccounts", "DataQuelt", false), db);
}

TEST(TextCompare, CaseFoldingIsUnicodeAware) {
    EXPECT_EQ(CompareTextNoCase("ÄRGER straße", "ärger STRASSE") == 0, QString("ß").toCaseFolded() == "ss");
    EXPECT_EQ(CompareTextNoCase("Émile", "émile"), 0);
    EXPECT_LT(CompareTextNoCase("abc", "ABD"), 0);
    EXPECT_GT(CompareTextNoCase("b", "A"), 0);
}

TEST_F(EngineTest, SqlAndCppAgreeOnCaseInsensitiveOrder) {
    db->Execute("Create table Names (Name character(20))");
    const QStringList names = {"émile", "Zoë", "adam", "Émilie", "ÖSTER", "oscar", "Adam"};
    for (const QString& name : names) db->InsertRow("Names", {name});
    auto rows = db->Query("select Name from Names order by Name collate NOCASE_U, rowid");
    QStringList bySql;
    while (rows->Next()) bySql.append(rows->Value(0).toString());
    QStringList byCpp = names;
    std::stable_sort(byCpp.begin(), byCpp.end(), [](const QString& a, const QString& b) { return CompareTextNoCase(a, b) < 0; });
    EXPECT_EQ(bySql, byCpp);
}

}  // namespace
