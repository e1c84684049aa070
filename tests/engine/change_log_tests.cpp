// The change log of a table: every row change this database makes is logged
// by its key fields before and after; the log is undone with its transaction,
// and says it may have missed changes once another connection has written,
// or the table was emptied or made anew.
#include "tests/engine/engine_test_db.h"

namespace {

using TLogged = std::vector<std::vector<QVariant>>;

class ChangeLogTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        db->CreateTable(TransactionsDesc());
    }
    void Start(const QString& tag = QStringLiteral("run 1")) {
        db->StartChangeLog("TrnBnk1a", {"BankAccountCode", "TransactionDate"}, tag);
    }
    TLogged Logged() {
        const std::optional<TChangeLog> log = db->ChangeLog("TrnBnk1a");
        EXPECT_TRUE(log.has_value());
        TLogged values = log ? log->Values : TLogged{};
        std::sort(values.begin(), values.end(), [](const auto& a, const auto& b) {
            return std::make_pair(a[0].toString(), a[1].toDate()) < std::make_pair(b[0].toString(), b[1].toDate());
        });
        return values;
    }
};

TEST_F(ChangeLogTest, LogsTheKeysBeforeAndAfterEveryChangeOnceAndGoesBackWithItsTransaction) {
    EXPECT_FALSE(db->ChangeLog("TrnBnk1a").has_value());   // none started
    const qint64 first = AddTransaction("ACC1", 1, QDate(2026, 1, 5), 10);
    Start();
    EXPECT_EQ(db->ChangeLog("TrnBnk1a")->Tag, "run 1");
    EXPECT_TRUE(Logged().empty());

    AddTransaction("ACC2", 2, QDate(2026, 2, 5));
    db->UpdateRow("TrnBnk1a", first, {"ACC1", "0000000001", QDate(2026, 3, 1), "001", 20.0, 0.0, false});
    db->Execute("update TrnBnk1a set DebitAmount = 30 where BankAccountCode = \"ACC1\"");
    const TLogged logged{{"ACC1", QDate(2026, 1, 5)}, {"ACC1", QDate(2026, 3, 1)}, {"ACC2", QDate(2026, 2, 5)}};
    EXPECT_EQ(Logged(), logged);

    db->StartTransaction();
    db->Execute("delete from TrnBnk1a where BankAccountCode = \"ACC2\"");
    AddTransaction("ACC3", 3, QDate(2026, 4, 5));
    Start(QStringLiteral("run 2"));   // started again inside the transaction: empty
    EXPECT_TRUE(Logged().empty());
    db->Rollback();
    EXPECT_EQ(db->ChangeLog("TrnBnk1a")->Tag, "run 1");
    EXPECT_EQ(Logged(), logged);
}

TEST_F(ChangeLogTest, AnotherConnectionsCommitAnEmptyingOrANewTableLeaveNoLog) {
    Start();
    {
        TEngineSession other;
        auto second = TEngineDatabase::Open(dir.File("test.sqlite"), false, &other);
        second->InsertRow("TrnBnk1a", {"ACC9", "0000000009", QDate(2026, 1, 1), "001", 1.0, 0.0, false});
    }
    EXPECT_FALSE(db->ChangeLog("TrnBnk1a").has_value());

    Start();
    EXPECT_TRUE(db->ChangeLog("TrnBnk1a").has_value());
    db->EmptyTable("TrnBnk1a");
    EXPECT_FALSE(db->ChangeLog("TrnBnk1a").has_value());
    Start();
    AddTransaction("ACC1", 1, QDate(2026, 1, 5));
    db->Execute("delete from TrnBnk1a where BankAccountCode = \"ACC2\"");
    EXPECT_TRUE(db->ChangeLog("TrnBnk1a").has_value());
    db->Execute("Delete from TRNBNK1A.DB");
    EXPECT_FALSE(db->ChangeLog("TrnBnk1a").has_value());

    Start();
    db->Execute("drop table TrnBnk1a");
    db->CreateTable(TransactionsDesc());
    AddTransaction("ACC1", 1, QDate(2026, 1, 5));
    EXPECT_FALSE(db->ChangeLog("TrnBnk1a").has_value());
    // Started again, the log of the table made anew logs as before.
    Start();
    AddTransaction("ACC2", 2, QDate(2026, 2, 5));
    EXPECT_EQ(Logged(), (TLogged{{"ACC2", QDate(2026, 2, 5)}}));
}

// A log with watched columns leaves out the updates that change none of them;
// inserts and deletes it logs as any log does.
TEST_F(ChangeLogTest, AnUpdateOfNoWatchedColumnIsNotLogged) {
    const qint64 row = AddTransaction("ACC1", 1, QDate(2026, 1, 5), 10);
    db->StartChangeLog("TrnBnk1a", {}, "run", {"DebitAmount", "TransactionDate"});
    db->UpdateRow("TrnBnk1a", row, {"ACC1", "0000000001", QDate(2026, 1, 5), "002", 10.0, 3.0, true});
    db->Execute("update TrnBnk1a set DebitAmount = 10");
    EXPECT_TRUE(db->ChangeLog("TrnBnk1a")->Values.empty());

    db->Execute("update TrnBnk1a set DebitAmount = 11");
    EXPECT_EQ(db->ChangeLog("TrnBnk1a")->Values.size(), 1u);
    db->StartChangeLog("TrnBnk1a", {}, "run", {"DebitAmount", "TransactionDate"});
    db->Execute("update TrnBnk1a set TransactionDate = \"02/01/2026\"");
    EXPECT_EQ(db->ChangeLog("TrnBnk1a")->Values.size(), 1u);
    db->StartChangeLog("TrnBnk1a", {}, "run", {"DebitAmount", "TransactionDate"});
    db->Execute("delete from TrnBnk1a where BankAccountCode = \"ACC1\"");
    EXPECT_EQ(db->ChangeLog("TrnBnk1a")->Values.size(), 1u);

    // Started with no watched column, the log takes every update again.
    AddTransaction("ACC2", 2, QDate(2026, 1, 5));
    db->StartChangeLog("TrnBnk1a", {}, "run");
    db->Execute("update TrnBnk1a set External = True");
    EXPECT_EQ(db->ChangeLog("TrnBnk1a")->Values.size(), 1u);
}

}  // namespace
