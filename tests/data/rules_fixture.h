#pragma once
// The accounts fixture with what the rule tests share: rows written straight
// into the database past every rule, and counts read straight from it.
#include "tests/data/accounts_fixture.h"
#include "tests/support/qt_print.h"
#include "dataset/ww_query.h"
#include "dataset/ww_table.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include <QDate>
#include <initializer_list>
#include <utility>

inline void PrintTo(const QStringList& texts, std::ostream* os) {
    *os << '{';
    for (const QString& text : texts)
        *os << " \"" << QString(text).replace('\r', "\\r").toStdString() << '"';
    *os << " }";
}

class RulesTest : public AccountsTest {
protected:
    using TValues = std::initializer_list<std::pair<const char*, QVariant>>;

    TEngineDatabase& Db() { return adm1->DataQuelt->EngineDatabase(); }

    void Put(const QString& table, TValues values) {
        const TTableDesc desc = Db().DescribeTable(table);
        TRecordValues row(desc.Columns.size());
        for (const auto& [name, value] : values)
            row[desc.ColumnIndex(QString::fromLatin1(name))] = value;
        Db().InsertRow(table, row);
    }

    QVariant Read(const QString& sql, const std::vector<QVariant>& params = {}) {
        auto rows = Db().Query(sql, params);
        return rows->Next() ? rows->Value(0) : QVariant();
    }
    qint64 Count(const QString& table) { return Read("select count(*) from " + table).toLongLong(); }
    bool DataUpdated() { return Read("select DataUpdated from PConfig1").toBool(); }
    void ClearDataUpdated() { adm1->SetDataUpdated(false); }

    // The texts of the boxes shown so far, and forgets them.
    QStringList Shown() {
        QStringList texts;
        for (const TMessageRequest& box : presenter.shown)
            texts << box.Text;
        presenter.shown.clear();
        return texts;
    }

    static QDate Day(int year, int month, int day) { return QDate(year, month, day); }
    static TDateTime At(int year, int month, int day) { return EncodeDate(year, month, day); }
    static QString Str(TwwTable* table, const char* field) {
        return table->FieldByName(QString::fromLatin1(field))->AsString();
    }
    static void Set(TwwTable* table, const char* field, const QVariant& value) {
        table->FieldByName(QString::fromLatin1(field))->SetValue(value);
    }
};
