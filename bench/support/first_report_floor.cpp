#include "bench/support/first_report_floor.h"
#include "bench/support/plain_sqlite.h"
#include "bench/support/rebuild_floor.h"
#include "data/summary_rebuild.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

using TStatement = TPlainStatement;

std::string Joined(const std::vector<std::string>& names, const std::string& each = "", const std::string& before = "") {
    std::string out;
    for (const std::string& name : names) out += (out.empty() ? "" : ", ") + before + name + each;
    return out;
}

// A row a run produces: codes, year and month, then its values.
struct TProduced {
    std::vector<std::string> Codes;
    int Year = 0, Month = 0;
    std::vector<double> Values;
};

struct TStored {
    sqlite3_int64 RowId = 0;
    std::vector<double> Values;
    std::string Close;
    bool Selected = false;
    bool Old = false;
    bool Kept = false;
};

std::string KeyOf(const std::vector<std::string>& codes, int year, int month) {
    std::string key;
    for (const std::string& code : codes) key += code + '\x1f';
    return key + std::to_string(year * 100 + month);
}

// Totals in the order their keys first appear.
class TTotals {
public:
    TProduced& At(const std::vector<std::string>& codes, int year, int month, size_t values) {
        const auto [it, added] = index_.try_emplace(KeyOf(codes, year, month), rows_.size());
        if (added) rows_.push_back({codes, year, month, std::vector<double>(values, 0.0)});
        return rows_[it->second];
    }
    const std::vector<TProduced>& Rows() const { return rows_; }

private:
    std::unordered_map<std::string, size_t> index_;
    std::vector<TProduced> rows_;
};

// A table the run writes: its key codes and value fields.
struct TWritten {
    std::string Table;
    std::vector<std::string> Codes;
    std::vector<std::string> Values;
    bool Bills = false;
};

// Writes only what differs: a produced row over its stored one, or new; the
// selected (or old) rows nothing produced go. The stored rows read are those
// where selects (every row when it is empty); where names the close date as
// ?1 and its own values after it.
long long WriteDifferences(sqlite3* db, const TWritten& t, const std::string& close, const std::vector<TProduced>& rows,
                           const TPlainClause& where) {
    std::vector<std::string> fields = t.Codes;
    fields.push_back("PeriodYear");
    fields.push_back("PeriodMonth");
    for (const std::string& value : t.Values) fields.push_back(value);
    std::unordered_map<std::string, TStored> stored;
    {
        TStatement read(db, "SELECT rowid, " + Joined(fields) + ", CloseDate, CloseDate = ?1" +
                                (t.Bills ? ", OldFlag" : "") + " FROM " + t.Table +
                                (where.Where.empty() ? "" : " WHERE " + where.Where));
        read.Bind(1, close);
        BindClause(read, 2, where);
        const int codes = int(t.Codes.size());
        std::vector<std::string> key(static_cast<size_t>(codes));
        while (read.Step()) {
            for (int i = 0; i < codes; ++i) key[size_t(i)] = read.Text(1 + i);
            TStored& row = stored[KeyOf(key, read.Int(1 + codes), read.Int(2 + codes))];
            row.RowId = sqlite3_column_int64(read, 0);
            for (size_t i = 0; i < t.Values.size(); ++i) row.Values.push_back(read.Number(3 + codes + int(i)));
            const int after = 3 + codes + int(t.Values.size());
            row.Close = read.Text(after);
            row.Selected = read.Int(after + 1) != 0;
            row.Old = t.Bills && read.Int(after + 2) != 0;
        }
    }
    std::string set, places = "?";
    for (const std::string& value : t.Values) set += value + " = ?, ";
    for (size_t i = 1; i < fields.size() + (t.Bills ? 2 : 1); ++i) places += ", ?";
    TStatement update(db, "UPDATE " + t.Table + " SET " + set + "CloseDate = ?" + (t.Bills ? ", OldFlag = 0" : "") +
                              " WHERE rowid = ?");
    TStatement insert(db, "INSERT INTO " + t.Table + " (" + Joined(fields) + ", CloseDate" +
                              (t.Bills ? ", OldFlag" : "") + ") VALUES (" + places + ")");
    TStatement remove(db, "DELETE FROM " + t.Table + " WHERE rowid = ?");
    struct TWrite {
        const TProduced* Row;
        const TStored* Over;
    };
    std::vector<TWrite> writes;
    for (const TProduced& row : rows) {
        const auto found = stored.find(KeyOf(row.Codes, row.Year, row.Month));
        TStored* over = found == stored.end() ? nullptr : &found->second;
        if (over) over->Kept = true;
        const std::string& stamp = over && t.Bills && over->Selected ? over->Close : close;
        if (!over || over->Values != row.Values || over->Close != stamp || over->Old) writes.push_back({&row, over});
    }
    long long written = 0;
    for (const auto& [key, row] : stored)
        if ((row.Selected || row.Old) && !row.Kept) {
            remove.Bind(1, row.RowId);
            remove.Run();
            ++written;
        }
    for (const TWrite& write : writes) {
        const std::string& stamp = write.Over && t.Bills && write.Over->Selected ? write.Over->Close : close;
        int place = 1;
        if (write.Over) {
            for (double value : write.Row->Values) update.Bind(place++, value);
            update.Bind(place++, stamp);
            update.Bind(place, write.Over->RowId);
            update.Run();
        } else {
            for (const std::string& code : write.Row->Codes) insert.Bind(place++, code);
            insert.Bind(place++, write.Row->Year);
            insert.Bind(place++, write.Row->Month);
            for (double value : write.Row->Values) insert.Bind(place++, value);
            insert.Bind(place++, stamp);
            if (t.Bills) insert.Bind(place, 0);
            insert.Run();
        }
        ++written;
    }
    return written;
}

