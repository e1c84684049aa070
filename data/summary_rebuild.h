#pragma once
// The monthly summaries, the communication bills and the chart rows, added up
// from the transactions. These routines work on the database itself and leave
// the transaction, the progress bar and the table components to the data
// module (TADm3::RebuildSummaries).
//
// Each summary row a run writes holds exactly the sums of that run's source
// transactions, whether the target clause deleted the row first or not: a row
// the clause spared (stamped with an older close date) starts again from 0
// instead of having the same transactions added onto it a second time.
//
// A run after another with the same clauses and close date, in the same
// connection, needs to add up only the keys whose transactions changed since:
// the database logs every change of the transactions and of the fields a run
// writes (a bill's payment is not one), and a run that cannot rule a change
// out adds up everything.
#include "platform/engine/engine_database.h"
#include <QDate>
#include <QStringList>

enum class TSummaryKind { Bank, Tel, Income, Expense };

// A summary row's key: its codes, year and month.
struct TSummaryKey {
    QStringList Codes;
    int Year = 0;
    int Month = 0;

    bool operator==(const TSummaryKey&) const = default;
};

// The keys whose transactions changed since the last run, per kind.
struct TSummaryChanges {
    std::vector<TSummaryKey> Keys[4];
};

// The database, the two clauses and the close date in force of one run.
struct TRebuildScope {
    TEngineDatabase& Db;
    QString Source;   // selects the transactions to add up; empty: all
    QString Target;   // selects the summary rows to delete first; empty: all
    QDate CloseDate;  // stamped on every row written
    // Only these keys (and their bills' and chart's months) can differ from
    // what the run writes; null: any row can.
    const TSummaryChanges* Changes = nullptr;
};

// The keys whose transactions changed since the last run that was given the
// same clauses and close date, as logged by the database. None when any
// other row may differ from what this run would write: no such run before
// (in this connection), another connection wrote to the file, a table was
// emptied or made anew, anything but a run changed a field that a run writes
// in a summary, bill or chart row, or the changes are too many, or of a row
// without codes or date, to narrow the run down by.
std::optional<TSummaryChanges> ChangesSinceLastRun(const TRebuildScope& scope);
// Starts the logs that the next run reads, as the run's last step.
void StartChangeLogs(const TRebuildScope& scope);

// The statement that deletes a kind's summary rows the target selects, as its
// two lines: what a run stands for, kept beside the database.
QStringList SummaryDeleteLines(TSummaryKind kind, const QString& target);
// The name of the summary table and of the index its table is shown in.
QString SummaryTableName(TSummaryKind kind);
QString SummaryIndexName(TSummaryKind kind);

// Leaves a kind's summary table as deleting the rows the target selects and
// adding the source transactions up per code(s) and month would, writing
// only the rows whose values that changes: a run after one posted
// transaction writes one row, not the whole period again. Given the changed
// keys, it adds up and compares only their transactions and rows.
void RewriteSummaryRows(const TRebuildScope& scope, TSummaryKind kind);

// The bills of the communication accounts, once the communication summary is
// rebuilt: each month of the summary rows the target selects gets its bill
// total (its paid amount kept; a bill the target spared takes the close date
// in force), and the bills the target selected that no month kept go.
void RebuildBills(const TRebuildScope& scope);

// The chart rows as deleting those the target selects and adding the four
// summaries' month totals the target selects would leave them (only the
// changed rows written); then the running bank balance of every chart row.
void RebuildChartRows(const TRebuildScope& scope);
void RecomputeRunningBalance(TEngineDatabase& db);

// The value a six-byte real holds for x (40 significant bits): the running
// balance is carried in that precision, as the system always carried it.
double RoundToReal48(double x);
