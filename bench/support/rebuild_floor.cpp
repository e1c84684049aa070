#include "bench/support/rebuild_floor.h"
#include "bench/support/plain_sqlite.h"
#include "data/summary_rebuild.h"
#include <algorithm>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace {

class TStatement {
public:
    TStatement(sqlite3* db, const std::string& sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement_, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
    }
    ~TStatement() { sqlite3_finalize(statement_); }
    TStatement(const TStatement&) = delete;
    TStatement& operator=(const TStatement&) = delete;
    operator sqlite3_stmt*() const { return statement_; }
    bool Step() {
        const int rc = sqlite3_step(statement_);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db_));
        return rc == SQLITE_ROW;
    }
    void Run() {
        Step();
        sqlite3_reset(statement_);
    }
    std::string Text(int column) const {
        const unsigned char* text = sqlite3_column_text(statement_, column);
        return text ? std::string(reinterpret_cast<const char*>(text), size_t(sqlite3_column_bytes(statement_, column)))
                    : std::string();
    }
    void BindCode(int index, const std::string& code) {
        if (code.empty()) sqlite3_bind_null(statement_, index);
        else sqlite3_bind_text(statement_, index, code.data(), int(code.size()), SQLITE_STATIC);
    }

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

struct TSummary {
    const char* Table;
    const char* Source;
    std::vector<const char*> Codes;
    std::vector<std::pair<const char*, const char*>> Amounts;   // summary <- transaction
    bool CreditMinusDebit;
};

const TSummary Summaries[] = {
    {"MthBnk1a", "TrnBnk1a", {"BankAccountCode", "BankItemCode"},
     {{"DebitAmount", "DebitAmount"}, {"CreditAmount", "CreditAmount"}}, true},
    {"MthTel1a", "TrnTel1a", {"TelcomCode", "TelItemCode"}, {{"TotalAmount", "Amount"}}, false},
    {"MthInc1a", "TrnInc1a", {"IncomeCode"}, {{"TotalAmount", "IncomeAmount"}}, false},
    {"MthExp1a", "TrnExp1a", {"ExpenseCode"}, {{"TotalAmount", "ExpenseAmount"}}, false},
};

struct TTotal {
    std::vector<std::string> Codes;
    int Year = 0, Month = 0;
    double Sums[2] = {0.0, 0.0};
};

std::string Joined(const std::vector<const char*>& names, const char* each = "") {
    std::string out;
    for (const char* name : names) out += std::string(out.empty() ? "" : ", ") + name + each;
    return out;
}

// The month of an ISO date; a missing date is the platform's day 0, December 1899.
void MonthOf(const std::string& date, int& year, int& month) {
    if (date.size() < 7) {
        year = 1899;
        month = 12;
        return;
    }
    year = std::atoi(date.substr(0, 4).c_str());
    month = std::atoi(date.substr(5, 2).c_str());
}

// Scans the transactions once, totals in a hash map in the order keys appear,
// deletes the summary rows and writes them again.
std::vector<TTotal> RewriteSummary(sqlite3* db, const TSummary& summary, const std::string& closeDate) {
    const int codes = int(summary.Codes.size());
    std::vector<const char*> sourceFields = summary.Codes, targetFields = summary.Codes;
    sourceFields.push_back("TransactionDate");
    targetFields.push_back("PeriodYear");
    targetFields.push_back("PeriodMonth");
    for (const auto& [target, source] : summary.Amounts) {
        sourceFields.push_back(source);
        targetFields.push_back(target);
    }
    if (summary.CreditMinusDebit) targetFields.push_back("TotalAmount");
    targetFields.push_back("CloseDate");

    std::vector<TTotal> totals;
    std::unordered_map<std::string, size_t> index;
    {
        TStatement scan(db, "SELECT " + Joined(sourceFields) + " FROM " + summary.Source);
        std::string key;
        TTotal row;
        row.Codes.resize(size_t(codes));
        while (scan.Step()) {
            key.clear();
            for (int i = 0; i < codes; ++i) {
                row.Codes[size_t(i)] = scan.Text(i);
                key += row.Codes[size_t(i)] + '\x1f';
            }
            MonthOf(scan.Text(codes), row.Year, row.Month);
            key += std::to_string(row.Year * 100 + row.Month);
            const auto [it, added] = index.try_emplace(key, totals.size());
            if (added) totals.push_back(row);
            for (size_t i = 0; i < summary.Amounts.size(); ++i)
                totals[it->second].Sums[i] += sqlite3_column_double(scan, codes + 1 + int(i));
        }
    }
    ExecPlain(db, (std::string("DELETE FROM ") + summary.Table).c_str());
    std::string places = "?";
    for (size_t i = 1; i < targetFields.size(); ++i) places += ", ?";
    TStatement insert(db, std::string("INSERT INTO ") + summary.Table + " (" + Joined(targetFields) + ") VALUES (" +
                              places + ")");
    for (const TTotal& total : totals) {
        int column = 1;
        for (const std::string& code : total.Codes) insert.BindCode(column++, code);
        sqlite3_bind_int(insert, column++, total.Year);
        sqlite3_bind_int(insert, column++, total.Month);
        for (size_t i = 0; i < summary.Amounts.size(); ++i) sqlite3_bind_double(insert, column++, total.Sums[i]);
        if (summary.CreditMinusDebit) sqlite3_bind_double(insert, column++, total.Sums[1] - total.Sums[0]);
        sqlite3_bind_text(insert, column, closeDate.data(), int(closeDate.size()), SQLITE_STATIC);
        insert.Run();
    }
    return totals;
}