// A key whose transactions changed: its codes and month.
struct TKey {
    std::vector<std::string> Codes;
    int Year = 0, Month = 0;
    auto operator<=>(const TKey&) const = default;
};

// The first day of a month and of the month after, as the transactions' dates are stored.
std::pair<std::string, std::string> MonthBounds(int year, int month) {
    char first[16], next[16];
    std::snprintf(first, sizeof first, "%04d-%02d-01", year, month);
    std::snprintf(next, sizeof next, "%04d-%02d-01", month == 12 ? year + 1 : year, month == 12 ? 1 : month + 1);
    return {first, next};
}

// "(a = ? AND ... AND <month>) OR ...", one term per key, with its values:
// the codes, then the month as sinceMonth words it.
template <typename MonthTerm>
TPlainClause KeyTerms(const std::vector<std::string>& codes, const std::vector<TKey>& keys, MonthTerm&& monthTerm) {
    TPlainClause clause;
    for (const TKey& key : keys) {
        std::string term;
        for (size_t i = 0; i < codes.size(); ++i) {
            term += codes[i] + " = ? AND ";
            clause.Values.emplace_back(key.Codes[i]);
        }
        clause.Where += (clause.Where.empty() ? "(" : " OR (") + term + monthTerm(key, clause.Values) + ")";
    }
    return clause;
}

std::string PeriodTerm(const TKey& key, std::vector<std::variant<long long, std::string>>& values) {
    values.emplace_back(static_cast<long long>(key.Year));
    values.emplace_back(static_cast<long long>(key.Month));
    return "PeriodYear = ? AND PeriodMonth = ?";
}

