#pragma once
// A ledger table with a column of every type a filter compares, and rows that
// tell the operators apart (blanks among them).
#include "tests/dataset/dataset_fixture.h"
#include <QStringList>

class FilterTest : public DatasetTest {
protected:
    void SetUp() override
    {
        DatasetTest::SetUp();
        using enum TFieldType;
        TTableDesc ledger;
        ledger.Name = QStringLiteral("Ledger");
        ledger.Columns = {{QStringLiteral("Code"), ftString, 10},     {QStringLiteral("Name"), ftString, 40},
                          {QStringLiteral("Qty"), ftSmallint},        {QStringLiteral("Count"), ftInteger},
                          {QStringLiteral("Amount"), ftFloat},        {QStringLiteral("Fee"), ftCurrency},
                          {QStringLiteral("Rate"), ftBCD},            {QStringLiteral("Paid"), ftBoolean},
                          {QStringLiteral("Day"), ftDate},            {QStringLiteral("At"), ftTime},
                          {QStringLiteral("Stamp"), ftDateTime},      {QStringLiteral("Notes"), ftMemo}};
        ledger.Indexes = {{QString(), {QStringLiteral("Code")}, true, true}};
        Engine().CreateTable(ledger);
        const QVariant blank;
        auto stamp = [](int day, int hour, int minute) { return QDateTime(QDate(2024, 3, day), QTime(hour, minute)); };
        const std::vector<TRecordValues> rows = {
            {"A", "Alpha Co", 5, 100, 10.5, 2.25, 1.125, true, QDate(2024, 3, 15), QTime(9, 0), stamp(15, 8, 30), "n"},
            {"B", "Beta", -3, 7, 0.5, 3.0, 2.5, false, QDate(2023, 12, 31), QTime(12, 0), stamp(15, 9, 0), blank},
            {"C", "alpha lower", 0, 250, 99.0, 1.0, 1.125, true, QDate(2024, 1, 1), QTime(18, 30), stamp(16, 0, 0), blank},
            {"D", blank, blank, blank, blank, blank, blank, blank, blank, blank, blank, blank},
            {"E", "x'; DROP TABLE Ledger; --", 12, 7, 20.0, 0.0, 0.0, false, QDate(2024, 3, 15), QTime(0, 0),
             stamp(15, 0, 0), blank},
            {"F", "Say \"hi\" and OR", 5, 1000, 1e6, 2.25, 3.75, true, QDate(2025, 6, 1), QTime(23, 59), stamp(20, 23, 59),
             blank},
        };
        for (const TRecordValues& row : rows) Engine().InsertRow(QStringLiteral("Ledger"), row);
    }

    TwwTable& Ledger() { return NewTable(QStringLiteral("Ledger"), QStringLiteral("TblLedger")); }

    // A table of n rows with the numbers 1..n.
    TwwTable& Numbers(int n)
    {
        TTableDesc desc;
        desc.Name = QStringLiteral("Numbers");
        desc.Columns = {{QStringLiteral("N"), TFieldType::ftInteger}};
        desc.Indexes = {{QString(), {QStringLiteral("N")}, true, true}};
        Engine().CreateTable(desc);
        RunInTransaction(Engine(), [&] {
            for (int i = 1; i <= n; ++i) Engine().InsertRow(QStringLiteral("Numbers"), {i});
        });
        return NewTable(QStringLiteral("Numbers"), QStringLiteral("TblNumbers"));
    }

    static TStringList Lines(const QStringList& lines)
    {
        TStringList list;
        for (const QString& line : lines) list.Add(line);
        return list;
    }

    static void SetFilter(TwwTable& table, const QStringList& lines)
    {
        TStringList list = Lines(lines);
        table.SetwwFilter(&list);
    }

    // The codes of the rows a walk from the first record sees, joined.
    static QString Codes(TwwTable& table)
    {
        QString codes;
        for (table.First(); !table.Eof(); table.Next()) codes += table.FieldByName(QStringLiteral("Code"))->AsString();
        return codes;
    }
};
