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

QVariant TextValue(const QString& text) { return text.isEmpty() ? QVariant() : QVariant(text); }

// A report row: its codes, their names, its month columns and its total.
struct TCrossTabRow {
    int Key1 = 0, Key2 = 0;   // in the build's codes of each column
    QString Desc1, Desc2;
    double Total = 0.0;
};

// The report being added up: its rows, the distinct codes and months met, and
// the month columns' amounts of every row side by side.
struct TCrossTab {
    TTextIds Codes1, Codes2;   // each column's codes: a summary's rows come in runs of their first code
    std::vector<TCrossTabRow> Rows;
    std::vector<std::pair<int, int>> Months;   // in column order
    std::vector<double> Amounts;               // row by row, one per month column
    std::vector<int> InOrderMet;               // the rows in the order their first source row was added

    double& Amount(size_t row, size_t column) { return Amounts[row * Months.size() + column]; }
    double Amount(size_t row, size_t column) const { return Amounts[row * Months.size() + column]; }
};

// A source row as read: its report row, the month it was met under and its amount.
struct TSourceRow {
    int Row;
    int Month;
    double Amount;
};

// The source rows are read as stored and added into their report rows in
// period order, each month's rows in the order they were written: SQLite
// would sort the whole summary in a temporary tree for that, where a count of
// each month's rows places them. The month columns are the distinct months
// of these same rows, so every row has its column. Returns the number of
// source rows.
int ReadCrossTabRows(TEngineDatabase& db, const TCrossTabSpec& spec, const QString& where, TCrossTab& report) {
    // In mode 1 every row's second code is "xxx": the statement need not read it.
    const bool byBothCodes = spec.Mode == 2;
    std::vector<TSourceRow> source;
    std::vector<std::pair<int, int>> monthsMet;
    {
        const auto rows = db.Query(SqlText({QStringLiteral("Select ") + spec.Key1Field + QStringLiteral(" as KeyField1, "),
                                            byBothCodes ? spec.Key2Field + QStringLiteral(" as KeyField2,") : QString(),
                                            spec.ValueField + QStringLiteral(" as AmountField, PeriodYear, PeriodMonth "),
                                            QStringLiteral("from ") + spec.SourceTable, where}));
        const int amountAt = byBothCodes ? 2 : 1;
        const int noKey2 = report.Codes2.IdOf("xxx");
        std::vector<std::vector<int>> rowOfCodes;   // by the first code, then the second; -1 for none yet
        std::unordered_map<qint64, int> monthIds;
        while (rows->Next()) {
            const int key1 = report.Codes1.IdOf(rows->Utf8(0));
            const int key2 = byBothCodes ? report.Codes2.IdOf(rows->Utf8(1)) : noKey2;
            if (size_t(key1) >= rowOfCodes.size()) rowOfCodes.resize(size_t(key1) + 1);
            std::vector<int>& rowsOfKey1 = rowOfCodes[size_t(key1)];
            if (size_t(key2) >= rowsOfKey1.size()) rowsOfKey1.resize(size_t(key2) + 1, -1);
            int& row = rowsOfKey1[size_t(key2)];
            if (row < 0) {
                row = int(report.Rows.size());
                report.Rows.push_back({key1, key2, {}, {}, 0.0});
            }
            const std::pair<int, int> month = {int(rows->Integer(amountAt + 1)), int(rows->Integer(amountAt + 2))};
            const auto [found, added] = monthIds.try_emplace((qint64(month.first) << 32) | quint32(month.second), int(monthsMet.size()));
            if (added) monthsMet.push_back(month);
            source.push_back({row, found->second, rows->Float(amountAt)});
        }
    }

    // The month columns in period order, and where each month's rows go.
    const std::vector<int> columnOfMonth = Ranks(monthsMet);
    report.Months.resize(monthsMet.size());
    for (size_t month = 0; month < monthsMet.size(); ++month)
        report.Months[size_t(columnOfMonth[month])] = monthsMet[month];
    std::vector<size_t> start(report.Months.size() + 1, 0);
    for (const TSourceRow& row : source) ++start[size_t(columnOfMonth[size_t(row.Month)]) + 1];
    for (size_t column = 1; column < start.size(); ++column) start[column] += start[column - 1];
    std::vector<const TSourceRow*> inPeriodOrder(source.size());
    for (const TSourceRow& row : source) inPeriodOrder[start[size_t(columnOfMonth[size_t(row.Month)])]++] = &row;

    report.Amounts.assign(report.Rows.size() * report.Months.size(), 0.0);
    std::vector<bool> met(report.Rows.size(), false);
    for (const TSourceRow* row : inPeriodOrder) {
        if (!met[size_t(row->Row)]) {
            met[size_t(row->Row)] = true;
            report.InOrderMet.push_back(row->Row);
        }
        report.Amount(size_t(row->Row), size_t(columnOfMonth[size_t(row->Month)])) += row->Amount;
        report.Rows[size_t(row->Row)].Total += row->Amount;
    }
    TDescriptionCache describe(db);
    for (TCrossTabRow& line : report.Rows) {
        line.Desc1 = describe(spec.Key1Kind, report.Codes1.Text(line.Key1));
        line.Desc2 = describe(spec.Key2Kind, report.Codes2.Text(line.Key2));
    }
    return static_cast<int>(source.size());
}

// A report row's codes, as the build has always kept its rows by them.
struct TRowKey {
    QString Key1;
    QString Key2;
    bool operator==(const TRowKey&) const = default;
};

struct TRowKeyHash {
    size_t operator()(const TRowKey& key) const noexcept { return qHashMulti(0, key.Key1, key.Key2); }
};

// The rows go into the table in the order the build has always written them:
// that of a hash table of their codes filled in the order they were met. The
// grand total adds the rows up in that order, and a sort by a month column
// shows equal amounts in it.
void WriteCrossTabRows(TEngineDatabase& db, const QString& table, const TCrossTab& report,
                       const QStringList& moneyColumns, const TColumnMap& columns) {
    const int key1Column = columns[QStringLiteral("KeyField1")];
    const int key2Column = columns[QStringLiteral("KeyField2")];
    const int desc1Column = columns[QStringLiteral("KeyField1Desc")];
    const int desc2Column = columns[QStringLiteral("KeyField2Desc")];
    const int totalColumn = columns[QStringLiteral("Total1")];
    std::vector<int> monthColumns;
    for (const QString& column : moneyColumns)
        monthColumns.push_back(columns[column]);
    std::unordered_map<TRowKey, size_t, TRowKeyHash> order;
    for (const int row : report.InOrderMet) {
        const TCrossTabRow& line = report.Rows[size_t(row)];
        order.try_emplace(TRowKey{report.Codes1.Text(line.Key1), report.Codes2.Text(line.Key2)}, size_t(row));
    }
    for (const auto& [codes, row] : order) {
        const TCrossTabRow& line = report.Rows[row];
        TRecordValues record = columns.EmptyRecord();
        record[key1Column] = TextValue(report.Codes1.Text(line.Key1));
        record[key2Column] = TextValue(report.Codes2.Text(line.Key2));
        record[desc1Column] = TextValue(line.Desc1);
        record[desc2Column] = TextValue(line.Desc2);
        for (size_t i = 0; i < monthColumns.size(); ++i)
            record[monthColumns[i]] = report.Amount(row, i);
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
    TCrossTab report;
    const int sourceRows = ReadCrossTabRows(db, spec, where, report);
    TMonthColumns months;
    for (const auto& [year, month] : report.Months) {
        months.PeriodKeys << PeriodKey(year, month);
        months.Captions << PeriodCaption(year, month);
    }
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
