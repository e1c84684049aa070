#include "data/summary_rebuild.h"
#include "data/report_tables.h"
#include "platform/rtl/datetime.h"
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
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

using TMonthKey = TSummaryKey;

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

// A stored row a run may write over or delete: its row id, the values of the
// fields the run writes (in the order it names them), and whether the target
// clause selects it.
struct TStoredRow {
    qint64 RowId = 0;
    std::vector<QVariant> Values;
    bool Selected = false;
};
using TStoredRows = std::unordered_map<TMonthKey, TStoredRow, TMonthKeyHash>;

// The body of a where clause, without its "where"; empty for an empty clause.
QString ClauseBody(const QString& where) {
    static const QRegularExpression leadingWhere(QStringLiteral("^\\s*where\\s"),
                                                 QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = leadingWhere.match(where);
    return match.hasMatch() ? where.mid(match.capturedEnd()) : where.trimmed();
}

// The fields a run writes into a table: the codes, PeriodYear and PeriodMonth
// first (the row's key), then the rest.
struct TWrittenFields {
    QString Table;
    std::vector<const char*> Names;
    int CodeCount = 0;
};

// One pass over the rows where selects (all when it is empty): each row,
// its written fields from column 0 on, handed to take with its row id and
// whether the target clause selects it.
template <typename Take>
void ReadStoredRows(TEngineDatabase& db, const TWrittenFields& fields, const QString& target, const QString& where,
                    const std::vector<QVariant>& params, Take&& take) {
    // The row id and the mark are read as floats: the type of a column of
    // integers is known only once all its rows have been read ahead.
    const QString body = ClauseBody(target);
    const QString selected = body.isEmpty() ? QStringLiteral("1.0")
                                            : QStringLiteral("case when ") + body + QStringLiteral(" then 1.0 else 0.0 end");
    const auto rows = db.Query(SqlText({QStringLiteral("Select ") + Joined(fields.Names) + QStringLiteral(", ") +
                                            selected + QStringLiteral(", rowid + 0.0 from ") + fields.Table,
                                        where}),
                               params);
    const int count = int(fields.Names.size());
    while (rows->Next())
        take(qint64(FloatOf(rows->Value(count + 1))), *rows, FloatOf(rows->Value(count)) != 0.0);
}

// Every row of a small table by its key.
TStoredRows ReadStoredRows(TEngineDatabase& db, const TWrittenFields& fields, const QString& target) {
    TStoredRows stored;
    const int count = int(fields.Names.size());
    ReadStoredRows(db, fields, target, {}, {}, [&](qint64 rowId, const TResultSet& rows, bool selected) {
        TStoredRow row{rowId, {}, selected};
        for (int i = 0; i < count; ++i)
            row.Values.push_back(rows.Value(i));
        TMonthKey key;
        for (int i = 0; i < fields.CodeCount; ++i)
            key.Codes << TextOf(row.Values[size_t(i)]);
        key.Year = IntOf(row.Values[size_t(fields.CodeCount)]);
        key.Month = IntOf(row.Values[size_t(fields.CodeCount + 1)]);
        stored.insert_or_assign(std::move(key), std::move(row));
    });
    return stored;
}

// Whether a stored value is the value a run would write: the same text, date
// or number, or null on both sides.
bool SameValue(const QVariant& stored, const QVariant& written) {
    if (stored.isNull() || written.isNull())
        return stored.isNull() == written.isNull();
    const int type = written.typeId();
    if (type == QMetaType::QString || type == QMetaType::QDate)
        return stored.typeId() == type && stored == written;
    if (type == QMetaType::Bool)
        return stored.toBool() == written.toBool();
    return stored.toDouble() == written.toDouble();
}

bool SameValues(const std::vector<QVariant>& stored, const std::vector<QVariant>& written) {
    for (size_t i = 0; i < written.size(); ++i)
        if (!SameValue(stored[i], written[i]))
            return false;
    return true;
}

// What a run changes in a table: the rows that go, the rows written over
// (by row id) and the new rows, each with the values of the written fields.
struct TRowWrites {
    std::vector<qint64> Deletes;
    std::vector<std::pair<qint64, std::vector<QVariant>>> Updates;
    std::vector<std::vector<QVariant>> Inserts;
};

void ApplyRowWrites(TEngineDatabase& db, const TWrittenFields& fields, const TRowWrites& writes) {
    const TColumnMap columnMap(db, fields.Table);
    std::vector<int> columns;
    for (const char* name : fields.Names)
        columns.push_back(columnMap[QString::fromLatin1(name)]);
    const auto fill = [&columns](TRecordValues& record, const std::vector<QVariant>& values) {
        for (size_t i = 0; i < columns.size(); ++i)
            record[columns[i]] = values[i];
    };
    // Rows go before any row is added, so a new row never meets the key of one going.
    for (qint64 rowId : writes.Deletes)
        db.DeleteRow(fields.Table, rowId);
    for (const auto& [rowId, values] : writes.Updates) {
        TRecordValues record = db.ReadRow(fields.Table, rowId).value();
        fill(record, values);
        db.UpdateRow(fields.Table, rowId, record);
    }
    for (const std::vector<QVariant>& values : writes.Inserts) {
        TRecordValues record = columnMap.EmptyRecord();
        fill(record, values);
        db.InsertRow(fields.Table, record);
    }
}

// Leaves the table as deleting the stored rows the target selected (and
// those extraDelete names) and then writing one row per key of totals would:
// a key's stored row written over, a new row for any other key. Only the rows
// whose values change are written. valuesOf gives a key's values in the
// order of fields, told the stored row it would write over (or null).
template <typename TSums, typename ValuesOf, typename ExtraDelete>
void WriteChangedRows(TEngineDatabase& db, const TWrittenFields& fields, TStoredRows& stored,
                      const std::vector<std::pair<TMonthKey, TSums>>& totals, ValuesOf&& valuesOf,
                      ExtraDelete&& extraDelete) {
    TRowWrites writes;
    std::vector<const TStoredRow*> kept;
    for (const auto& [key, sums] : totals) {
        const auto found = stored.find(key);
        TStoredRow* over = found == stored.end() ? nullptr : &found->second;
        std::vector<QVariant> values = valuesOf(key, sums, over);
        if (!over) {
            writes.Inserts.push_back(std::move(values));
            continue;
        }
        kept.push_back(over);
        if (!SameValues(over->Values, values))
            writes.Updates.emplace_back(over->RowId, std::move(values));
    }
    std::sort(kept.begin(), kept.end());
    for (const auto& [key, row] : stored)
        if ((row.Selected || extraDelete(row)) && !std::binary_search(kept.begin(), kept.end(), &row))
            writes.Deletes.push_back(row.RowId);
    ApplyRowWrites(db, fields, writes);
}

QVariant CodeValue(const QString& code) { return code.isEmpty() ? QVariant() : QVariant(code); }

QVariant DateValue(const QDate& date) { return date.isValid() ? QVariant(date) : QVariant(); }

// The source clause as a test made on each row of the table read straight
// through. Given the clause itself, the engine walks a date index (account
// by account where the date is not its first field) and looks every row it
// finds up in the table: several times the work of reading the table when
// the clause selects much of it, and the rows come newest first. Read
// straight through, the transactions of a month are added in the order they
// were entered, as a rebuild without clause adds them, to the same sums.
QString ClauseTestedOnEachRow(const QString& where) {
    const QString body = ClauseBody(where);
    return body.isEmpty() ? QString() : QStringLiteral("where case when ") + body + QStringLiteral(" then 1 else 0 end = 1");
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
// The place of a key among the totals is found again by the numbers of its
// codes and its month, for the stored rows compared with them.
struct TSourceTotals {
    std::vector<std::pair<TMonthKey, TAmounts>> Rows;
    TCodeNumbers Numbers;
    TKeyPlaces Places;

    size_t& PlaceOf(const TResultSet& rows, int codeCount, int year, int month) {
        TNumberedKey numbered;
        for (int i = 0; i < codeCount; ++i)
            numbered.Codes[i] = Numbers.Number(i, TextOf(rows.Value(i)));
        numbered.Year = year;
        numbered.Month = month;
        return Places.At(numbered);
    }
};

// The first day of a key's month and of the month after, which bound its
// transactions' dates.
std::pair<QDate, QDate> MonthBounds(const TMonthKey& key) {
    const QDate first(key.Year, key.Month, 1);
    return {first, first.addMonths(1)};
}

// "(a = ? and b = ? and ...) or (...)", one term per key, and its parameters:
// each key's codes, then its month as the rows of the table hold it.
template <typename MonthTerms>
QString KeyTerms(const std::vector<const char*>& codes, const std::vector<TMonthKey>& keys, const char* monthTerms,
                 std::vector<QVariant>& params, MonthTerms&& monthParams) {
    QStringList terms;
    for (const TMonthKey& key : keys) {
        QStringList parts;
        for (size_t i = 0; i < codes.size(); ++i) {
            parts << QString::fromLatin1(codes[i]) + QStringLiteral(" = ?");
            params.emplace_back(key.Codes[int(i)]);
        }
        parts << QString::fromLatin1(monthTerms);
        monthParams(key, params);
        terms << QLatin1Char('(') + parts.join(QStringLiteral(" and ")) + QLatin1Char(')');
    }
    return terms.join(QStringLiteral(" or "));
}

// The transactions of the given keys, found through the table's index on its
// code and date; read, like the whole table, in the order they were entered.
QString TransactionsOf(const TSummaryLayout& layout, const std::vector<TMonthKey>& keys, std::vector<QVariant>& params) {
    return QStringLiteral("rowid in (select rowid from ") + QString::fromLatin1(layout.SourceTable) +
           QStringLiteral(" where ") +
           KeyTerms(layout.Codes, keys, "TransactionDate >= ? and TransactionDate < ?", params,
                    [](const TMonthKey& key, std::vector<QVariant>& values) {
                        const auto [first, next] = MonthBounds(key);
                        values.emplace_back(first);
                        values.emplace_back(next);
                    }) +
           QLatin1Char(')');
}

const std::vector<TMonthKey>* ChangedKeys(const TRebuildScope& scope, TSummaryKind kind) {
    return scope.Changes ? &scope.Changes->Keys[static_cast<int>(kind)] : nullptr;
}

void AddUpSource(const TRebuildScope& scope, TSummaryKind kind, TSourceTotals& totals) {
    const TSummaryLayout& layout = Layout(kind);
    const int codeCount = static_cast<int>(layout.Codes.size());
    std::vector<const char*> sourceFields = layout.Codes;
    sourceFields.push_back("TransactionDate");
    for (const auto& amount : layout.Amounts)
        sourceFields.push_back(amount.second);
    QString where = ClauseTestedOnEachRow(scope.Source);
    std::vector<QVariant> params;
    const std::vector<TMonthKey>* keys = ChangedKeys(scope, kind);
    if (keys)
        where += (where.isEmpty() ? QStringLiteral("where ") : QStringLiteral(" and ")) + TransactionsOf(layout, *keys, params);
    const auto rows = scope.Db.Query(SqlText({QStringLiteral("Select ") + Joined(sourceFields) +
                                                  QStringLiteral(" from ") + QString::fromLatin1(layout.SourceTable),
                                              where}),
                                     params);
    TMonthOfDates months;
    int year = 0, month = 0;
    while (rows->Next()) {
        months.Read(rows->Value(codeCount), year, month);
        size_t& place = totals.PlaceOf(*rows, codeCount, year, month);
        if (place == TKeyPlaces::None) {
            TMonthKey key = KeyFromRow(*rows, codeCount, year, month);
            // A date the month's bounds hold as text but not as a date
            // belongs to another key, which did not change.
            if (keys && std::find(keys->begin(), keys->end(), key) == keys->end())
                continue;
            place = totals.Rows.size();
            totals.Rows.emplace_back(std::move(key), TAmounts{});
        }
        TAmounts& sums = totals.Rows[place].second;
        for (int i = 0; i < int(layout.Amounts.size()); ++i)
            sums.Value[i] += FloatOf(rows->Value(codeCount + 1 + i));
    }
}

// The fields a rebuild writes into a summary table: all of them.
TWrittenFields SummaryFields(const TSummaryLayout& layout) {
    TWrittenFields fields{QString::fromLatin1(layout.Table), layout.Codes, int(layout.Codes.size())};
    fields.Names.push_back("PeriodYear");
    fields.Names.push_back("PeriodMonth");
    for (const auto& amount : layout.Amounts)
        fields.Names.push_back(amount.first);
    if (layout.CreditMinusDebit)
        fields.Names.push_back("TotalAmount");
    fields.Names.push_back("CloseDate");
    return fields;
}

}  // namespace

QStringList SummaryDeleteLines(TSummaryKind kind, const QString& target) {
    return {QStringLiteral("Delete from ") + QString::fromLatin1(Layout(kind).DeleteName), target};
}

QString SummaryTableName(TSummaryKind kind) { return QString::fromLatin1(Layout(kind).Table); }
QString SummaryIndexName(TSummaryKind kind) { return QString::fromLatin1(Layout(kind).Index); }

void RewriteSummaryRows(const TRebuildScope& scope, TSummaryKind kind) {
    const TSummaryLayout& layout = Layout(kind);
    if (const std::vector<TMonthKey>* keys = ChangedKeys(scope, kind); keys && keys->empty())
        return;
    TSourceTotals totals;
    AddUpSource(scope, kind, totals);
    for (const auto& [key, sums] : totals.Rows)
        CheckMonthSums(layout, key, sums);
    const QVariant closeDate = DateValue(scope.CloseDate);
    const auto valuesOf = [&](const TMonthKey& key, const TAmounts& sums) {
        std::vector<QVariant> values;
        for (const QString& code : key.Codes)
            values.push_back(CodeValue(code));
        values.emplace_back(key.Year);
        values.emplace_back(key.Month);
        for (size_t i = 0; i < layout.Amounts.size(); ++i)
            values.emplace_back(sums.Value[i]);
        if (layout.CreditMinusDebit)
            values.emplace_back(sums.Value[1] - sums.Value[0]);
        values.push_back(closeDate);
        return values;
    };

    // The rows the target selects, and those of the years the totals hold:
    // only they can have one of their keys. Each is compared with its key's
    // totals as it is read.
    QString where;
    std::vector<QVariant> params;
    const QString body = ClauseBody(scope.Target);
    if (const std::vector<TMonthKey>* keys = ChangedKeys(scope, kind)) {
        // Only the changed keys' rows can differ from what the run writes.
        where = QStringLiteral("where ") +
                KeyTerms(layout.Codes, *keys, "PeriodYear = ? and PeriodMonth = ?", params,
                         [](const TMonthKey& key, std::vector<QVariant>& values) {
                             values.emplace_back(key.Year);
                             values.emplace_back(key.Month);
                         });
    } else if (!body.isEmpty()) {
        where = QStringLiteral("where (") + body + QLatin1Char(')');
        if (!totals.Rows.empty()) {
            const auto [first, last] = std::minmax_element(totals.Rows.begin(), totals.Rows.end(),
                                                           [](const auto& a, const auto& b) { return a.first.Year < b.first.Year; });
            where += QStringLiteral(" or (PeriodYear >= ? and PeriodYear <= ?)");
            params = {first->first.Year, last->first.Year};
        }
    }
    const TWrittenFields fields = SummaryFields(layout);
    const int codeCount = fields.CodeCount;
    std::vector<bool> found(totals.Rows.size(), false);
    TRowWrites writes;
    ReadStoredRows(scope.Db, fields, scope.Target, where, params, [&](qint64 rowId, const TResultSet& rows, bool selected) {
        const size_t place =
            totals.PlaceOf(rows, codeCount, IntOf(rows.Value(codeCount)), IntOf(rows.Value(codeCount + 1)));
        if (place == TKeyPlaces::None) {
            if (selected)
                writes.Deletes.push_back(rowId);
            return;
        }
        found[place] = true;
        const auto& [key, sums] = totals.Rows[place];
        std::vector<QVariant> values = valuesOf(key, sums);
        for (size_t i = 0; i < values.size(); ++i)
            if (!SameValue(rows.Value(int(i)), values[i])) {
                writes.Updates.emplace_back(rowId, std::move(values));
                return;
            }
    });
    for (size_t place = 0; place < totals.Rows.size(); ++place)
        if (!found[place])
            writes.Inserts.push_back(valuesOf(totals.Rows[place].first, totals.Rows[place].second));
    ApplyRowWrites(scope.Db, fields, writes);
}

// ---- Bills

namespace {

const QString BillTable = QStringLiteral("MthTel2a");

// PaidAmount is the user's: a new bill has none, a bill written over keeps its own.
const TWrittenFields BillFields{BillTable, {"TelcomCode", "PeriodYear", "PeriodMonth", "TotalAmount", "OldFlag", "CloseDate"}, 1};
constexpr size_t BillOldFlag = 4, BillCloseDate = 5;

// The target clause narrowed down to the rows any of the terms selects. The
// terms come first: a summary is read straight through, and its codes and
// month, at the front of each row, rule out most rows before the clause's
// test of the close date further on is worked out.
QString Narrowed(const QString& target, const QStringList& terms) {
    const QString body = ClauseBody(target);
    const QString any = terms.join(QStringLiteral(" or "));
    return body.isEmpty() ? QStringLiteral("where ") + any
                          : QStringLiteral("where (") + any + QStringLiteral(") and (") + body + QLatin1Char(')');
}

QString MonthTerm(const TMonthKey& key) {
    return QStringLiteral("PeriodYear = %1 and PeriodMonth = %2").arg(key.Year).arg(key.Month);
}

}  // namespace

void RebuildBills(const TRebuildScope& scope) {
    // Only the bills of the changed communication months can change.
    QString target = scope.Target;
    if (const std::vector<TMonthKey>* keys = ChangedKeys(scope, TSummaryKind::Tel)) {
        QStringList terms;
        for (const TMonthKey& key : *keys) {
            const QString term = QStringLiteral("(TelcomCode = ") + QuoteSqlString(key.Codes[0]) +
                                 QStringLiteral(" and ") + MonthTerm(key) + QLatin1Char(')');
            if (!terms.contains(term))
                terms << term;
        }
        if (terms.isEmpty())
            return;
        target = Narrowed(target, terms);
    }
    // The month totals over all items of each communication account, added
    // in the summary's index order so that a bill is always the same sum.
    struct TTotal {
        double Value = 0.0;
    };
    TMonthTotals<TTotal> totals;
    {
        const auto rows = scope.Db.Query(SqlText(
            {QStringLiteral("Select TelcomCode, PeriodYear, PeriodMonth, TotalAmount from MTHTEL1A"), target,
             QStringLiteral("order by TelcomCode, TelItemCode, PeriodYear, PeriodMonth")}));
        while (rows->Next())
            totals[KeyFromRow(*rows, 1)].Value += FloatOf(rows->Value(3));
    }
    const QVariant closeDate = DateValue(scope.CloseDate);
    const auto valuesOf = [&](const TMonthKey& key, const TTotal& total, const TStoredRow* over) {
        // A bill the target spared is counted afresh and takes the close date
        // in force; one the target selected keeps its stamp.
        const QVariant close = over && over->Selected ? over->Values[BillCloseDate] : closeDate;
        return std::vector<QVariant>{CodeValue(key.Codes[0]), key.Year, key.Month, total.Value, false, close};
    };
    // A bill no month kept goes, and so does one still marked old.
    const auto old = [](const TStoredRow& bill) { return bill.Values[BillOldFlag].toBool(); };
    TStoredRows bills = ReadStoredRows(scope.Db, BillFields, target);
    WriteChangedRows(scope.Db, BillFields, bills, totals.Rows(), valuesOf, old);
}

// ---- Chart

namespace {

const QString ChartTable = QStringLiteral("TeeData1");

struct TChartSums {
    double Value[4] = {0.0, 0.0, 0.0, 0.0};
};

// The summaries whose month totals the chart's income, expense,
// communication and bank columns hold.
const char* const ChartSources[] = {"MthInc1a", "MthExp1a", "MthTel1a", "MthBnk1a"};

// The chart's month totals of the summary rows where selects. Each summary's
// month is added up in the order its rows were written, as SQL's sum of the
// month's rows read straight through the table adds them, so that a run over
// a few months and one over all give each month the same total. A row of no
// year above 0 adds nothing; one without month counts as month 0 (before a
// month 0 of its own). The months come in period order.
TMonthTotals<TChartSums> ChartTotals(TEngineDatabase& db, const QString& where) {
    // year, whether the month is given, month
    using TPeriod = std::tuple<int, bool, int>;
    std::map<TPeriod, TChartSums> periods;
    for (int column = 0; column < 4; ++column) {
        const auto rows = db.Query(SqlText({QStringLiteral("Select PeriodYear, PeriodMonth, TotalAmount from ") +
                                                QString::fromLatin1(ChartSources[column]),
                                            where, QStringLiteral("order by rowid")}));
        while (rows->Next()) {
            const int year = IntOf(rows->Value(0));
            if (year <= 0)
                continue;
            const QVariant month = rows->Value(1);
            periods[{year, !month.isNull(), IntOf(month)}].Value[column] += FloatOf(rows->Value(2));
        }
    }
    TMonthTotals<TChartSums> totals;
    for (const auto& [period, sums] : periods) {
        TChartSums& month = totals[{{}, std::get<0>(period), std::get<2>(period)}];
        for (int i = 0; i < 4; ++i)
            month.Value[i] += sums.Value[i];
    }
    return totals;
}

// Every chart field: a run writes them all.
const TWrittenFields ChartFields{ChartTable,
                                 {"PeriodYear", "PeriodMonth", "Income", "Expense", "Communications", "BankBalance",
                                  "CloseDate", "RunningBankBalance"},
                                 0};

}  // namespace

void RebuildChartRows(const TRebuildScope& scope) {
    // Only the months of changed keys can change.
    QString target = scope.Target;
    if (scope.Changes) {
        QStringList terms;
        for (const std::vector<TMonthKey>& keys : scope.Changes->Keys)
            for (const TMonthKey& key : keys) {
                const QString term = QLatin1Char('(') + MonthTerm(key) + QLatin1Char(')');
                if (!terms.contains(term))
                    terms << term;
            }
        if (terms.isEmpty()) {
            RecomputeRunningBalance(scope.Db);
            return;
        }
        target = Narrowed(target, terms);
    }
    const TMonthTotals<TChartSums> totals = ChartTotals(scope.Db, target);
    // Every chart row, one per month. The running balance is worked out over
    // all of them afterwards; a new row starts it at 0.
    const TWrittenFields& fields = ChartFields;
    TStoredRows stored = ReadStoredRows(scope.Db, fields, target);
    const QVariant closeDate = DateValue(scope.CloseDate);
    const auto valuesOf = [&](const TMonthKey& key, const TChartSums& sums, const TStoredRow* over) {
        std::vector<QVariant> values{key.Year, key.Month};
        for (double sum : sums.Value)
            values.emplace_back(sum);
        values.push_back(closeDate);
        values.push_back(over ? over->Values.back() : QVariant(0.0));
        return values;
    };
    WriteChangedRows(scope.Db, fields, stored, totals.Rows(), valuesOf, [](const TStoredRow&) { return false; });

    RecomputeRunningBalance(scope.Db);
}

void RecomputeRunningBalance(TEngineDatabase& db) {
    // The rows in period order, as the chart table's index on the period
    // walks them; only those whose running balance changes are read whole
    // and written.
    std::vector<std::pair<qint64, double>> changed;
    {
        const auto rows = db.Query(QStringLiteral("Select rowid + 0.0, BankBalance, RunningBankBalance from ") +
                                   ChartTable + QStringLiteral(" order by PeriodYear, PeriodMonth, rowid"));
        double running = 0.0;
        while (rows->Next()) {
            running = RoundToReal48(running + FloatOf(rows->Value(1)));
            const QVariant stored = rows->Value(2);
            if (stored.isNull() || stored.toDouble() != running)
                changed.emplace_back(qint64(FloatOf(rows->Value(0))), running);
        }
    }
    if (changed.empty())
        return;
    const int runningColumn = TColumnMap(db, ChartTable)[QStringLiteral("RunningBankBalance")];
    for (const auto& [rowId, running] : changed) {
        TRecordValues record = db.ReadRow(ChartTable, rowId).value();
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

// ---- What changed since the last run

namespace {

// The tables whose every change a run must know of: the transactions it adds
// up (by their key fields) and the rows it writes (changed by anything but a
// run, they are no longer what the last run left). Of the rows it writes,
// only the fields it writes count: a bill's payment is the user's, and a run
// leaves it as it is.
std::vector<TWrittenFields> WrittenTables() {
    return {SummaryFields(Layout(TSummaryKind::Bank)), SummaryFields(Layout(TSummaryKind::Tel)),
            SummaryFields(Layout(TSummaryKind::Income)), SummaryFields(Layout(TSummaryKind::Expense)), BillFields,
            ChartFields};
}
constexpr TSummaryKind Kinds[] = {TSummaryKind::Bank, TSummaryKind::Tel, TSummaryKind::Income, TSummaryKind::Expense};

// More changed keys than this are added up by a run over all transactions:
// the statements that find them key by key grow too long to be quicker.
constexpr size_t MaxChangedKeys = 200;

QString RunTag(const TRebuildScope& scope) {
    return scope.Source + QLatin1Char('\n') + scope.Target + QLatin1Char('\n') + DateValue(scope.CloseDate).toString();
}

QStringList LoggedFields(const TSummaryLayout& layout) {
    QStringList fields;
    for (const char* code : layout.Codes)
        fields << QString::fromLatin1(code);
    return fields << QStringLiteral("TransactionDate");
}

}  // namespace

std::optional<TSummaryChanges> ChangesSinceLastRun(const TRebuildScope& scope) {
    const QString tag = RunTag(scope);
    for (const TWrittenFields& written : WrittenTables()) {
        const std::optional<TChangeLog> log = scope.Db.ChangeLog(written.Table);
        if (!log || log->Tag != tag || !log->Values.empty())
            return std::nullopt;
    }
    TSummaryChanges changes;
    for (TSummaryKind kind : Kinds) {
        const TSummaryLayout& layout = Layout(kind);
        const std::optional<TChangeLog> log = scope.Db.ChangeLog(QString::fromLatin1(layout.SourceTable));
        if (!log || log->Tag != tag || log->Values.size() > 2 * MaxChangedKeys)
            return std::nullopt;
        std::vector<TMonthKey>& keys = changes.Keys[static_cast<int>(kind)];
        for (const std::vector<QVariant>& values : log->Values) {
            TMonthKey key;
            for (size_t i = 0; i < layout.Codes.size(); ++i)
                key.Codes << TextOf(values[i]);
            const QDate date = values.back().toDate();
            // A row without a code or date is found by no index term.
            if (key.Codes.contains(QString()) || !date.isValid())
                return std::nullopt;
            key.Year = date.year();
            key.Month = date.month();
            if (std::find(keys.begin(), keys.end(), key) == keys.end())
                keys.push_back(std::move(key));
        }
        if (keys.size() > MaxChangedKeys)
            return std::nullopt;
    }
    return changes;
}

void StartChangeLogs(const TRebuildScope& scope) {
    const QString tag = RunTag(scope);
    for (TSummaryKind kind : Kinds)
        scope.Db.StartChangeLog(QString::fromLatin1(Layout(kind).SourceTable), LoggedFields(Layout(kind)), tag);
    for (const TWrittenFields& written : WrittenTables()) {
        QStringList fields;
        for (const char* name : written.Names)
            fields << QString::fromLatin1(name);
        scope.Db.StartChangeLog(written.Table, {}, tag, fields);
    }
}
