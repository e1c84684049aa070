#include "data/cross_tab.h"
#include "data/message_helpers.h"
#include "data/report_tables.h"
#include "platform/rtl/presenter.h"
#include <QHashFunctions>
#include <algorithm>
#include <map>
#include <unordered_map>

namespace {

struct TDescriptionSource {
    const char* Table;
    const char* CodeField;
    const char* DescriptionField;
};

constexpr TDescriptionSource DescriptionSources[] = {
    {"BankAcnt", "BankAccountCode", "AccountName"},
    {"BankItm", "BankItemCode", "BankItemDesc"},
    {"PTelcom", "TelcomCode", "TelcomDesc"},
    {"PTelItm", "TelItemCode", "TelItemDesc"},
    {"PIncome", "IncomeCode", "IncomeDescription"},
    {"PExpense", "ExpenseCode", "ExpenseDescription"},
};

// Descriptions of one build, each code looked up once.
class TDescriptionCache {
public:
    explicit TDescriptionCache(TEngineDatabase& db) : db_(db) {}
    const QString& operator()(int kind, const QString& code) {
        const auto key = std::make_pair(kind, code);
        auto found = cache_.find(key);
        if (found == cache_.end())
            found = cache_.emplace(key, LookupDescription(db_, kind, code)).first;
        return found->second;
    }

private:
    TEngineDatabase& db_;
    std::map<std::pair<int, QString>, QString> cache_;
};

QString ColumnName(int i) { return QStringLiteral("col") + QString::number(i); }

// A report row's codes, and the row: their names and its money columns.
struct TRowKey {
    QString Key1;
    QString Key2;
    bool operator==(const TRowKey&) const = default;
};

struct TRowKeyHash {
    size_t operator()(const TRowKey& key) const noexcept { return qHashMulti(0, key.Key1, key.Key2); }
};

struct TCrossTabRow {
    QString Desc1;
    QString Desc2;
    std::vector<double> Columns;
    double Total = 0.0;
};

using TCrossTabRows = std::unordered_map<TRowKey, TCrossTabRow, TRowKeyHash>;

QVariant TextValue(const QString& text) { return text.isEmpty() ? QVariant() : QVariant(text); }

// A source row as read: its month, codes and amount.
struct TSourceRow {
    std::pair<int, int> Month;
    QString Key1, Key2;
    double Amount = 0.0;
};

// The source rows in period order, added into their report rows in that
// order. The month columns are the distinct months of these same rows, so
// every row has its column. The rows are read as stored and put in period
// order here: SQLite would sort the whole summary in a temporary tree, where
// a stable sort of the rows read keeps each month's rows in the order they
// were written. Returns the number of source rows.
int ReadCrossTabRows(TEngineDatabase& db, const TCrossTabSpec& spec, const QString& where, TMonthColumns& months,
                     TCrossTabRows& report) {
    TDescriptionCache describe(db);
    const QString key2 =
        spec.Mode == 2 ? spec.Key2Field + QStringLiteral(" as KeyField2,") : QStringLiteral("\"xxx\" as KeyField2,");
    std::vector<TSourceRow> source;
    {
        const auto rows = db.Query(SqlText({QStringLiteral("Select ") + spec.Key1Field + QStringLiteral(" as KeyField1, "),
                                            key2,
                                            spec.ValueField + QStringLiteral(" as AmountField, PeriodYear, PeriodMonth "),
                                            QStringLiteral("from ") + spec.SourceTable, where}));
        while (rows->Next())
            source.push_back({{IntOf(rows->Value(3)), IntOf(rows->Value(4))}, TextOf(rows->Value(0)),
                              TextOf(rows->Value(1)), FloatOf(rows->Value(2))});
    }
    std::stable_sort(source.begin(), source.end(),
                     [](const TSourceRow& a, const TSourceRow& b) { return a.Month < b.Month; });
    std::map<std::pair<int, int>, int> columnOfMonth;
    std::pair<int, int> lastMonth = {-1, -1};
    int column = -1;
    for (const TSourceRow& row : source) {
        if (row.Month != lastMonth) {
            const auto [found, added] = columnOfMonth.try_emplace(row.Month, static_cast<int>(months.PeriodKeys.size()));
            if (added) {
                months.PeriodKeys << PeriodKey(row.Month.first, row.Month.second);
                months.Captions << PeriodCaption(row.Month.first, row.Month.second);
            }
            column = found->second;
            lastMonth = row.Month;
        }
        auto [it, added] = report.try_emplace(TRowKey{row.Key1, row.Key2});
        TCrossTabRow& line = it->second;
        if (added) {
            line.Desc1 = describe(spec.Key1Kind, it->first.Key1);
            line.Desc2 = describe(spec.Key2Kind, it->first.Key2);
        }
        if (line.Columns.size() <= size_t(column)) line.Columns.resize(size_t(column) + 1, 0.0);
        line.Columns[size_t(column)] += row.Amount;
        line.Total += row.Amount;
    }
    return static_cast<int>(source.size());
}

void WriteCrossTabRows(TEngineDatabase& db, const QString& table, const TCrossTabRows& report,
                       const QStringList& moneyColumns, const TColumnMap& columns) {
    const int key1Column = columns[QStringLiteral("KeyField1")];
    const int key2Column = columns[QStringLiteral("KeyField2")];
    const int desc1Column = columns[QStringLiteral("KeyField1Desc")];
    const int desc2Column = columns[QStringLiteral("KeyField2Desc")];
    const int totalColumn = columns[QStringLiteral("Total1")];
    std::vector<int> monthColumns;
    for (const QString& column : moneyColumns)
        monthColumns.push_back(columns[column]);
    for (const auto& [key, line] : report) {
        TRecordValues record = columns.EmptyRecord();
        record[key1Column] = TextValue(key.Key1);
        record[key2Column] = TextValue(key.Key2);
        record[desc1Column] = TextValue(line.Desc1);
        record[desc2Column] = TextValue(line.Desc2);
        for (size_t i = 0; i < monthColumns.size(); ++i)
            record[monthColumns[i]] = i < line.Columns.size() ? line.Columns[i] : 0.0;
        record[totalColumn] = line.Total;
        db.InsertRow(table, record);
    }
}

// The sort orders of the report page, made over the finished rows: one sort
// per index instead of one index entry per column per row written.
void CreateSortIndexes(TEngineDatabase& db, const QString& table, int columnCount) {
    if (columnCount == 0) return;
    for (int i = 0; i < columnCount; ++i)
        db.Execute(QStringLiteral("Create Index ByCol%1 On %2(%3)").arg(i).arg(table, ColumnName(i)));
    db.Execute(QStringLiteral("Create Index ByKeyField1 On %1(KeyField1)").arg(table));
    db.Execute(QStringLiteral("Create Index ByKeyField2 On %1(KeyField2)").arg(table));
}

}  // namespace

