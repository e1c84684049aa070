#pragma once
// A fresh database in a temporary directory, with a small transactions table
// shaped like the program's bank transactions.
#include "platform/engine/cursor.h"
#include "platform/engine/engine_database.h"
#include "platform/engine/engine_session.h"
#include "tests/support/temp_dir.h"
#include <gtest/gtest.h>

inline TColumnDesc Column(const QString& name, TFieldType type, int size = 0, bool required = false) {
    return TColumnDesc{name, type, size, required};
}

inline TCursorSpec Spec(const QString& table, const QString& index = {}) {
    TCursorSpec spec;
    spec.Table = table;
    spec.IndexName = index;
    return spec;
}

inline TTableDesc TransactionsDesc(const QString& name = QStringLiteral("TrnBnk1a")) {
    using enum TFieldType;
    TTableDesc desc;
    desc.Name = name;
    desc.Columns = {Column("BankAccountCode", ftString, 10), Column("BankTranSerialNum", ftString, 10),
                    Column("TransactionDate", ftDate), Column("BankItemCode", ftString, 3),
                    Column("DebitAmount", ftFloat), Column("CreditAmount", ftFloat), Column("External", ftBoolean)};
    desc.Indexes = {TIndexDesc{QString(), {"BankAccountCode", "BankTranSerialNum"}, true, true, false, false},
                    TIndexDesc{"ByDate", {"BankAccountCode", "TransactionDate"}, false, false, false, false}};
    return desc;
}

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { db = TEngineDatabase::Open(dir.File("test.sqlite"), true, &session); }

    qint64 AddTransaction(const QString& account, int serial, QDate date, double debit = 0, double credit = 0) {
        return db->InsertRow("TrnBnk1a", {account, QString::asprintf("%010d", serial), date, QStringLiteral("001"),
                                          debit, credit, false});
    }

    // The single value of a one-row query.
    QVariant Scalar(const QString& sql, const std::vector<QVariant>& params = {}) {
        auto rows = db->Query(sql, params);
        EXPECT_TRUE(rows->Next()) << sql.toStdString();
        return rows->Value(0);
    }

    TestDir dir;
    TEngineSession session;
    std::shared_ptr<TEngineDatabase> db;
};