// Totals per codes and month of the transactions the clause selects, in the
// order they were entered; with keys, only theirs. Returns the first and last year.
std::pair<int, int> AddUp(sqlite3* db, const TPlainSummary& s, const std::string& close, const std::string& clause,
                          const TPlainClause& values, const std::set<TKey>* keys, TTotals& totals, long long& added) {
    const std::vector<std::string> codeNames(s.Codes.begin(), s.Codes.end());
    std::vector<std::string> source = codeNames;
    source.push_back("TransactionDate");
    for (const auto& [target, from] : s.Amounts) source.push_back(from);
    TStatement scan(db, "SELECT " + Joined(source) + " FROM " + s.Source + clause + " AND TransactionDate > ?");
    const int next = BindClause(scan, 1, values);
    scan.Bind(next, close);
    const int codes = int(s.Codes.size());
    int firstYear = 9999, lastYear = 0;
    TKey key;
    key.Codes.resize(size_t(codes));
    while (scan.Step()) {
        for (int i = 0; i < codes; ++i) key.Codes[size_t(i)] = scan.Text(i);
        const std::string date = scan.Text(codes);
        key.Year = date.size() >= 7 ? std::atoi(date.substr(0, 4).c_str()) : 1899;
        key.Month = date.size() >= 7 ? std::atoi(date.substr(5, 2).c_str()) : 12;
        if (keys && !keys->count(key)) continue;
        firstYear = std::min(firstYear, key.Year);
        lastYear = std::max(lastYear, key.Year);
        TProduced& row = totals.At(key.Codes, key.Year, key.Month, s.Amounts.size() + (s.CreditMinusDebit ? 1 : 0));
        for (size_t i = 0; i < s.Amounts.size(); ++i) row.Values[i] += scan.Number(codes + 1 + int(i));
        ++added;
    }
    return {firstYear, lastYear};
}

std::vector<std::string> ValueNames(const TPlainSummary& s) {
    std::vector<std::string> values;
    for (const auto& [target, from] : s.Amounts) values.push_back(target);
    if (s.CreditMinusDebit) values.push_back("TotalAmount");
    return values;
}

std::vector<TProduced> Produced(const TPlainSummary& s, const TTotals& totals) {
    std::vector<TProduced> rows = totals.Rows();
    if (s.CreditMinusDebit)
        for (TProduced& row : rows) row.Values[2] = row.Values[1] - row.Values[0];
    return rows;
}

// One pass over the open transactions, totals per codes and month, then the
// differences written.
long long BringSummary(sqlite3* db, const TPlainSummary& s, const std::string& close, long long& added) {
    TTotals totals;
    const auto [firstYear, lastYear] = AddUp(db, s, close, " NOT INDEXED WHERE 1", {}, nullptr, totals, added);
    const std::vector<std::string> codeNames(s.Codes.begin(), s.Codes.end());
    return WriteDifferences(db, {s.Table, codeNames, ValueNames(s), false}, close, Produced(s, totals),
                            {"CloseDate = ?1 OR (PeriodYear >= ? AND PeriodYear <= ?)", {firstYear, lastYear}});
}

// The changed keys' transactions, found through the index on their codes
// and date, added up in the order they were entered; then their rows.
long long BringChangedKeys(sqlite3* db, const TPlainSummary& s, const std::string& close, const std::vector<TKey>& keys,
                           long long& added) {
    if (keys.empty()) return 0;
    const std::vector<std::string> codeNames(s.Codes.begin(), s.Codes.end());
    const TPlainClause transactions = KeyTerms(codeNames, keys, [](const TKey& key, auto& values) {
        const auto [first, next] = MonthBounds(key.Year, key.Month);
        values.emplace_back(first);
        values.emplace_back(next);
        return std::string("TransactionDate >= ? AND TransactionDate < ?");
    });
    const std::set<TKey> wanted(keys.begin(), keys.end());
    TTotals totals;
    AddUp(db, s, close, std::string(" WHERE rowid IN (SELECT rowid FROM ") + s.Source + " WHERE " + transactions.Where + ")",
          transactions, &wanted, totals, added);
    return WriteDifferences(db, {s.Table, codeNames, ValueNames(s), false}, close, Produced(s, totals),
                            KeyTerms(codeNames, keys, PeriodTerm));
}

// The bills of the communication months where selects (all when empty).
long long BringBills(sqlite3* db, const std::string& close, const TPlainClause& months) {
    TTotals totals;
    TStatement tel(db, "SELECT TelcomCode, PeriodYear, PeriodMonth, TotalAmount FROM MthTel1a WHERE " +
                           (months.Where.empty() ? "" : "(" + months.Where + ") AND ") +
                           "CloseDate = ? ORDER BY TelcomCode, TelItemCode, PeriodYear, PeriodMonth");
    tel.Bind(BindClause(tel, 1, months), close);
    while (tel.Step()) totals.At({tel.Text(0)}, tel.Int(1), tel.Int(2), 1).Values[0] += tel.Number(3);
    return WriteDifferences(db, {"MthTel2a", {"TelcomCode"}, {"TotalAmount"}, true}, close, totals.Rows(), months);
}

