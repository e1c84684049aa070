#pragma once
// A database of its own for each test: a small bank table with a
// case-insensitive and a case-sensitive index on the description, a notes
// table without any index, and the scripted presenter for the boxes.
#include "dataset/ww_table.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/session.h"
#include "tests/support/scoped_format_settings.h"
#include "tests/support/scripted_presenter.h"
#include "tests/support/temp_dir.h"
#include <gtest/gtest.h>
#include <memory>

class DatasetTest : public ::testing::Test {
protected:
    static constexpr const char* kDatabase = "DsetTest";

    void SetUp() override
    {
        Session().AddStandardAlias(QStringLiteral("DsetTestAlias"), dir_.Path());
        database_ = std::make_unique<TDatabase>();
        database_->SetAliasName(QStringLiteral("DsetTestAlias"));
        database_->SetDatabaseName(QString::fromLatin1(kDatabase));
        database_->Open();
        CreateTables();
    }

    void TearDown() override
    {
        tables_.clear();
        database_.reset();
    }

    TEngineDatabase& Engine() { return database_->EngineDatabase(); }

    // A closed TwwTable on the test database, owned by the fixture.
    TwwTable& NewTable(const QString& tableName, const QString& component = QStringLiteral("TblBanks"))
    {
        auto table = std::make_unique<TwwTable>();
        table->SetName(component);
        table->SetDatabaseName(QString::fromLatin1(kDatabase));
        table->SetTableName(tableName);
        tables_.push_back(std::move(table));
        return *tables_.back();
    }

    TwwTable& OpenBanks(const QString& indexName = {})
    {
        TwwTable& table = NewTable(QStringLiteral("Banks.DB"));
        table.SetIndexName(indexName);
        table.Open();
        return table;
    }

    ScriptedPresenter presenter;
    ScopedFormatSettings formats;

private:
    void CreateTables()
    {
        TTableDesc banks;
        banks.Name = QStringLiteral("Banks");
        banks.Columns = {{QStringLiteral("BankCode"), TFieldType::ftString, 10},
                         {QStringLiteral("BankDesc"), TFieldType::ftString, 30},
                         {QStringLiteral("City"), TFieldType::ftString, 20},
                         {QStringLiteral("Branches"), TFieldType::ftInteger},
                         {QStringLiteral("Balance"), TFieldType::ftFloat},
                         {QStringLiteral("Opened"), TFieldType::ftDate}};
        banks.Indexes = {{QString(), {QStringLiteral("BankCode")}, true, true},
                         {QStringLiteral("ByDesc"), {QStringLiteral("BankDesc")}, false, false, true},
                         {QStringLiteral("ByDescCase"), {QStringLiteral("BankDesc")}},
                         {QStringLiteral("ByBranches"), {QStringLiteral("Branches")}},
                         {QStringLiteral("ByCityDesc"), {QStringLiteral("City"), QStringLiteral("BankDesc")}, false,
                          false, true}};
        Engine().CreateTable(banks);
        const struct { const char* code; const char* desc; const char* city; int branches; double balance; } rows[] = {
            {"0000000001", "First National", "Springfield", 12, 1500.5},
            {"0000000002", "Second Trust", "Shelbyville", 3, 20.25},
            {"0000000003", "Savings Union", "Springfield", 7, 0},
            {"0000000004", "ABC Bank", "Capital City", 1, 99.99},
            {"0000000005", "abc credit", "Ogdenville", 2, 1500.5},
        };
        for (const auto& row : rows)
            Engine().InsertRow(QStringLiteral("Banks"),
                               {QString::fromLatin1(row.code), QString::fromLatin1(row.desc),
                                QString::fromLatin1(row.city), row.branches, row.balance, QDate(1999, 12, 31)});

        TTableDesc notes;
        notes.Name = QStringLiteral("Notes");
        notes.Columns = {{QStringLiteral("Note"), TFieldType::ftString, 40}};
        Engine().CreateTable(notes);
        Engine().InsertRow(QStringLiteral("Notes"), {QStringLiteral("remember")});
    }

    TestDir dir_;
    std::unique_ptr<TDatabase> database_;
    std::vector<std::unique_ptr<TwwTable>> tables_;
};

// A PictureMasks line: field TAB mask TAB auto-fill TAB use-mask.
inline const QString kAppMask = QStringLiteral("*[&*[{#, ,.,;,,;;,:,;[,;],(,),}]]");

inline QString MaskLine(const QString& field, const QString& mask = kAppMask, const char* autoFill = "T",
                        const char* useMask = "T")
{
    return field + '\t' + mask + '\t' + QLatin1String(autoFill) + '\t' + QLatin1String(useMask);
}
