// The database file at start and at the end: protected files and their
// journal companions, damaged files, and a close that leaves one whole file.
#include "engine_test_db.h"
#include <QFileInfo>

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

}  // namespace
