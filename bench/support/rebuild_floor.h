#pragma once
// The summary rebuild done directly in SQLite, as the floor of the program's
// rebuild: the same rows written, with no engine in between.
#include <sqlite3.h>
#include <string>
#include <utility>
#include <variant>
#include <vector>

// A where-clause of plain SQLite with "?" places and the values bound to them
// in order; an empty clause selects every row.
struct TPlainClause {
    std::string Where;
    std::vector<std::variant<long long, std::string>> Values;
};

class TPlainStatement;
// Binds a clause's values from place first on; returns the place after them.
int BindClause(TPlainStatement& statement, int first, const TPlainClause& clause);

// The two clauses of a rebuild: the transactions added up, the summary, bill
// and chart rows deleted first.
struct TRebuildClauses {
    TPlainClause Source;
    TPlainClause Target;
};

// In one transaction on db: for each of the four summaries one pass over its
// transactions (the source clause tested on each row) with the totals per
// codes and month in a hash map, the rows the target selects deleted (the
// table emptied at once when that is every row) and the totals written; the
// communication bills and the chart rows rewritten from the new totals; one
// commit. Leaves the tables exactly as the program's rebuild with the same
// clauses does. Returns the number of transactions added up.
long long RebuildLikeWork(sqlite3* db, const TRebuildClauses& clauses = {});

// One of the four summaries: its table, its transactions, the codes of its
// key and its amounts (summary <- transaction).
struct TPlainSummary {
    const char* Table;
    const char* Source;
    std::vector<const char*> Codes;
    std::vector<std::pair<const char*, const char*>> Amounts;
    bool CreditMinusDebit;   // TotalAmount := CreditAmount - DebitAmount
};
extern const TPlainSummary kPlainSummaries[4];

// The tables a rebuild writes.
inline constexpr const char* kRebuiltTables[] = {"MthBnk1a", "MthTel1a", "MthInc1a", "MthExp1a", "MthTel2a", "TeeData1"};