// Each bill gets the total of its account's month over the items in index
// order; the bills no month kept go.
void RewriteBills(sqlite3* db, std::vector<TTotal> tel, const std::string& closeDate) {
    ExecPlain(db, "UPDATE MthTel2a SET OldFlag = 1, TotalAmount = 0");
    std::sort(tel.begin(), tel.end(), [](const TTotal& a, const TTotal& b) {
        return std::tie(a.Codes, a.Year, a.Month) < std::tie(b.Codes, b.Year, b.Month);
    });
    std::map<std::tuple<std::string, int, int>, double> bills;
    for (const TTotal& total : tel) bills[{total.Codes[0], total.Year, total.Month}] += total.Sums[0];
    TStatement update(db, "UPDATE MthTel2a SET TotalAmount = ?, OldFlag = 0 "
                          "WHERE TelcomCode = ? AND PeriodYear = ? AND PeriodMonth = ?");
    TStatement insert(db, "INSERT INTO MthTel2a (TotalAmount, OldFlag, TelcomCode, PeriodYear, PeriodMonth, CloseDate) "
                          "VALUES (?, 0, ?, ?, ?, ?)");
    for (const auto& [key, amount] : bills) {
        for (TStatement* statement : {&update, &insert}) {
            sqlite3_bind_double(*statement, 1, amount);
            statement->BindCode(2, std::get<0>(key));
            sqlite3_bind_int(*statement, 3, std::get<1>(key));
            sqlite3_bind_int(*statement, 4, std::get<2>(key));
        }
        update.Run();
        if (sqlite3_changes(db) == 0) {
            sqlite3_bind_text(insert, 5, closeDate.data(), int(closeDate.size()), SQLITE_STATIC);
            insert.Run();
        }
    }
    ExecPlain(db, "DELETE FROM MthTel2a WHERE OldFlag = 1");
}

// The month totals of the four summaries, with the running bank balance.
void RewriteChart(sqlite3* db, const std::string& closeDate) {
    ExecPlain(db, "DELETE FROM TeeData1");
    std::map<std::pair<int, int>, std::vector<double>> months;
    {
        std::string sql;
        const char* tables[] = {"mthinc1a", "mthexp1a", "mthtel1a", "mthbnk1a"};
        for (int t = 0; t < 4; ++t) {
            sql += std::string(t ? " union " : "") + "select periodyear, periodmonth";
            for (int i = 0; i < 4; ++i) sql += i == t ? ", sum(totalamount)" : ", 0";
            sql += std::string(" from ") + tables[t] + " group by periodyear, periodmonth";
        }
        TStatement totals(db, sql + " order by periodyear, periodmonth");
        while (totals.Step()) {
            const int year = sqlite3_column_int(totals, 0);
            if (year <= 0) continue;
            std::vector<double>& sums = months[{year, sqlite3_column_int(totals, 1)}];
            sums.resize(4);
            for (int i = 0; i < 4; ++i) sums[size_t(i)] += sqlite3_column_double(totals, 2 + i);
        }
    }
    TStatement insert(db, "INSERT INTO TeeData1 (PeriodYear, PeriodMonth, Income, Expense, Communications, "
                          "BankBalance, CloseDate, RunningBankBalance) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    double running = 0.0;
    for (const auto& [month, sums] : months) {
        running = RoundToReal48(running + sums[3]);
        sqlite3_bind_int(insert, 1, month.first);
        sqlite3_bind_int(insert, 2, month.second);
        for (int i = 0; i < 4; ++i) sqlite3_bind_double(insert, 3 + i, sums[size_t(i)]);
        sqlite3_bind_text(insert, 7, closeDate.data(), int(closeDate.size()), SQLITE_STATIC);
        sqlite3_bind_double(insert, 8, running);
        insert.Run();
    }
}

}  // namespace

void RebuildLikeWork(sqlite3* db) {
    ExecPlain(db, "BEGIN IMMEDIATE");
    std::string closeDate;
    {
        TStatement config(db, "SELECT CloseDate FROM PConfig1");
        if (config.Step()) closeDate = config.Text(0);
    }
    std::vector<TTotal> tel;
    for (const TSummary& summary : Summaries) {
        std::vector<TTotal> totals = RewriteSummary(db, summary, closeDate);
        if (summary.Table == Summaries[1].Table) tel = std::move(totals);
    }
    RewriteBills(db, std::move(tel), closeDate);
    RewriteChart(db, closeDate);
    ExecPlain(db, "COMMIT");
}