QString LookupDescription(TEngineDatabase& db, int kind, const QString& code) {
    if (kind < 1 || kind > static_cast<int>(std::size(DescriptionSources)))
        return {};
    const TDescriptionSource& source = DescriptionSources[kind - 1];
    const auto rows = db.Query(SqlText({QStringLiteral("select %1 from %2").arg(
                                            QLatin1String(source.DescriptionField), QLatin1String(source.Table)),
                                        QStringLiteral("where %1=").arg(QLatin1String(source.CodeField)) +
                                            QuoteSqlString(code)}));
    return rows->Next() ? TextOf(rows->Value(0)) : QString();
}

QString PeriodWhereClause(TDateTime from, TDateTime to) {
    const int fromYear = YearOf(from), fromMonth = MonthOf(from);
    const int toYear = YearOf(to), toMonth = MonthOf(to);
    return QStringLiteral(" where ((PeriodYear > %1) or (PeriodYear = %1 and PeriodMonth >= %2))"
                          " and ((PeriodYear < %3) or (PeriodYear = %3 and PeriodMonth <= %4))")
        .arg(fromYear)
        .arg(fromMonth)
        .arg(toYear)
        .arg(toMonth);
}

TMonthColumns FillCrossTab(TEngineDatabase& db, const TCrossTabSpec& spec, const QString& where, TProgress& progress) {
    TMonthColumns months;
    TCrossTabRows report;
    const int sourceRows = ReadCrossTabRows(db, spec, where, months, report);
    // The bar learns the number of rows only at the end, so the columns it
    // passes through are shown afterwards.
    const int columnCount = static_cast<int>(months.PeriodKeys.size());
    const int max = sourceRows + 3;
    progress.SetMax(max);
    for (int column = 0; column < columnCount; ++column)
        progress.SetPosition(column);
    int position = std::max(columnCount - 1, 0);

    DropReportTable(db, spec.TempTable);
    QStringList moneyColumns;
    for (int i = 0; i < columnCount; ++i)
        moneyColumns << ColumnName(i);
    const QStringList sumColumns = moneyColumns + QStringList{QStringLiteral("Total1")};
    CreateReportTable(db, spec.TempTable, TReportRows::ByCodes, sumColumns);
    const TColumnMap columns(db, spec.TempTable);
    WriteCrossTabRows(db, spec.TempTable, report, moneyColumns, columns);
    progress.SetPosition(++position);
    InsertGrandTotal(db, spec.TempTable, columns, sumColumns);
    progress.SetPosition(++position);
    CreateSortIndexes(db, spec.TempTable, columnCount);
    progress.SetPosition(++position);
    progress.SetPosition(max);
    return months;
}
