#pragma once
// A fresh database for one test: an alias on a temporary directory, a
// TDatabase on it, and helpers to make the tables the tests use.
#include "platform/db/database.h"
#include "platform/db/fields.h"
#include "platform/db/session.h"
#include "platform/db/table.h"
#include "tests/support/scoped_format_settings.h"
#include "tests/support/temp_dir.h"
#include <gtest/gtest.h>
#include <memory>

inline TColumnDesc Column(const QString& name, TFieldType type, int size = 0) {
    return TColumnDesc{name, type, size, false};
}

class DbTest : public ::testing::Test {
protected:
    void SetUp() override {
        static int serial = 0;
        alias = QStringLiteral("DbTestAlias%1").arg(++serial);
        Session().AddStandardAlias(alias, dir.Path());
        database = std::make_unique<TDatabase>();
        database->SetAliasName(alias);
        database->SetDatabaseName(QStringLiteral("TestDb"));
        database->SetLoginPrompt(false);
        database->Open();
    }

    TEngineDatabase& Engine() { return database->EngineDatabase(); }

    // Banks: BankCode (primary), BankDesc; a case-insensitive index on the
    // description and a descending one.
    void CreateBanks() {
        using enum TFieldType;
        TTableDesc desc;
        desc.Name = QStringLiteral("Pbanks");
        desc.Columns = {Column("BankCode", ftString, 10), Column("BankDesc", ftString, 50), Column("Opened", ftDate)};
        desc.Indexes = {TIndexDesc{QString(), {"BankCode"}, true, true, false, false},
                        TIndexDesc{"ByDesc", {"BankDesc"}, false, false, true, false},
                        TIndexDesc{"ByDescCase", {"BankDesc"}, false, false, false, false},
                        TIndexDesc{"ByCodeDesc", {"BankCode"}, false, false, false, true}};
        Engine().CreateTable(desc);
    }

    void AddBank(const QString& code, const QString& name, QDate opened = {}) {
        Engine().InsertRow(QStringLiteral("Pbanks"), {code, name, opened.isValid() ? QVariant(opened) : QVariant()});
    }

    // Accounts: BankAccountCode (primary), BankCode, AccountName, Balance.
    void CreateAccounts() {
        using enum TFieldType;
        TTableDesc desc;
        desc.Name = QStringLiteral("BankAcnt");
        desc.Columns = {Column("BankAccountCode", ftString, 10), Column("BankCode", ftString, 10),
                        Column("AccountName", ftString, 50), Column("Balance", ftFloat)};
        desc.Indexes = {TIndexDesc{QString(), {"BankAccountCode"}, true, true, false, false}};
        Engine().CreateTable(desc);
    }

    void AddAccount(const QString& code, const QString& bank, const QString& name, double balance = 0) {
        Engine().InsertRow(QStringLiteral("BankAcnt"), {code, bank, name, balance});
    }

    // Transactions of the accounts, in date order per account (ByDate).
    void CreateTransactions() {
        using enum TFieldType;
        TTableDesc desc;
        desc.Name = QStringLiteral("TrnBnk1a");
        desc.Columns = {Column("BankAccountCode", ftString, 10), Column("BankTranSerialNum", ftString, 10),
                        Column("TransactionDate", ftDate), Column("DebitAmount", ftFloat)};
        desc.Indexes = {TIndexDesc{QString(), {"BankAccountCode", "BankTranSerialNum"}, true, true, false, false},
                        TIndexDesc{"ByDate", {"BankAccountCode", "TransactionDate"}, false, false, false, false}};
        Engine().CreateTable(desc);
    }

    void AddTransaction(const QString& account, const QString& serial, QDate date, double debit) {
        Engine().InsertRow(QStringLiteral("TrnBnk1a"), {account, serial, date, debit});
    }

    // A table component on this test's database, owned by the test.
    TTable* NewTable(const QString& name) {
        auto* table = new TTable(&owner);
        table->SetDatabaseName(QStringLiteral("TestDb"));
        table->SetTableName(name);
        return table;
    }

    int Count(const QString& sql) {
        auto rows = Engine().Query(sql);
        rows->Next();
        return rows->Value(0).toInt();
    }

    // The values of one field over the whole dataset, from the first row.
    static QStringList Walk(TDataSet& dataSet, const QString& field) {
        QStringList values;
        for (dataSet.First(); !dataSet.Eof(); dataSet.Next()) values << dataSet.FieldByName(field)->AsString();
        return values;
    }

    ScopedFormatSettings settings;
    TestDir dir;
    QString alias;
    std::unique_ptr<TDatabase> database;
    TComponent owner;   // declared last: its tables go before the database
};
