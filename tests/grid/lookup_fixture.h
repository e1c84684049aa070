#pragma once
// A lookup combo on real tables for each test: a temporary database with a
// bank-items reference table (a code, and a description with a
// case-insensitive index), a telephone-items table whose description has no
// index, and a transactions table whose item code the combo edits, all
// opened through TwwTable; the combo sits on a form shown
// offscreen, as the windows place it. Boxes go to the scripted presenter.
#include "dataset/ww_data_source.h"
#include "dataset/ww_table.h"
#include "grid/lookup_combo.h"
#include "grid/popup_grid.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/session.h"
#include "platform/ui/form.h"
#include "tests/support/scoped_format_settings.h"
#include "tests/support/scripted_presenter.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/test_application.h"
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class LookupTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }

    void SetUp() override
    {
        static int serial = 0;
        const QString alias = QStringLiteral("LookupTestAlias%1").arg(++serial);
        Session().AddStandardAlias(alias, dir_.Path());
        database_ = std::make_unique<TDatabase>();
        database_->SetAliasName(alias);
        database_->SetDatabaseName(QStringLiteral("LookupTest%1").arg(serial));
        database_->SetLoginPrompt(false);
        database_->Open();
        CreateTables();

        items = OpenTable(QStringLiteral("TblBankItems"), QStringLiteral("BankItm.DB"));
        telItems = OpenTable(QStringLiteral("TblTelItems"), QStringLiteral("PTelItm.DB"));
        trans = OpenTable(QStringLiteral("TblTranBank"), QStringLiteral("TrnBank.DB"));
        itemsSource = std::make_unique<TwwDataSource>();
        itemsSource->SetDataSet(items.get());
        transSource = std::make_unique<TwwDataSource>();
        transSource->SetDataSet(trans.get());

        form = std::make_unique<TForm>();
        form->resize(320, 240);
        combo = new TwwDBLookupCombo(form.get());
        combo->setObjectName(QStringLiteral("LupBankItems"));
        combo->setGeometry(10, 10, 200, 25);
    }

    void TearDown() override
    {
        form.reset();
        transSource.reset();
        itemsSource.reset();
        trans.reset();
        telItems.reset();
        items.reset();
        database_.reset();
    }

    // The combo as the windows set it: a list-style combo that drops down
    // while typing, showing the description and writing the code.
    void BindCombo()
    {
        combo->SetStyle(csDropDownList);
        combo->SetAutoDropDown(true);
        combo->SetShowButton(true);
        BindLookup(items.get(), QStringLiteral("BankItemCode"), QStringLiteral("BankItemDesc\t30\tItem Desc"));
        combo->SetDataSource(transSource.get());
        combo->SetDataField(QStringLiteral("BankItemCode"));
    }

    // The lookup table, its code field and the one column shown (none: empty).
    void BindLookup(TwwTable* table, const QString& lookupField, const QString& selectedLine)
    {
        combo->SetLookupTable(table);
        combo->SetLookupField(lookupField);
        TStringList selected;
        if (!selectedLine.isEmpty()) selected.Add(selectedLine);
        combo->SetSelected(&selected);
    }

    void ShowForm()
    {
        form->show();
        QApplication::setActiveWindow(form.get());
        combo->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }

    QString StoredItemCode(const QString& tranCode)
    {
        auto rows = database_->EngineDatabase().Query(
            QStringLiteral("select BankItemCode from TrnBank where TranCode = '%1'").arg(tranCode));
        return rows->Next() ? rows->Value(0).toString() : QString();
    }

    std::unique_ptr<TwwTable> items, telItems, trans;
    std::unique_ptr<TwwDataSource> itemsSource, transSource;
    std::unique_ptr<TForm> form;
    TwwDBLookupCombo* combo = nullptr;   // owned by the form
    ScriptedPresenter presenter;
    ScopedFormatSettings formats;

private:
    std::unique_ptr<TwwTable> OpenTable(const QString& name, const QString& tableName)
    {
        auto table = std::make_unique<TwwTable>();
        table->SetName(name);
        table->SetDatabaseName(database_->DatabaseName());
        table->SetTableName(tableName);
        table->Open();
        return table;
    }

    void CreateTables()
    {
        using enum TFieldType;
        TEngineDatabase& engine = database_->EngineDatabase();
        TTableDesc items;
        items.Name = QStringLiteral("BankItm");
        items.Columns = {{QStringLiteral("BankItemDesc"), ftString, 50}, {QStringLiteral("BankItemCode"), ftString, 3}};
        items.Indexes = {{QString(), {QStringLiteral("BankItemCode")}, true, true},
                         {QStringLiteral("ByDesc"), {QStringLiteral("BankItemDesc")}, false, false, true}};
        engine.CreateTable(items);
        const char* const rows[][2] = {{"Bank charges", "001"}, {"Rates", "002"}, {"Rent", "003"},
                                       {"Salary", "004"},       {"Groceries", "005"}, {"Insurance", "006"}};
        for (const auto& row : rows)
            engine.InsertRow(items.Name, {QString::fromLatin1(row[0]), QString::fromLatin1(row[1])});

        TTableDesc telItems;
        telItems.Name = QStringLiteral("PTelItm");
        telItems.Columns = {{QStringLiteral("TelItemDesc"), ftString, 30}, {QStringLiteral("TelItemCode"), ftString, 3}};
        telItems.Indexes = {{QString(), {QStringLiteral("TelItemCode")}, true, true}};
        engine.CreateTable(telItems);
        const char* const telRows[][2] = {{"Line rental", "001"}, {"Mobile", "002"}, {"Internet", "003"}};
        for (const auto& row : telRows)
            engine.InsertRow(telItems.Name, {QString::fromLatin1(row[0]), QString::fromLatin1(row[1])});

        TTableDesc trans;
        trans.Name = QStringLiteral("TrnBank");
        trans.Columns = {{QStringLiteral("TranCode"), ftString, 10},
                         {QStringLiteral("BankItemCode"), ftString, 3},
                         {QStringLiteral("DebitAmount"), ftFloat}};
        trans.Indexes = {{QString(), {QStringLiteral("TranCode")}, true, true}};
        engine.CreateTable(trans);
        engine.InsertRow(trans.Name, {QStringLiteral("0000000001"), QStringLiteral("001"), 12.5});
        engine.InsertRow(trans.Name, {QStringLiteral("0000000002"), QStringLiteral("004"), 900.0});
    }

    TestDir dir_;
    std::unique_ptr<TDatabase> database_;
};