// The chart rows of the months where selects (all when empty): each
// summary's month added up in the order its rows were written; then the
// running balance of every chart row.
long long BringChart(sqlite3* db, const std::string& close, const TPlainClause& months) {
    std::map<std::pair<int, int>, std::vector<double>> sums;
    for (int t = 0; t < 4; ++t) {
        const char* tables[] = {"MthInc1a", "MthExp1a", "MthTel1a", "MthBnk1a"};
        TStatement rows(db, std::string("SELECT PeriodYear, PeriodMonth, TotalAmount FROM ") + tables[t] + " WHERE " +
                                (months.Where.empty() ? "" : "(" + months.Where + ") AND ") +
                                "CloseDate = ? ORDER BY rowid");
        rows.Bind(BindClause(rows, 1, months), close);
        while (rows.Step()) {
            if (rows.Int(0) <= 0) continue;
            std::vector<double>& month = sums[{rows.Int(0), rows.Int(1)}];
            month.resize(4, 0.0);
            month[size_t(t)] += rows.Number(2);
        }
    }
    TTotals totals;
    for (const auto& [month, values] : sums) totals.At({}, month.first, month.second, 4).Values = values;
    long long written = WriteDifferences(
        db, {"TeeData1", {}, {"Income", "Expense", "Communications", "BankBalance"}, false}, close, totals.Rows(), months);
    TStatement rows(db, "SELECT rowid, BankBalance, RunningBankBalance FROM TeeData1 ORDER BY PeriodYear, PeriodMonth");
    TStatement update(db, "UPDATE TeeData1 SET RunningBankBalance = ? WHERE rowid = ?");
    std::vector<std::pair<sqlite3_int64, double>> changed;
    double running = 0.0;
    while (rows.Step()) {
        running = RoundToReal48(running + rows.Number(1));
        if (sqlite3_column_type(rows, 2) == SQLITE_NULL || rows.Number(2) != running)
            changed.emplace_back(sqlite3_column_int64(rows, 0), running);
    }
    for (const auto& [rowId, value] : changed) {
        update.Bind(1, value);
        update.Bind(2, rowId);
        update.Run();
    }
    return written + (long long)changed.size();
}

// The log of a transaction table: the codes and date of each row before and
// after each change, kept by triggers of the connection's own.
std::string LogOf(const TPlainSummary& s) { return std::string("floor_changes_") + s.Source; }

bool LogsStarted(sqlite3* db) {
    TStatement found(db, "SELECT count(*) FROM sqlite_temp_master WHERE name = ?");
    found.Bind(1, LogOf(kPlainSummaries[0]));
    return found.Step() && found.Int(0) > 0;
}

void StartLogs(sqlite3* db) {
    const bool started = LogsStarted(db);
    for (const TPlainSummary& s : kPlainSummaries) {
        if (started) {
            ExecPlain(db, ("DELETE FROM temp." + LogOf(s)).c_str());
            continue;
        }
        std::vector<std::string> columns(s.Codes.begin(), s.Codes.end());
        columns.push_back("TransactionDate");
        const std::string log = LogOf(s), fields = Joined(columns);
        ExecPlain(db, ("CREATE TEMP TABLE " + log + " (" + fields + ", UNIQUE (" + fields + "))").c_str());
        const std::string put = "INSERT OR IGNORE INTO " + log + " VALUES (";
        const std::string before = put + Joined(columns, "", "OLD.") + ");", after = put + Joined(columns, "", "NEW.") + ");";
        const std::string on = std::string(" ON main.") + s.Source + " BEGIN ";
        ExecPlain(db, ("CREATE TEMP TRIGGER " + log + "_i AFTER INSERT" + on + after + " END").c_str());
        ExecPlain(db, ("CREATE TEMP TRIGGER " + log + "_u AFTER UPDATE" + on + before + after + " END").c_str());
        ExecPlain(db, ("CREATE TEMP TRIGGER " + log + "_d AFTER DELETE" + on + before + " END").c_str());
    }
}

