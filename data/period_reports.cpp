#include "data/period_reports.h"
#include "data/report_tables.h"
#include "platform/rtl/presenter.h"
#include <algorithm>
#include <map>
#include <unordered_map>

namespace {

const QString OverviewTable = QStringLiteral("TempCom1");
const QString BankTable = QStringLiteral("TempBank1");

constexpr int TotalYear = 9999;

// The columns every month row shares.
struct TMonthRowColumns {
    explicit TMonthRowColumns(const TColumnMap& map)
        : Year(map[QStringLiteral("PeriodYear")]), Month(map[QStringLiteral("PeriodMonth")]),
          Key1(map[QStringLiteral("KeyField1")]),
          Desc1(map[QStringLiteral("KeyField1Desc")]), Total1(map[QStringLiteral("Total1")]) {}

    void SetMonth(TRecordValues& record, int year, int month) const {
        record[Year] = year;
        record[Month] = month;
        record[Key1] = PeriodSortKey(year, month);
        record[Desc1] = PeriodCaption(year, month);
    }
    // The grand total row sorts after every month.
    void SetTotalPeriod(TRecordValues& record) const {
        record[Year] = TotalYear;
        record[Month] = TotalYear;
    }

    int Year, Month, Key1, Desc1, Total1;
};

// The overview's columns beyond those of every month row.
struct TOverviewColumns : TMonthRowColumns {
    explicit TOverviewColumns(const TColumnMap& map)
        : TMonthRowColumns(map), Income(map[QStringLiteral("Income")]), Balance(map[QStringLiteral("BankBalance")]),
          Expense(map[QStringLiteral("Expense")]), Communications(map[QStringLiteral("Communications")]),
          Total2(map[QStringLiteral("Total2")]), Total3(map[QStringLiteral("Total3")]) {}

