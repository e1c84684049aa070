#include "bench/support/rebuild_floor.h"
#include "bench/support/plain_sqlite.h"
#include "data/summary_rebuild.h"
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>
#include <tuple>
#include <unordered_map>
#include <variant>
#include <vector>

namespace {

class TStatement : public TPlainStatement {
public:
    using TPlainStatement::TPlainStatement;
    int BindClause(int first, const TPlainClause& clause) { return ::BindClause(*this, first, clause); }
    void BindCode(int index, const std::string& code) { Bind(index, code); }
};

using TSummary = TPlainSummary;

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

std::string Clause(const TPlainClause& clause) { return clause.Where.empty() ? "" : " " + clause.Where; }

long long Count(sqlite3* db, const std::string& table, const TPlainClause& clause) {
    TStatement count(db, "SELECT count(*) FROM " + table + Clause(clause));
    count.BindClause(1, clause);
    count.Step();
    return sqlite3_column_int64(count, 0);
}

// Deletes the rows the clause selects; when that is every row, at once.
void DeleteRows(sqlite3* db, const std::string& table, const TPlainClause& clause) {
    const bool every = clause.Where.empty() || Count(db, table, clause) == Count(db, table, {});
    TStatement remove(db, "DELETE FROM " + table + (every ? "" : Clause(clause)));
    if (!every) remove.BindClause(1, clause);
    remove.Run();
}

// Scans the transactions once, testing the source clause on each row rather
// than walking an index and looking each row up; totals in a hash map in the
// order keys appear. Deletes the summary rows the target selects and writes
// the totals, over the rows the target spared.
void RewriteSummary(sqlite3* db, const TSummary& summary, const std::string& closeDate,
                    const TRebuildClauses& clauses, long long& scanned) {
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
        TStatement scan(db, "SELECT " + Joined(sourceFields) + " FROM " + summary.Source + " NOT INDEXED" +
                                Clause(clauses.Source));
        scan.BindClause(1, clauses.Source);
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
            ++scanned;
        }
    }
    DeleteRows(db, summary.Table, clauses.Target);
    std::string places = "?", amounts;
    for (size_t i = 1; i < targetFields.size(); ++i) places += ", ?";
    for (size_t i = size_t(codes) + 2; i < targetFields.size(); ++i)
        amounts += std::string(amounts.empty() ? "" : ", ") + targetFields[i] + " = excluded." + targetFields[i];
    TStatement insert(db, std::string("INSERT INTO ") + summary.Table + " (" + Joined(targetFields) + ") VALUES (" +
                              places + ") ON CONFLICT DO UPDATE SET " + amounts);
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
}

