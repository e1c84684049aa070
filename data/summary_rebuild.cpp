#include "data/summary_rebuild.h"
#include "data/report_tables.h"
#include "platform/rtl/datetime.h"
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace {

// What differs between the four transaction-based summaries.
struct TSummaryLayout {
    const char* DeleteName;      // as the delete statement names the table
    const char* Table;
    const char* Index;           // over the codes, PeriodYear, PeriodMonth
    const char* SourceTable;
    std::vector<const char*> Codes;                                   // in both tables
    std::vector<std::pair<const char*, const char*>> Amounts;         // summary <- transaction
    bool CreditMinusDebit;       // TotalAmount := CreditAmount - DebitAmount
};

const TSummaryLayout& Layout(TSummaryKind kind) {
    static const TSummaryLayout layouts[] = {
        {"MTHBNK1A", "MthBnk1a", "ByBankCodePeriod", "TrnBnk1a", {"BankAccountCode", "BankItemCode"},
         {{"DebitAmount", "DebitAmount"}, {"CreditAmount", "CreditAmount"}}, true},
        {"MTHTEL1A", "MthTel1a", "ByTelItemPeriod", "TrnTel1a", {"TelcomCode", "TelItemCode"},
         {{"TotalAmount", "Amount"}}, false},
        {"MTHINC1A", "MthInc1a", "ByIncomeCodePeriod", "TrnInc1a", {"IncomeCode"},
         {{"TotalAmount", "IncomeAmount"}}, false},
        {"MTHExp1A", "MthExp1a", "ByExpenseCodePeriod", "TrnExp1a", {"ExpenseCode"},
         {{"TotalAmount", "ExpenseAmount"}}, false},
    };
    return layouts[static_cast<int>(kind)];
}

// A summary row's key: its codes, year and month.
struct TMonthKey {
    QStringList Codes;
    int Year = 0;
    int Month = 0;

    bool operator==(const TMonthKey&) const = default;
    // The key as the index compares it: an empty code is a null field.
    std::vector<QVariant> IndexValues() const {
        std::vector<QVariant> values;
        for (const QString& code : Codes)
            values.push_back(code.isEmpty() ? QVariant() : QVariant(code));
        values.emplace_back(Year);
        values.emplace_back(Month);
        return values;
    }
};

struct TMonthKeyHash {
    size_t operator()(const TMonthKey& key) const {
        size_t h = qHash(key.Year * 16 + key.Month);
        for (const QString& code : key.Codes)
            h = h * 31 + qHash(code);
        return h;
    }
};

// Sums per key in the order the keys first appear.
template <typename TSums>
class TMonthTotals {
public:
    TSums& operator[](const TMonthKey& key) {
        const auto [it, added] = index_.try_emplace(key, rows_.size());
        if (added)
            rows_.push_back({key, TSums{}});
        return rows_[it->second].second;
    }
    const std::vector<std::pair<TMonthKey, TSums>>& Rows() const { return rows_; }
    bool Contains(const TMonthKey& key) const { return index_.contains(key); }

private:
    std::unordered_map<TMonthKey, size_t, TMonthKeyHash> index_;
    std::vector<std::pair<TMonthKey, TSums>> rows_;
};

struct TAmounts {
    double Value[2] = {0.0, 0.0};
};

// The codes a scan meets, each numbered in the order it first appears. The
// reader hands out one shared string for a code it meets again, so a code is
// first looked for by its string's data: a slot that holds the same data
// holds the same text, as the slot keeps that data alive.
class TCodeNumbers {
public:
    int Number(int column, const QString& code) {
        TSlot& slot = slots_[column][(quintptr(code.constData()) >> 4) % kSlots];
        if (slot.Code.constData() == code.constData() && slot.Code.size() == code.size() && !code.isNull())
            return slot.Number;
        QHash<QString, int>& numbers = numbers_[column];
        auto it = numbers.constFind(code);
        if (it == numbers.constEnd())
            it = numbers.insert(code, int(numbers.size()));
        slot = {code, it.value()};
        return it.value();
    }

private:
    static constexpr size_t kSlots = 256;
    struct TSlot {
        QString Code;
        int Number = 0;
    };
    QHash<QString, int> numbers_[2];
    std::array<TSlot, kSlots> slots_[2];
};

// A month key by the numbers of its codes.
struct TNumberedKey {
    int Codes[2] = {0, 0};
    int Year = 0;
    int Month = 0;
};

// Where the totals of each key stand, found by the numbers of its codes and
// its month without hashing: the codes are numbered from 0 up, and each pair
// of codes keeps its months side by side, so that the places of a whole
// summary stay close together in memory however many keys it has.
class TKeyPlaces {
public:
    static constexpr size_t None = size_t(-1);

    size_t& At(const TNumberedKey& key) {
        std::vector<TMonths>& pairs = Grown(codes_, key.Codes[0]);
        TMonths& months = Grown(pairs, key.Codes[1]);
        const int month = key.Year * 12 + key.Month - 1;
        if (months.Places.empty())
            months.First = month;
        if (month < months.First) {
            months.Places.insert(months.Places.begin(), size_t(months.First - month), None);
            months.First = month;
        }
        return Grown(months.Places, month - months.First, None);
    }

private:
    struct TMonths {
        int First = 0;               // the month number of Places[0]
        std::vector<size_t> Places;
    };
    template <typename T>
    static T& Grown(std::vector<T>& items, int index, const T& fill = T()) {
        if (size_t(index) >= items.size())
            items.resize(size_t(index) + 1, fill);
        return items[size_t(index)];
    }
    std::vector<std::vector<TMonths>> codes_;
};

// The accounting month of a transaction date; a missing date counts as the
// platform's day 0, 30 December 1899.
void MonthOfDate(const QVariant& value, int& year, int& month) {
    const QDate date = value.toDate();
    if (date.isValid()) {
        year = date.year();
        month = date.month();
    } else {
        int day;
        DecodeDate(0, year, month, day);
    }
}

QString Joined(const std::vector<const char*>& names) {
    QStringList list;
    for (const char* name : names)
        list << QString::fromLatin1(name);
    return list.join(QStringLiteral(", "));
}

QString KeyText(const TMonthKey& key) {
    return key.Codes.join(QChar(0x1f)) + QChar(0x1f) + QString::number(key.Year) + QChar(0x1f) +
           QString::number(key.Month);
}

TMonthKey KeyFromRow(const TResultSet& rows, int codeCount, int year, int month) {
    TMonthKey key;
    for (int i = 0; i < codeCount; ++i)
        key.Codes << TextOf(rows.Value(i));
    key.Year = year;
    key.Month = month;
    return key;
}

// A key read as codes, year and month.
TMonthKey KeyFromRow(const TResultSet& rows, int codeCount) {
    return KeyFromRow(rows, codeCount, IntOf(rows.Value(codeCount)), IntOf(rows.Value(codeCount + 1)));
}

// The keys of the rows a select of codes, year and month reads.
QSet<QString> KeyTexts(TEngineDatabase& db, const QString& selectText, int codeCount,
                       const std::vector<QVariant>& params = {}) {
    QSet<QString> keys;
    const auto rows = db.Query(selectText, params);
    while (rows->Next())
        keys.insert(KeyText(KeyFromRow(*rows, codeCount)));
    return keys;
}

// The largest month sum a summary row takes: far above any sum of the amounts
// the fields accept, and far enough below a double's overflow that the chart's
// month totals and running balance over every summary row stay finite.
constexpr double MaxSummaryMagnitude = 1e300;

// A month whose amounts add up beyond that (amounts stored before the fields
// refused them) stops the rebuild before anything is written, naming the codes
// and month; the run's transaction then leaves every summary as it was.
void CheckMonthSums(const TSummaryLayout& layout, const TMonthKey& key, const TAmounts& sums) {
    const auto check = [&](double sum, const char* field) {
        if (std::fabs(sum) <= MaxSummaryMagnitude)
            return;
        QStringList codes;
        for (size_t i = 0; i < layout.Codes.size(); ++i)
            codes << QString::fromLatin1(layout.Codes[i]) + QLatin1Char(' ') + key.Codes[int(i)];
        throw EDatabaseError(
            QStringLiteral("The %1 of %2 for %3/%4 adds up beyond what table %5 holds; the summaries were left as they were")
                .arg(QString::fromLatin1(field), codes.join(QStringLiteral(", ")))
                .arg(key.Month, 2, 10, QLatin1Char('0'))
                .arg(key.Year)
                .arg(QString::fromLatin1(layout.DeleteName)));
    };
    for (size_t i = 0; i < layout.Amounts.size(); ++i)
        check(sums.Value[i], layout.Amounts[i].first);
    if (layout.CreditMinusDebit)
        check(sums.Value[1] - sums.Value[0], "TotalAmount");
}

// A stored row: its row id and values.
using TStoredRow = std::pair<qint64, TRecordValues>;
using TStoredRows = std::unordered_map<TMonthKey, TStoredRow, TMonthKeyHash>;

// Every row of a small table, by the key KeyOf reads from its values.
template <typename KeyOf>
TStoredRows ReadRowsByKey(TEngineDatabase& db, const QString& table, KeyOf&& keyOf) {
    TStoredRows rows;
    const auto cursor = db.OpenCursor(CursorOn(table));
    for (cursor->First(); !cursor->Eof(); cursor->Next())
        rows.emplace(keyOf(cursor->Record()), TStoredRow(cursor->RowId(), cursor->Record()));
    return rows;
}

// One row per key of totals, in their order: the stored row Find gives for the
// key is updated, any other key gets a new row. Fill sets the values of the
// row, told whether it is new.
template <typename TSums, typename Find, typename Fill>
void UpdateOrInsertRows(TEngineDatabase& db, const QString& table, const TColumnMap& columns,
                        const std::vector<std::pair<TMonthKey, TSums>>& totals, Find&& find, Fill&& fill) {
    for (const auto& [key, sums] : totals) {
        std::optional<TStoredRow> stored = find(key);
        TRecordValues record = stored ? std::move(stored->second) : columns.EmptyRecord();
        fill(record, key, sums, !stored);
        if (stored)
            db.UpdateRow(table, stored->first, record);
        else
            db.InsertRow(table, record);
    }
}

// The source clause as a test made on each row of the table read straight
// through. Given the clause itself, the engine walks a date index (account
// by account where the date is not its first field) and looks every row it
// finds up in the table: several times the work of reading the table when
// the clause selects much of it, and the rows come newest first. Read
// straight through, the transactions of a month are added in the order they
// were entered, as a rebuild without clause adds them, to the same sums.
QString ClauseTestedOnEachRow(const QString& where) {
    static const QRegularExpression leadingWhere(QStringLiteral("^\\s*where\\s"),
                                                 QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = leadingWhere.match(where);
    if (!match.hasMatch())
        return where;
    return QStringLiteral("where case when ") + where.mid(match.capturedEnd()) +
           QStringLiteral(" then 1 else 0 end = 1");
}

// The month of each transaction, worked out once per run of equal dates:
// transactions come mostly in date order.
class TMonthOfDates {
public:
    void Read(const QVariant& value, int& year, int& month) {
        const QDate date = value.toDate();
        if (!read_ || date != last_ || !last_.isValid()) {
            MonthOfDate(value, year_, month_);
            last_ = date;
            read_ = true;
        }
        year = year_;
        month = month_;
    }

private:
    QDate last_;
    bool read_ = false;
    int year_ = 0, month_ = 0;
};

// The source transactions added up per key, in the order the keys first
// appear. A row's key is found by the numbers of its codes and its month, so
// that its texts are looked up once each, not compared as a key.
using TSourceTotals = std::vector<std::pair<TMonthKey, TAmounts>>;

TSourceTotals SourceTotals(const TRebuildScope& scope, const TSummaryLayout& layout) {
    const int codeCount = static_cast<int>(layout.Codes.size());
    std::vector<const char*> sourceFields = layout.Codes;
    sourceFields.push_back("TransactionDate");
    for (const auto& amount : layout.Amounts)
        sourceFields.push_back(amount.second);
    const auto rows = scope.Db.Query(SqlText({QStringLiteral("Select ") + Joined(sourceFields) +
                                                  QStringLiteral(" from ") + QString::fromLatin1(layout.SourceTable),
                                              ClauseTestedOnEachRow(scope.Source)}));
    TSourceTotals totals;
    TCodeNumbers numbers;
    TMonthOfDates months;
    TKeyPlaces places;
    TNumberedKey numbered;
    while (rows->Next()) {
        for (int i = 0; i < codeCount; ++i)
            numbered.Codes[i] = numbers.Number(i, TextOf(rows->Value(i)));
        months.Read(rows->Value(codeCount), numbered.Year, numbered.Month);
        size_t& place = places.At(numbered);
        if (place == TKeyPlaces::None) {
            place = totals.size();
            totals.emplace_back(KeyFromRow(*rows, codeCount, numbered.Year, numbered.Month), TAmounts{});
        }
        TAmounts& sums = totals[place].second;
        for (int i = 0; i < int(layout.Amounts.size()); ++i)
            sums.Value[i] += FloatOf(rows->Value(codeCount + 1 + i));
    }
    return totals;
}

// The columns of a summary table that a rebuild writes.
struct TSummaryColumns {
    std::vector<int> Codes;
    std::vector<int> Amounts;
    int Year, Month, Total, Close;

    TSummaryColumns(const TColumnMap& columns, const TSummaryLayout& layout)
        : Year(columns[QStringLiteral("PeriodYear")]), Month(columns[QStringLiteral("PeriodMonth")]),
          Total(columns[QStringLiteral("TotalAmount")]), Close(columns[QStringLiteral("CloseDate")]) {
        for (const char* code : layout.Codes)
            Codes.push_back(columns[QString::fromLatin1(code)]);
        for (const auto& amount : layout.Amounts)
            Amounts.push_back(columns[QString::fromLatin1(amount.first)]);
    }
};

// One summary row per key: rows the target clause spared are found through
// the index and written over; every other key is a new row.
void WriteSummaryRows(const TRebuildScope& scope, const TSummaryLayout& layout, const TSourceTotals& totals) {
    const QString table = QString::fromLatin1(layout.Table);
    std::vector<const char*> keyFields = layout.Codes;
    keyFields.push_back("PeriodYear");
    keyFields.push_back("PeriodMonth");
    const int codeCount = static_cast<int>(layout.Codes.size());
    // Only a row of a year the totals hold can have one of their keys: the
    // rows of the other years are not read.
    const auto [first, last] = std::minmax_element(totals.begin(), totals.end(), [](const auto& a, const auto& b) {
        return a.first.Year < b.first.Year;
    });
    const QSet<QString> spared =
        KeyTexts(scope.Db,
                 QStringLiteral("Select ") + Joined(keyFields) + QStringLiteral(" from ") + table +
                     QStringLiteral(" where PeriodYear >= ? and PeriodYear <= ?"),
                 codeCount, {first->first.Year, last->first.Year});
    std::unique_ptr<TEngineCursor> finder;
    const auto find = [&](const TMonthKey& key) -> std::optional<TStoredRow> {
        if (spared.isEmpty() || !spared.contains(KeyText(key)))
            return std::nullopt;
        if (!finder)
            finder = scope.Db.OpenCursor(CursorOn(table, QString::fromLatin1(layout.Index)));
        if (!finder->Seek(key.IndexValues(), false))
            return std::nullopt;
        return TStoredRow(finder->RowId(), finder->Record());
    };

    const TColumnMap columnMap(scope.Db, table);
    const TSummaryColumns columns(columnMap, layout);
    const QVariant closeDate = scope.CloseDate.isValid() ? QVariant(scope.CloseDate) : QVariant();
    const auto fill = [&](TRecordValues& record, const TMonthKey& key, const TAmounts& sums, bool) {
        for (int i = 0; i < codeCount; ++i)
            record[columns.Codes[i]] = key.Codes[i].isEmpty() ? QVariant() : QVariant(key.Codes[i]);
        record[columns.Year] = key.Year;
        record[columns.Month] = key.Month;
        for (size_t i = 0; i < columns.Amounts.size(); ++i)
            record[columns.Amounts[i]] = sums.Value[i];
        if (layout.CreditMinusDebit)
            record[columns.Total] = sums.Value[1] - sums.Value[0];
        record[columns.Close] = closeDate;
    };
    UpdateOrInsertRows(scope.Db, table, columnMap, totals, find, fill);
}

}  // namespace

QStringList SummaryDeleteLines(TSummaryKind kind, const QString& target) {
    return {QStringLiteral("Delete from ") + QString::fromLatin1(Layout(kind).DeleteName), target};
}

QString SummaryTableName(TSummaryKind kind) { return QString::fromLatin1(Layout(kind).Table); }
QString SummaryIndexName(TSummaryKind kind) { return QString::fromLatin1(Layout(kind).Index); }

void DeleteSummaryRows(const TRebuildScope& scope, TSummaryKind kind) {
    // A delete with a clause takes the rows out one by one, each from the
    // table and its indexes; when the clause selects every row, the table is
    // emptied at once. The clause still decides: the rows are counted.
    const QString table = SummaryTableName(kind);
    const bool everyRow =
        scope.Target.isEmpty() || RowCount(scope.Db, table, scope.Target) == RowCount(scope.Db, table, QString());
    scope.Db.Execute(SqlText(SummaryDeleteLines(kind, everyRow ? QString() : scope.Target)));
}

void AddUpSummaryRows(const TRebuildScope& scope, TSummaryKind kind) {
    const TSummaryLayout& layout = Layout(kind);
    const TSourceTotals totals = SourceTotals(scope, layout);
    for (const auto& [key, sums] : totals)
        CheckMonthSums(layout, key, sums);
    if (!totals.empty())
        WriteSummaryRows(scope, layout, totals);
}

// ---- Bills

namespace {

const QString BillTable = QStringLiteral("MthTel2a");

TMonthKey BillKey(const QString& telcom, int year, int month) {
    return {{telcom}, year, month};
}

}  // namespace

TBillRebuild::TBillRebuild(const TRebuildScope& scope)
    : marked_(KeyTexts(scope.Db,
                       SqlText({QStringLiteral("Select TelcomCode, PeriodYear, PeriodMonth from ") + BillTable,
                                scope.Target}),
                       1)) {
    scope.Db.Execute(
        SqlText({QStringLiteral("Update MTHTEL2A"), QStringLiteral("Set OldFlag = True, TotalAmount = 0"), scope.Target}));
}

void TBillRebuild::Finish(const TRebuildScope& scope) const {
    // The month totals over all items of each communication account, added
    // in the summary's index order so that a bill is always the same sum.
    struct TTotal {
        double Value = 0.0;
    };
    TMonthTotals<TTotal> totals;
    {
        const auto rows = scope.Db.Query(SqlText(
            {QStringLiteral("Select TelcomCode, PeriodYear, PeriodMonth, TotalAmount from MTHTEL1A"), scope.Target,
             QStringLiteral("order by TelcomCode, TelItemCode, PeriodYear, PeriodMonth")}));
        while (rows->Next())
            totals[KeyFromRow(*rows, 1)].Value += FloatOf(rows->Value(3));
    }

    const TColumnMap columns(scope.Db, BillTable);
    const int telcomColumn = columns[QStringLiteral("TelcomCode")];
    const int yearColumn = columns[QStringLiteral("PeriodYear")];
    const int monthColumn = columns[QStringLiteral("PeriodMonth")];
    const int totalColumn = columns[QStringLiteral("TotalAmount")];
    const int closeColumn = columns[QStringLiteral("CloseDate")];
    const int oldColumn = columns[QStringLiteral("OldFlag")];
    const QVariant closeDate = scope.CloseDate.isValid() ? QVariant(scope.CloseDate) : QVariant();

    // Every bill, small enough to hold: one per account and month.
    const TStoredRows bills = ReadRowsByKey(scope.Db, BillTable, [&](const TRecordValues& record) {
        return BillKey(TextOf(record[telcomColumn]), IntOf(record[yearColumn]), IntOf(record[monthColumn]));
    });
    const auto find = [&](const TMonthKey& key) -> std::optional<TStoredRow> {
        const auto found = bills.find(key);
        return found == bills.end() ? std::nullopt : std::optional<TStoredRow>(found->second);
    };
    const auto fill = [&](TRecordValues& record, const TMonthKey& key, const TTotal& total, bool isNew) {
        if (isNew) {
            record[telcomColumn] = key.Codes[0].isEmpty() ? QVariant() : QVariant(key.Codes[0]);
            record[yearColumn] = key.Year;
            record[monthColumn] = key.Month;
        }
        // A bill the target spared is counted afresh and takes the close date
        // in force; its paid amount stays either way.
        if (isNew || !marked_.contains(KeyText(key)))
            record[closeColumn] = closeDate;
        record[totalColumn] = total.Value;
        record[oldColumn] = false;
    };
    UpdateOrInsertRows(scope.Db, BillTable, columns, totals.Rows(), find, fill);

    scope.Db.Execute(SqlText({QStringLiteral("delete from MTHTEL2A"), QStringLiteral("where OldFlag = True")}));
}

// ---- Chart

namespace {

const QString ChartTable = QStringLiteral("TeeData1");

QStringList ChartUnionLines(const QString& target) {
    return {
        QStringLiteral("select periodyear, periodmonth,"),
        QStringLiteral("sum(totalamount) as income, 0 as expense, 0 as Communications, 0 as BankBalance"),
        QStringLiteral("from mthinc1a"),
        target,
        QStringLiteral("group by periodyear, periodmonth union"),
        QStringLiteral("select periodyear, periodmonth,"),
        QStringLiteral("0 as income, sum(totalamount) as expense, 0 as Communications, 0 as BankBalance"),
        QStringLiteral("from mthexp1a"),
        target,
        QStringLiteral("group by periodyear, periodmonth union"),
        QStringLiteral("select periodyear, periodmonth,"),
        QStringLiteral("0 as income, 0 as expense, sum(totalamount) as Communications, 0 as BankBalance"),
        QStringLiteral("from mthtel1a"),
        target,
        QStringLiteral("group by periodyear, periodmonth union"),
        QStringLiteral("select periodyear, periodmonth,"),
        QStringLiteral("0 as income, 0 as expense, 0 as Communications, sum(totalamount) as BankBalance"),
        QStringLiteral("from mthbnk1a"),
        target,
        QStringLiteral("group by periodyear, periodmonth"),
        QStringLiteral("order by periodyear, periodmonth"),
    };
}

constexpr const char* ChartAmounts[] = {"Income", "Expense", "Communications", "BankBalance"};

struct TChartSums {
    double Value[4] = {0.0, 0.0, 0.0, 0.0};
};

}  // namespace

void RebuildChartRows(const TRebuildScope& scope) {
    scope.Db.Execute(SqlText({QStringLiteral("Delete from TeeData1"), scope.Target}));

    TMonthTotals<TChartSums> totals;
    {
        const auto rows = scope.Db.Query(SqlText(ChartUnionLines(scope.Target)));
        while (rows->Next()) {
            const int year = IntOf(rows->Value(0));
            if (year <= 0)
                continue;
            TChartSums& sums = totals[{{}, year, IntOf(rows->Value(1))}];
            for (int i = 0; i < 4; ++i)
                sums.Value[i] += FloatOf(rows->Value(2 + i));
        }
    }

    const TColumnMap columns(scope.Db, ChartTable);
    const int yearColumn = columns[QStringLiteral("PeriodYear")];
    const int monthColumn = columns[QStringLiteral("PeriodMonth")];
    const int closeColumn = columns[QStringLiteral("CloseDate")];
    const int runningColumn = columns[QStringLiteral("RunningBankBalance")];
    int amountColumns[4];
    for (int i = 0; i < 4; ++i)
        amountColumns[i] = columns[QString::fromLatin1(ChartAmounts[i])];
    const QVariant closeDate = scope.CloseDate.isValid() ? QVariant(scope.CloseDate) : QVariant();

    // The rows the target spared, one per month.
    const TStoredRows spared = ReadRowsByKey(scope.Db, ChartTable, [&](const TRecordValues& record) {
        return TMonthKey{{}, IntOf(record[yearColumn]), IntOf(record[monthColumn])};
    });
    const auto find = [&](const TMonthKey& key) -> std::optional<TStoredRow> {
        const auto found = spared.find(key);
        return found == spared.end() ? std::nullopt : std::optional<TStoredRow>(found->second);
    };
    const auto fill = [&](TRecordValues& record, const TMonthKey& key, const TChartSums& sums, bool isNew) {
        record[yearColumn] = key.Year;
        record[monthColumn] = key.Month;
        record[closeColumn] = closeDate;
        for (int i = 0; i < 4; ++i)
            record[amountColumns[i]] = sums.Value[i];
        if (isNew)
            record[runningColumn] = 0.0;
    };
    UpdateOrInsertRows(scope.Db, ChartTable, columns, totals.Rows(), find, fill);

    RecomputeRunningBalance(scope.Db);
}

void RecomputeRunningBalance(TEngineDatabase& db) {
    const TColumnMap columns(db, ChartTable);
    const int balanceColumn = columns[QStringLiteral("BankBalance")];
    const int runningColumn = columns[QStringLiteral("RunningBankBalance")];

    std::vector<std::pair<qint64, TRecordValues>> rows;
    {
        const auto cursor = db.OpenCursor(
            CursorOn(ChartTable, {}, {QStringLiteral("PeriodYear"), QStringLiteral("PeriodMonth")}));
        for (cursor->First(); !cursor->Eof(); cursor->Next())
            rows.emplace_back(cursor->RowId(), cursor->Record());
    }
    double running = 0.0;
    for (auto& [rowId, record] : rows) {
        running = RoundToReal48(running + FloatOf(record[balanceColumn]));
        if (!record[runningColumn].isNull() && record[runningColumn].toDouble() == running)
            continue;
        record[runningColumn] = running;
        db.UpdateRow(ChartTable, rowId, record);
    }
}

double RoundToReal48(double x) {
    if (x == 0.0 || !std::isfinite(x))
        return x;
    int exponent = 0;
    const double mantissa = std::frexp(x, &exponent);   // 0.5 <= |mantissa| < 1
    const double rounded = std::ldexp(std::nearbyint(std::ldexp(mantissa, 40)), exponent - 40);
    // Below the smallest six-byte real the value is 0.
    return std::fabs(rounded) < std::ldexp(1.0, -128) ? 0.0 : rounded;
}
