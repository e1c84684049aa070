// The database file at start and at the end: protected files and their
// journal companions, damaged files, and a close that leaves one whole file.
#include "engine_test_db.h"
#include <QFileInfo>
#include <sqlite3.h>

namespace {

constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

QString Describe(const std::function<void()>& attempt) {
    try {
        attempt();
    } catch (const EDatabaseError& error) {
        return error.Message;
    }
    return QStringLiteral("no error");
}

TEST_F(EngineTest, FileReadOnlyAtOneStartPostsOnceWritableAgain) {
    db->CreateTable(TransactionsDesc());
    AddTransaction("0000000001", 1, QDate(2024, 1, 1));
    db.reset();
    const QString path = dir.File("test.sqlite");

    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner));
    db = TEngineDatabase::Open(path, false, &session);
    EXPECT_EQ(Scalar("select Count(*) from TrnBnk1a").toInt(), 1) << "a protected file still reads";
    EXPECT_TRUE(Describe([&] { AddTransaction("0000000001", 2, QDate(2024, 1, 2)); }).contains("readonly"));
    db.reset();

    ASSERT_TRUE(QFile::setPermissions(path, OwnerOnly));
    db = TEngineDatabase::Open(path, false, &session);
    for (const char* suffix : {"-wal", "-shm"}) {
        const QString companion = path + QLatin1String(suffix);
        if (QFileInfo::exists(companion)) {
            EXPECT_TRUE(QFile::permissions(companion) & QFileDevice::WriteOwner) << suffix;
        }
    }
    AddTransaction("0000000001", 2, QDate(2024, 1, 2));
    EXPECT_EQ(Scalar("select Count(*) from TrnBnk1a").toInt(), 2);
}


// A statement run on the file by another program, past the engine.
void RawSql(const QString& path, const char* sql) {
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &raw), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(raw, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(raw);
    sqlite3_close(raw);
}

// Writes bytes over the file as another program could.
void Overwrite(const QString& path, qint64 offset, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(offset);
    file.write(bytes);
}

TEST_F(EngineTest, DamagedFilesAreToldApartFromWrongPasswordsAndNamed) {
    TTableDesc desc = TransactionsDesc();
    desc.Password = "quorvintel";
    session.AddPassword("quorvintel");
    db->CreateTable(desc);
    RunInTransaction(*db, [&] {
        for (int serial = 1; serial <= 400; ++serial) AddTransaction("0000000001", serial, QDate(2024, 1, 1));
    });
    const QString path = db->Path();

    // A mark no password gives: damaged, not locked.
    db.reset();
    RawSql(path, "UPDATE engine_table_marks SET PasswordMark = 'x'");
    db = TEngineDatabase::Open(path, false, &session);
    QString message = Describe([&] { db->OpenCursor(Spec("TrnBnk1a")); });
    EXPECT_TRUE(message.contains("damaged") && message.contains(path)) << message.toStdString();
    EXPECT_FALSE(message.contains("password that")) << message.toStdString();
    // A well-formed mark of another password is the password error it always was.
    db.reset();
    RawSql(path, "UPDATE engine_table_marks SET PasswordMark = printf('%.64c', 'a')");
    db = TEngineDatabase::Open(path, false, &session);
    message = Describe([&] { db->OpenCursor(Spec("TrnBnk1a")); });
    EXPECT_TRUE(message.contains("protected by a password")) << message.toStdString();
    EXPECT_FALSE(message.contains("damaged")) << message.toStdString();
    db.reset();

    RawSql(path, "UPDATE engine_table_marks SET PasswordMark = NULL");

    // A table whose stored definition no longer reads.
    const QString schemaCopy = dir.File("schema.sqlite");
    ASSERT_TRUE(QFile::copy(path, schemaCopy));
    RawSql(schemaCopy, "PRAGMA writable_schema = ON; UPDATE sqlite_schema SET sql = 'CREATE TABLE TrnBnk1a (' "
                       "WHERE name = 'TrnBnk1a'");
    message = Describe([&] { TEngineDatabase::Open(schemaCopy, false, &session); });
    EXPECT_TRUE(message.contains("damaged") && message.contains(schemaCopy)) << message.toStdString();

    // Pages of the table overwritten: every error on them names the file.
    const qint64 size = QFileInfo(path).size();
    ASSERT_GT(size, 8 * 4096);
    Overwrite(path, 4 * 4096, QByteArray(int(size) - 4 * 4096, '\xab'));
    message = Describe([&] {
        db = TEngineDatabase::Open(path, false, &session);
        auto rows = db->Query("select Sum(DebitAmount) from TrnBnk1a");
        rows->Next();
    });
    EXPECT_TRUE(message.contains("damaged") && message.contains(path)) << message.toStdString();
    db.reset();

    // The header itself overwritten: the file is not a database at all.
    Overwrite(path, 0, QByteArray(100, 'x'));
    message = Describe([&] { db = TEngineDatabase::Open(path, false, &session); });
    EXPECT_TRUE(message.contains("damaged") && message.contains(path)) << message.toStdString();
}

TEST_F(EngineTest, ClosingPutsEveryPostInTheMainFileWhileAnotherProgramHasItOpen) {
    db->CreateTable(TransactionsDesc());
    auto other = TEngineDatabase::Open(db->Path(), false, &session);   // say, a backup reading the file
    for (int serial = 1; serial <= 50; ++serial) AddTransaction("0000000001", serial, QDate(2024, 1, 1));
    const QString wal = db->Path() + "-wal";
    ASSERT_GT(QFileInfo(wal).size(), 0);
    db.reset();
    EXPECT_EQ(QFileInfo(wal).size(), 0) << "the journal was emptied into the main file";
    auto count = other->Query("select Count(*) from TrnBnk1a");
    ASSERT_TRUE(count->Next());
    EXPECT_EQ(count->Value(0).toInt(), 50);
}

}  // namespace