// Each bill the target selects gets the total of its account's month over the
// items the target selects, in index order; the bills no month kept go.
void RewriteBills(sqlite3* db, const std::string& closeDate, const TPlainClause& target) {
    {
        TStatement mark(db, "UPDATE MthTel2a SET OldFlag = 1, TotalAmount = 0" + Clause(target));
        mark.BindClause(1, target);
        mark.Run();
    }
    std::map<std::tuple<std::string, int, int>, double> bills;
    {
        TStatement tel(db, "SELECT TelcomCode, PeriodYear, PeriodMonth, TotalAmount FROM MthTel1a" + Clause(target) +
                               " ORDER BY TelcomCode, TelItemCode, PeriodYear, PeriodMonth");
        tel.BindClause(1, target);
        while (tel.Step())
            bills[{tel.Text(0), sqlite3_column_int(tel, 1), sqlite3_column_int(tel, 2)}] += sqlite3_column_double(tel, 3);
    }
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

// The month totals of the four summaries the target selects, over the chart
// rows it selects; then the running bank balance of every chart row.
void RewriteChart(sqlite3* db, const std::string& closeDate, const TPlainClause& target) {
    DeleteRows(db, "TeeData1", target);
    std::map<std::pair<int, int>, std::vector<double>> months;
    {
        std::string sql;
        const char* tables[] = {"mthinc1a", "mthexp1a", "mthtel1a", "mthbnk1a"};
        for (int t = 0; t < 4; ++t) {
            sql += std::string(t ? " union " : "") + "select periodyear, periodmonth";
            for (int i = 0; i < 4; ++i) sql += i == t ? ", sum(totalamount)" : ", 0";
            sql += std::string(" from ") + tables[t] + Clause(target) + " group by periodyear, periodmonth";
        }
        TStatement totals(db, sql + " order by periodyear, periodmonth");
        for (int t = 0, place = 1; t < 4; ++t) place = totals.BindClause(place, target);
        while (totals.Step()) {
            const int year = sqlite3_column_int(totals, 0);
            if (year <= 0) continue;
            std::vector<double>& sums = months[{year, sqlite3_column_int(totals, 1)}];
            sums.resize(4);
            for (int i = 0; i < 4; ++i) sums[size_t(i)] += sqlite3_column_double(totals, 2 + i);
        }
    }
    TStatement insert(db, "INSERT INTO TeeData1 (PeriodYear, PeriodMonth, Income, Expense, Communications, "
                          "BankBalance, CloseDate, RunningBankBalance) VALUES (?, ?, ?, ?, ?, ?, ?, 0) "
                          "ON CONFLICT DO UPDATE SET Income = excluded.Income, Expense = excluded.Expense, "
                          "Communications = excluded.Communications, BankBalance = excluded.BankBalance, "
                          "CloseDate = excluded.CloseDate");
    for (const auto& [month, sums] : months) {
        sqlite3_bind_int(insert, 1, month.first);
        sqlite3_bind_int(insert, 2, month.second);
        for (int i = 0; i < 4; ++i) sqlite3_bind_double(insert, 3 + i, sums[size_t(i)]);
        sqlite3_bind_text(insert, 7, closeDate.data(), int(closeDate.size()), SQLITE_STATIC);
        insert.Run();
    }
    std::vector<std::pair<sqlite3_int64, double>> balances;
    {
        TStatement rows(db, "SELECT rowid, BankBalance FROM TeeData1 ORDER BY PeriodYear, PeriodMonth");
        while (rows.Step()) balances.emplace_back(sqlite3_column_int64(rows, 0), sqlite3_column_double(rows, 1));
    }
    TStatement update(db, "UPDATE TeeData1 SET RunningBankBalance = ? WHERE rowid = ?");
    double running = 0.0;
    for (const auto& [rowId, balance] : balances) {
        running = RoundToReal48(running + balance);
        sqlite3_bind_double(update, 1, running);
        sqlite3_bind_int64(update, 2, rowId);
        update.Run();
    }
}

}  // namespace

int BindClause(TPlainStatement& statement, int first, const TPlainClause& clause) {
    for (const auto& value : clause.Values) {
        if (const auto* number = std::get_if<long long>(&value)) statement.Bind(first++, sqlite3_int64(*number));
        else statement.Bind(first++, std::get<std::string>(value));
    }
    return first;
}

const TPlainSummary kPlainSummaries[4] = {
    {"MthBnk1a", "TrnBnk1a", {"BankAccountCode", "BankItemCode"},
     {{"DebitAmount", "DebitAmount"}, {"CreditAmount", "CreditAmount"}}, true},
    {"MthTel1a", "TrnTel1a", {"TelcomCode", "TelItemCode"}, {{"TotalAmount", "Amount"}}, false},
    {"MthInc1a", "TrnInc1a", {"IncomeCode"}, {{"TotalAmount", "IncomeAmount"}}, false},
    {"MthExp1a", "TrnExp1a", {"ExpenseCode"}, {{"TotalAmount", "ExpenseAmount"}}, false},
};

long long RebuildLikeWork(sqlite3* db, const TRebuildClauses& clauses) {
    ExecPlain(db, "BEGIN IMMEDIATE");
    std::string closeDate;
    {
        TStatement config(db, "SELECT CloseDate FROM PConfig1");
        if (config.Step()) closeDate = config.Text(0);
    }
    long long added = 0;
    for (const TSummary& summary : kPlainSummaries) RewriteSummary(db, summary, closeDate, clauses, added);
    RewriteBills(db, closeDate, clauses.Target);
    RewriteChart(db, closeDate, clauses.Target);
    ExecPlain(db, "COMMIT");
    return added;
}
