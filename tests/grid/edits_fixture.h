#pragma once
// A form on a real table for the library's edits, dialogs and in-cell
// controls: a temporary database with a notes table of eight rows (Code
// "0001".., Descr "Note n", Opened date, AtTime time, Notes memo, Done "Y" on
// odd rows and "N" on even ones), a TwwTable and data source on it, a form
// shown offscreen, a fixed clock and the scripted presenter.
#include "dataset/ww_data_source.h"
#include "dataset/ww_table.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/session.h"
#include "platform/rtl/datetime.h"
#include "platform/ui/form.h"
#include "tests/support/scoped_format_settings.h"
#include "tests/support/scripted_presenter.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/test_application.h"
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class EditsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }

    // Monday 7 December 2026, 21:05:33.
    static TDateTime FixedNow() { return EncodeDate(2026, 12, 7) + EncodeTime(21, 5, 33, 0); }

    void SetUp() override
    {
        SetClock(&FixedNow);
        static int serial = 0;
        const QString alias = QStringLiteral("EditsTestAlias%1").arg(++serial);
        Session().AddStandardAlias(alias, dir_.Path());
        database_ = std::make_unique<TDatabase>();
        database_->SetAliasName(alias);
        database_->SetDatabaseName(QStringLiteral("EditsTest%1").arg(serial));
        database_->SetLoginPrompt(false);
        database_->Open();
        CreateNotes();
        table = std::make_unique<TwwTable>();
        table->SetName(QStringLiteral("TblNotes"));
        table->SetDatabaseName(database_->DatabaseName());
        table->SetTableName(QStringLiteral("Notes"));
        source = std::make_unique<TwwDataSource>();
        source->SetDataSet(table.get());
        form = std::make_unique<TForm>();
        form->resize(360, 120);
    }

    void TearDown() override
    {
        form.reset();
        source.reset();
        table.reset();
        others_.clear();
        database_.reset();
        SetClock({});
    }

    void ShowForm()
    {
        form->show();
        QApplication::setActiveWindow(form.get());
        QApplication::processEvents();
    }

    void Focus(QWidget* widget)
    {
        widget->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    void Type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    TField& Field(const char* name) { return *table->FieldByName(QString::fromLatin1(name)); }

    // The stored value of a column of the row with Code.
    QVariant Stored(const QString& code, const char* column)
    {
        auto rows = database_->EngineDatabase().Query(
            QStringLiteral("select %1 from Notes where Code = ?").arg(QString::fromLatin1(column)), {code});
        return rows->Next() ? rows->Value(0) : QVariant();
    }

    TEngineDatabase& Engine() { return database_->EngineDatabase(); }
    // A TwwTable on another table of the test database, owned by the fixture.
    TwwTable& OpenTable(const QString& tableName)
    {
        auto other = std::make_unique<TwwTable>();
        other->SetDatabaseName(database_->DatabaseName());
        other->SetTableName(tableName);
        other->Open();
        others_.push_back(std::move(other));
        return *others_.back();
    }

    ScopedFormatSettings formats;
    ScriptedPresenter presenter;
    std::unique_ptr<TwwTable> table;
    std::unique_ptr<TwwDataSource> source;
    std::unique_ptr<TForm> form;

private:
    void CreateNotes()
    {
        using enum TFieldType;
        TTableDesc desc;
        desc.Name = QStringLiteral("Notes");
        desc.Columns = {{QStringLiteral("Code"), ftString, 4},     {QStringLiteral("Descr"), ftString, 30},
                        {QStringLiteral("Opened"), ftDate},         {QStringLiteral("AtTime"), ftTime},
                        {QStringLiteral("Notes"), ftMemo, 40},      {QStringLiteral("Done"), ftString, 1}};
        desc.Indexes = {{QString(), {QStringLiteral("Code")}, true, true}};
        database_->EngineDatabase().CreateTable(desc);
        for (int i = 1; i <= 8; ++i)
            database_->EngineDatabase().InsertRow(
                QStringLiteral("Notes"), {QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0')),
                                          QStringLiteral("Note %1").arg(i), QDate(1999, 12, 31), QVariant(),
                                          QStringLiteral("First line %1\nSecond line").arg(i),
                                          i % 2 ? QStringLiteral("Y") : QStringLiteral("N")});
    }

    TestDir dir_;
    std::unique_ptr<TDatabase> database_;
    std::vector<std::unique_ptr<TwwTable>> others_;
};