// The keys each summary's log holds; false when one has no code or date.
bool ChangedKeys(sqlite3* db, std::vector<TKey> (&keys)[4]) {
    for (size_t k = 0; k < 4; ++k) {
        const TPlainSummary& s = kPlainSummaries[k];
        std::set<TKey> found;
        TStatement log(db, "SELECT * FROM temp." + LogOf(s));
        const int codes = int(s.Codes.size());
        while (log.Step()) {
            TKey key;
            for (int i = 0; i < codes; ++i) key.Codes.push_back(log.Text(i));
            const std::string date = log.Text(codes);
            if (date.size() < 7 || std::count(key.Codes.begin(), key.Codes.end(), std::string())) return false;
            key.Year = std::atoi(date.substr(0, 4).c_str());
            key.Month = std::atoi(date.substr(5, 2).c_str());
            found.insert(std::move(key));
        }
        keys[k].assign(found.begin(), found.end());
    }
    return true;
}

// The summaries of the open period brought up to date: the first time in
// the connection over every open transaction, afterwards over the keys the
// logs hold.
long long BringSummaries(sqlite3* db, const std::string& close, long long& added, bool& all) {
    long long written = 0;
    std::vector<TKey> keys[4];
    all = !LogsStarted(db) || !ChangedKeys(db, keys);
    if (all) {
        for (const TPlainSummary& summary : kPlainSummaries) written += BringSummary(db, summary, close, added);
        written += BringBills(db, close, {});
        written += BringChart(db, close, {});
    } else {
        for (size_t k = 0; k < 4; ++k) written += BringChangedKeys(db, kPlainSummaries[k], close, keys[k], added);
        std::vector<TKey> bills, months;
        for (const TKey& key : keys[1]) bills.push_back({{key.Codes[0]}, key.Year, key.Month});
        for (const std::vector<TKey>& kind : keys)
            for (const TKey& key : kind) months.push_back({{}, key.Year, key.Month});
        for (std::vector<TKey>* list : {&bills, &months}) {
            std::sort(list->begin(), list->end());
            list->erase(std::unique(list->begin(), list->end()), list->end());
        }
        if (!bills.empty()) written += BringBills(db, close, KeyTerms({"TelcomCode"}, bills, PeriodTerm));
        if (!months.empty()) written += BringChart(db, close, KeyTerms({}, months, PeriodTerm));
    }
    StartLogs(db);
    return written;
}

