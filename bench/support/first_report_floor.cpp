#include "bench/support/first_report_floor.h"
#include "bench/support/plain_sqlite.h"
#include "bench/support/rebuild_floor.h"
#include "data/summary_rebuild.h"
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

using TStatement = TPlainStatement;

std::string Joined(const std::vector<std::string>& names, const std::string& each = "") {
    std::string out;
    for (const std::string& name : names) out += (out.empty() ? "" : ", ") + name + each;
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

// A table the run writes: its key codes and value fields; the stored rows it
// may change are those the target (CloseDate = the close date) selects and
// those beside it names.
struct TWritten {
    std::string Table;
    std::vector<std::string> Codes;
    std::vector<std::string> Values;
    std::string Beside;   // "" or " OR ..." with two year places
    bool Bills = false;
};

// Writes only what differs: a produced row over its stored one, or new; the
// selected (or old) rows nothing produced go.
long long WriteDifferences(sqlite3* db, const TWritten& t, const std::string& close, const std::vector<TProduced>& rows,
                           int firstYear = 0, int lastYear = 0) {
    std::vector<std::string> fields = t.Codes;
    fields.push_back("PeriodYear");
    fields.push_back("PeriodMonth");
    for (const std::string& value : t.Values) fields.push_back(value);
    std::unordered_map<std::string, TStored> stored;
    {
        TStatement read(db, "SELECT rowid, " + Joined(fields) + ", CloseDate, CloseDate = ?1" +
                                (t.Bills ? ", OldFlag" : "") + " FROM " + t.Table +
                                (t.Beside.empty() ? "" : " WHERE CloseDate = ?1" + t.Beside));
        read.Bind(1, close);
        if (!t.Beside.empty()) {
            read.Bind(2, firstYear);
            read.Bind(3, lastYear);
        }
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

// One pass over the open transactions, totals per codes and month, then the
// differences written.
long long BringSummary(sqlite3* db, const TPlainSummary& s, const std::string& close, long long& added) {
    const std::vector<std::string> codeNames(s.Codes.begin(), s.Codes.end());
    std::vector<std::string> source = codeNames, values;
    source.push_back("TransactionDate");
    for (const auto& [target, from] : s.Amounts) {
        source.push_back(from);
        values.push_back(target);
    }
    if (s.CreditMinusDebit) values.push_back("TotalAmount");
    TTotals totals;
    int firstYear = 9999, lastYear = 0;
    {
        TStatement scan(db, "SELECT " + Joined(source) + " FROM " + s.Source + " NOT INDEXED WHERE TransactionDate > ?");
        scan.Bind(1, close);
        const int codes = int(s.Codes.size());
        std::vector<std::string> key(static_cast<size_t>(codes));
        while (scan.Step()) {
            for (int i = 0; i < codes; ++i) key[size_t(i)] = scan.Text(i);
            const std::string date = scan.Text(codes);
            const int year = date.size() >= 7 ? std::atoi(date.substr(0, 4).c_str()) : 1899;
            const int month = date.size() >= 7 ? std::atoi(date.substr(5, 2).c_str()) : 12;
            firstYear = std::min(firstYear, year);
            lastYear = std::max(lastYear, year);
            TProduced& row = totals.At(key, year, month, values.size());
            for (size_t i = 0; i < s.Amounts.size(); ++i) row.Values[i] += scan.Number(codes + 1 + int(i));
            ++added;
        }
    }
    std::vector<TProduced> rows = totals.Rows();
    if (s.CreditMinusDebit)
        for (TProduced& row : rows) row.Values[2] = row.Values[1] - row.Values[0];
    return WriteDifferences(db, {s.Table, codeNames, values, " OR (PeriodYear >= ?2 AND PeriodYear <= ?3)"}, close, rows,
                            firstYear, lastYear);
}

long long BringBills(sqlite3* db, const std::string& close) {
    TTotals totals;
    TStatement tel(db, "SELECT TelcomCode, PeriodYear, PeriodMonth, TotalAmount FROM MthTel1a WHERE CloseDate = ? "
                       "ORDER BY TelcomCode, TelItemCode, PeriodYear, PeriodMonth");
    tel.Bind(1, close);
    while (tel.Step()) totals.At({tel.Text(0)}, tel.Int(1), tel.Int(2), 1).Values[0] += tel.Number(3);
    return WriteDifferences(db, {"MthTel2a", {"TelcomCode"}, {"TotalAmount"}, "", true}, close, totals.Rows());
}

long long BringChart(sqlite3* db, const std::string& close) {
    TTotals totals;
    {
        std::string sql;
        const char* tables[] = {"mthinc1a", "mthexp1a", "mthtel1a", "mthbnk1a"};
        for (int t = 0; t < 4; ++t) {
            sql += std::string(t ? " union " : "") + "select periodyear, periodmonth";
            for (int i = 0; i < 4; ++i) sql += i == t ? ", sum(totalamount)" : ", 0";
            sql += std::string(" from ") + tables[t] + " where CloseDate = ?1 group by periodyear, periodmonth";
        }
        TStatement month(db, sql + " order by periodyear, periodmonth");
        month.Bind(1, close);
        while (month.Step()) {
            if (month.Int(0) <= 0) continue;
            TProduced& row = totals.At({}, month.Int(0), month.Int(1), 4);
            for (int i = 0; i < 4; ++i) row.Values[size_t(i)] += month.Number(2 + i);
        }
    }
    long long written = WriteDifferences(
        db, {"TeeData1", {}, {"Income", "Expense", "Communications", "BankBalance"}, "", false}, close, totals.Rows());
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
        for (const TPlainSummary& summary : kPlainSummaries) work.Written += BringSummary(db, summary, close, work.Added);
        work.Written += BringBills(db, close);
        work.Written += BringChart(db, close);
        ExecPlain(db, "UPDATE PConfig1 SET DataUpdated = 0");
    }
    ExecPlain(db, "COMMIT");
    ExecPlain(db, "BEGIN IMMEDIATE");
    work.ReportRows = BuildBankItemReport(db);
    ExecPlain(db, "COMMIT");
    return work;
}