    int Income, Balance, Expense, Communications, Total2, Total3;
};

using TOverviewRows = std::map<std::pair<int, int>, TRecordValues>;

int CountOverviewMonths(TEngineDatabase& db, const QString& where) {
    const auto rows = db.Query(SqlText({QStringLiteral("Select Distinct PeriodYear, PeriodMonth "),
                                        QStringLiteral("from TeeData1"), where,
                                        QStringLiteral("order by PeriodYear, PeriodMonth")}));
    int months = 0;
    while (rows->Next())
        ++months;
    return months;
}

void CreateOverviewTable(TEngineDatabase& db) {
    CreateReportTable(db, OverviewTable, TReportRows::ByMonth,
                      {QStringLiteral("Income"), QStringLiteral("BankBalance"), QStringLiteral("Expense"),
                       QStringLiteral("Communications"), QStringLiteral("Total1"), QStringLiteral("Total2"),
                       QStringLiteral("Total3"), QStringLiteral("Total4")});
    db.Execute(QStringLiteral("Create Index ByIncome On ") + OverviewTable + QStringLiteral("(income)"));
}

// Month rows in period order, each with the chart row's values and its money
// spent; a later row of the same month replaces an earlier one.
TOverviewRows ReadOverviewRows(TEngineDatabase& db, const QString& where, const TColumnMap& map,
                               const TOverviewColumns& columns) {
    TOverviewRows rows;
    const auto chart = db.Query(SqlText({QStringLiteral("Select PeriodYear, PeriodMonth, "),
                                         QStringLiteral("Income, BankBalance, Expense, Communications  "),
                                         QStringLiteral("from TeeData1"), where,
                                         QStringLiteral("order by PeriodYear, PeriodMonth")}));
    while (chart->Next()) {
        const int year = IntOf(chart->Value(0));
        const int month = IntOf(chart->Value(1));
        auto [it, added] = rows.try_emplace({year, month});
        TRecordValues& record = it->second;
        if (added) {
            record = map.EmptyRecord();
            columns.SetMonth(record, year, month);
        }
        record[columns.Income] = FloatOf(chart->Value(2));
        record[columns.Balance] = FloatOf(chart->Value(3));
        record[columns.Expense] = FloatOf(chart->Value(4));
        record[columns.Communications] = FloatOf(chart->Value(5));
        record[columns.Total1] = FloatOf(chart->Value(4)) + FloatOf(chart->Value(5));
    }
    return rows;
}

// The running balance and its change from the month before.
void AddRunningBalance(TOverviewRows& rows, const TOverviewColumns& columns) {
    double running = 0.0;
    double previous = 0.0;
    for (auto& [period, record] : rows) {
        running += record[columns.Balance].toDouble();
        record[columns.Total2] = running;
        record[columns.Total3] = running - previous;
        previous = running;
    }
}

// The total row's running balance is its own bank sum, which equals the last
// month's running balance; it has no change of its own.
void InsertOverviewTotal(TEngineDatabase& db, const TColumnMap& map, const TOverviewColumns& columns) {
    InsertGrandTotal(db, OverviewTable, map,
                     {QStringLiteral("Income"), QStringLiteral("BankBalance"), QStringLiteral("Expense"),
                      QStringLiteral("Communications"), QStringLiteral("Total1")},
                     [&](TRecordValues& total) {
                         columns.SetTotalPeriod(total);
                         total[columns.Total2] = total[columns.Balance];
                         total[columns.Total3] = 0.0;
                     });
}

// The bank summary's movements: each account's sum of its items' amounts per
// month, accounts in the order of their codes.
struct TBankMonths {
    TTextIds Codes;
    std::vector<int> CodesInOrder;   // the accounts' codes, one per column
    std::map<std::pair<int, int>, std::vector<double>> Movements;   // per month, one per column
};

// The texts' places among them in the order their bytes compare, as the
// summary's key compares them.
std::vector<int> RanksOf(const TTextIds& texts) {
    std::vector<QByteArray> bytes;
    for (int i = 0; i < texts.Count(); ++i)
        bytes.push_back(texts.Text(i).toUtf8());
    return Ranks(bytes);
}

// One read of the summary as stored. A month's movement of an account adds
// its items' amounts in the order of the items' codes, the order the
// summary's key keeps them in, as SQLite's sum over the key did; a summary
// read in that order would cost a seek per row.
TBankMonths ReadBankMonths(TEngineDatabase& db) {
    struct TRow {
        int Code, Item, Month;
        double Amount;
    };
    TBankMonths months;
    TTextIds items;
    std::vector<std::pair<int, int>> monthsMet;
    std::vector<TRow> rows;
    {
        std::unordered_map<qint64, int> monthIds;
        const auto summary = db.Query(
            QStringLiteral("Select BankAccountcode, BankItemCode, PeriodYear, PeriodMonth, TotalAmount from MthBnk1a"));
        while (summary->Next()) {
            const std::pair<int, int> month = {int(summary->Integer(2)), int(summary->Integer(3))};
            const auto [found, added] =
                monthIds.try_emplace((qint64(month.first) << 32) | quint32(month.second), int(monthsMet.size()));
            if (added)
                monthsMet.push_back(month);
            rows.push_back({months.Codes.IdOf(summary->Utf8(0)), items.IdOf(summary->Utf8(1)), found->second,
                            summary->Float(4)});
        }
    }
    const std::vector<int> codeRank = RanksOf(months.Codes);
    months.CodesInOrder.resize(codeRank.size());
    for (size_t code = 0; code < codeRank.size(); ++code)
        months.CodesInOrder[size_t(codeRank[code])] = int(code);
    const std::vector<int> itemRank = RanksOf(items);
    const std::vector<int> monthRank = Ranks(monthsMet);
    std::vector<std::vector<double>*> movementsOf(monthsMet.size());
    for (size_t month = 0; month < monthsMet.size(); ++month)
        movementsOf[month] = &months.Movements.try_emplace(monthsMet[month], codeRank.size(), 0.0).first->second;

    // The rows by account, month and item, rows of the same key in the order
    // they were read: a count of each key's rows places them.
    const size_t itemCount = itemRank.size();
    std::vector<size_t> keys(rows.size());
    std::vector<size_t> start(codeRank.size() * monthsMet.size() * itemCount + 1, 0);
    for (size_t i = 0; i < rows.size(); ++i) {
        const TRow& row = rows[i];
        keys[i] = (size_t(codeRank[size_t(row.Code)]) * monthsMet.size() + size_t(monthRank[size_t(row.Month)])) * itemCount +
                  size_t(itemRank[size_t(row.Item)]);
        ++start[keys[i] + 1];
    }
    for (size_t key = 1; key < start.size(); ++key)
        start[key] += start[key - 1];
    std::vector<const TRow*> inKeyOrder(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        inKeyOrder[start[keys[i]]++] = &rows[i];
    for (const TRow* row : inKeyOrder)
        (*movementsOf[size_t(row->Month)])[size_t(codeRank[size_t(row->Code)])] += row->Amount;
    return months;
}

}  // namespace

int FillPeriodOverview(TEngineDatabase& db, const QString& where, TProgress& progress) {
    int step = 0;
    progress.SetPosition(++step);
    const int months = CountOverviewMonths(db, where);
    progress.SetPosition(++step);
    DropReportTable(db, OverviewTable);
    progress.SetPosition(++step);
    CreateOverviewTable(db);
    progress.SetPosition(++step);

    const TColumnMap map(db, OverviewTable);
    const TOverviewColumns columns(map);
    TOverviewRows rows = ReadOverviewRows(db, where, map, columns);
    progress.SetPosition(++step);
    AddRunningBalance(rows, columns);
    for (const auto& [period, record] : rows)
        db.InsertRow(OverviewTable, record);
    progress.SetPosition(++step);
    progress.SetPosition(++step);
    InsertOverviewTotal(db, map, columns);
    progress.SetPosition(++step);
    progress.SetPosition(++step);
    progress.SetPosition(++step);
    return months;
}

QStringList FillBankPeriodReport(TEngineDatabase& db, TProgress& progress) {
    int step = 0;
    progress.SetPosition(++step);
    TBankMonths months = ReadBankMonths(db);
    QStringList codes;
    for (const int code : months.CodesInOrder)
        codes << months.Codes.Text(code);
    progress.SetPosition(++step);

    DropReportTable(db, BankTable);
    progress.SetPosition(++step);
    QStringList accounts;
    for (int i = 0; i < codes.size(); ++i)
        accounts << QStringLiteral("col%1").arg(i);
    CreateReportTable(db, BankTable, TReportRows::ByMonth, accounts + QStringList{QStringLiteral("Total1")});
    progress.SetPosition(++step);

    const TColumnMap map(db, BankTable);
    const TMonthRowColumns columns(map);
    std::vector<int> accountColumns;
    for (const QString& account : accounts)
        accountColumns.push_back(map[account]);
    progress.SetPosition(++step);

    // Each account's movements carried forward month by month.
    std::vector<double> running(codes.size(), 0.0);
    for (auto& [period, amounts] : months.Movements)
        for (size_t c = 0; c < amounts.size(); ++c) {
            running[c] += amounts[c];
            amounts[c] = running[c];
        }
    progress.SetPosition(++step);

    for (const auto& [period, balances] : months.Movements) {
        TRecordValues record = map.EmptyRecord();
        columns.SetMonth(record, period.first, period.second);
        double total = 0.0;
        for (size_t c = 0; c < balances.size(); ++c) {
            record[accountColumns[c]] = balances[c];
            total += balances[c];
        }
        record[columns.Total1] = total;
        db.InsertRow(BankTable, record);
    }
    progress.SetPosition(++step);
    return codes;
}

QStringList BankAccountNames(TEngineDatabase& db, const QStringList& codes) {
    QStringList names;
    const auto cursor = db.OpenCursor(CursorOn(QStringLiteral("BankAcnt")));
    const int nameColumn = cursor->Desc().ColumnIndex(QStringLiteral("AccountName"));
    for (const QString& code : codes)
        names << (cursor->Seek({code}, false) ? TextOf(cursor->Record()[nameColumn]) : code);
    return names;
}
