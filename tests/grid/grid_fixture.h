#pragma once
// A grid on a real table for each test: a temporary database with a small
// transactions table (Code, Descr, Amount, Posted) opened through a TwwTable,
// a TwwDBGrid on a form shown offscreen, and the scripted presenter for the
// boxes and errors.
#include "dataset/ww_data_source.h"
#include "dataset/ww_table.h"
#include "grid/ww_db_grid.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/session.h"
#include "platform/ui/form.h"
#include "tests/support/scoped_format_settings.h"
#include "tests/support/scripted_presenter.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/test_application.h"
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class GridTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }

    void SetUp() override
    {
        static int serial = 0;
        const QString alias = QStringLiteral("GridTestAlias%1").arg(++serial);
        Session().AddStandardAlias(alias, dir_.Path());
        database_ = std::make_unique<TDatabase>();
        database_->SetAliasName(alias);
        database_->SetDatabaseName(QStringLiteral("GridTest%1").arg(serial));
        database_->SetLoginPrompt(false);
        database_->Open();
        CreateTransactions();

        table = std::make_unique<TwwTable>();
        table->SetName(QStringLiteral("TblTrans"));
        table->SetDatabaseName(database_->DatabaseName());
        table->SetTableName(QStringLiteral("Trans"));
        source = std::make_unique<TwwDataSource>();
        source->SetDataSet(table.get());
        form = std::make_unique<TForm>();
        form->resize(420, 260);
        grid = new TwwDBGrid(form.get());
        grid->setGeometry(0, 0, 420, 260);
    }

    void TearDown() override
    {
        form.reset();
        source.reset();
        table.reset();
        database_.reset();
    }

    // Rows: Code "0001".. , Descr "Item n", Amount n * 10.5, Posted "T" on even rows, no Picture.
    void CreateTransactions(int rows = 30)
    {
        using enum TFieldType;
        TTableDesc desc;
        desc.Name = QStringLiteral("Trans");
        desc.Columns = {{QStringLiteral("Code"), ftString, 4},
                        {QStringLiteral("Descr"), ftString, 30},
                        {QStringLiteral("Amount"), ftFloat},
                        {QStringLiteral("Posted"), ftString, 1},
                        {QStringLiteral("Picture"), ftBlob}};
        desc.Indexes = {{QString(), {QStringLiteral("Code")}, true, true}};
        database_->EngineDatabase().CreateTable(desc);
        for (int i = 1; i <= rows; ++i)
            database_->EngineDatabase().InsertRow(
                QStringLiteral("Trans"), {QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0')),
                                          QStringLiteral("Item %1").arg(i), i * 10.5,
                                          i % 2 == 0 ? QStringLiteral("T") : QStringLiteral("F"), QVariant()});
    }

    int CountRows()
    {
        auto rows = database_->EngineDatabase().Query(QStringLiteral("select count(*) from Trans"));
        rows->Next();
        return rows->Value(0).toInt();
    }

    // Opens the table and shows the grid on it with the given column list.
    void ShowGrid(const QStringList& selected)
    {
        for (const QString& line : selected) grid->Selected().Add(line);
        grid->SetUseTFields(false);
        table->Open();
        grid->SetDataSource(source.get());
        form->show();
        QApplication::setActiveWindow(form.get());
        grid->setFocus();
        QApplication::processEvents();
    }

    QImage Grab() { return grid->viewport()->grab().toImage(); }
    // The centre of a cell in viewport coordinates.
    QPoint CellCentre(int col, int row) { return grid->CellRect(col, row).center(); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    void Type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    QString Field(const char* name) { return table->FieldByName(QString::fromLatin1(name))->AsString(); }

    ScopedFormatSettings formats;
    ScriptedPresenter presenter;
    std::unique_ptr<TwwTable> table;
    std::unique_ptr<TwwDataSource> source;
    std::unique_ptr<TForm> form;
    TwwDBGrid* grid = nullptr;   // owned by the form

private:
    TestDir dir_;
    std::unique_ptr<TDatabase> database_;
};