// The bank account and item report: a column per month of the summary, a row
// per account and item with their names, the grand total and the indexes the
// page sorts by; then the rows a grid first shows.
int BuildBankItemReport(sqlite3* db) {
    std::map<std::pair<int, int>, int> columnOf;
    struct TLine {
        std::string Desc1, Desc2;
        std::vector<double> Columns;
        double Total = 0.0;
    };
    std::map<std::pair<std::string, std::string>, TLine> lines;
    {
        TStatement names1(db, "SELECT AccountName FROM BankAcnt WHERE BankAccountCode = ?");
        TStatement names2(db, "SELECT BankItemDesc FROM BankItm WHERE BankItemCode = ?");
        std::unordered_map<std::string, std::string> known1, known2;
        const auto describe = [](TStatement& names, std::unordered_map<std::string, std::string>& known,
                                 const std::string& code) {
            const auto [it, added] = known.try_emplace(code);
            if (added) {
                names.Bind(1, code);
                if (names.Step()) it->second = names.Text(0);
                sqlite3_reset(names);
            }
            return it->second;
        };
        TStatement rows(db, "SELECT BankAccountCode, BankItemCode, TotalAmount, PeriodYear, PeriodMonth FROM MthBnk1a "
                            "ORDER BY PeriodYear, PeriodMonth");
        while (rows.Step()) {
            const auto [month, added] = columnOf.try_emplace({rows.Int(3), rows.Int(4)}, int(columnOf.size()));
            const auto [it, isNew] = lines.try_emplace({rows.Text(0), rows.Text(1)});
            if (isNew) {
                it->second.Desc1 = describe(names1, known1, it->first.first);
                it->second.Desc2 = describe(names2, known2, it->first.second);
            }
            std::vector<double>& columns = it->second.Columns;
            if (columns.size() <= size_t(month->second)) columns.resize(size_t(month->second) + 1, 0.0);
            columns[size_t(month->second)] += rows.Number(2);
            it->second.Total += rows.Number(2);
        }
    }
    const int columnCount = int(columnOf.size());
    std::vector<std::string> money;
    for (int i = 0; i < columnCount; ++i) money.push_back("Col" + std::to_string(i));
    money.push_back("Total1");
    ExecPlain(db, "DROP TABLE IF EXISTS TempBnk1");
    ExecPlain(db, ("CREATE TABLE TempBnk1 (KeyField1 TEXT, KeyField2 TEXT, KeyField1Desc TEXT, KeyField2Desc TEXT, " +
                   Joined(money, " NUMERIC") + ", PRIMARY KEY(KeyField1, KeyField2))")
                      .c_str());
    std::string places = "?, ?, ?, ?";
    for (size_t i = 0; i < money.size(); ++i) places += ", ?";
    TStatement insert(db, "INSERT INTO TempBnk1 VALUES (" + places + ")");
    const auto put = [&](const std::string& k1, const std::string& k2, const std::string& d1, const std::string& d2,
                         const std::vector<double>& columns, double total) {
        int place = 1;
        for (const std::string* text : {&k1, &k2, &d1, &d2}) insert.Bind(place++, *text);
        for (int i = 0; i < columnCount; ++i) insert.Bind(place++, size_t(i) < columns.size() ? columns[size_t(i)] : 0.0);
        insert.Bind(place, total);
        insert.Run();
    };
    for (const auto& [key, line] : lines) put(key.first, key.second, line.Desc1, line.Desc2, line.Columns, line.Total);
    {
        std::string sql = "SELECT ";
        for (size_t i = 0; i < money.size(); ++i) sql += (i ? ", sum(" : "sum(") + money[i] + ")";
        TStatement total(db, sql + " FROM TempBnk1");
        total.Step();
        std::vector<double> columns;
        for (int i = 0; i < columnCount; ++i) columns.push_back(total.Number(i));
        const double grand = total.Number(columnCount);
        sqlite3_reset(total);
        put("999999999", "999", "GRAND TOTAL", "", columns, grand);
    }
    for (const std::string& column : money)
        if (column != "Total1") ExecPlain(db, ("CREATE INDEX ByC_" + column + " ON TempBnk1(" + column + ")").c_str());
    ExecPlain(db, "CREATE INDEX ByKeyField1 ON TempBnk1(KeyField1); CREATE INDEX ByKeyField2 ON TempBnk1(KeyField2)");
    TStatement first(db, "SELECT * FROM TempBnk1 ORDER BY KeyField1, KeyField2 LIMIT 40");
    WalkPlain(first);
    return int(lines.size()) + 1;
}

}  // namespace

TFirstReportWork FirstReportLikeWork(sqlite3* db) {
    TFirstReportWork work;
    ExecPlain(db, "BEGIN IMMEDIATE");
    std::string close;
    bool updated = false;
    {
        TStatement config(db, "SELECT CloseDate, DataUpdated FROM PConfig1");
        if (config.Step()) {
            close = config.Text(0);
            updated = config.Int(1) != 0;
        }
    }
    if (updated) {
        work.Written = BringSummaries(db, close, work.Added, work.AddedAll);
        ExecPlain(db, "UPDATE PConfig1 SET DataUpdated = 0");
    }
    ExecPlain(db, "COMMIT");
    ExecPlain(db, "BEGIN IMMEDIATE");
    work.ReportRows = BuildBankItemReport(db);
    ExecPlain(db, "COMMIT");
    return work;
}

void EndFirstReportLogs(sqlite3* db) {
    for (const TPlainSummary& s : kPlainSummaries) {
        for (const char* event : {"_i", "_u", "_d"})
            ExecPlain(db, ("DROP TRIGGER IF EXISTS temp." + LogOf(s) + event).c_str());
        ExecPlain(db, ("DROP TABLE IF EXISTS temp." + LogOf(s)).c_str());
    }
}
