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
#include "platform/engine/engine_database.h"
#include <QDate>
#include <QSet>
#include <QStringList>

enum class TSummaryKind { Bank, Tel, Income, Expense };

// The database, the two clauses and the close date in force of one run.
struct TRebuildScope {
    TEngineDatabase& Db;
    QString Source;   // selects the transactions to add up; empty: all
    QString Target;   // selects the summary rows to delete first; empty: all
    QDate CloseDate;  // stamped on every row written
};

// The statement that deletes a kind's summary rows, as its two lines.
QStringList SummaryDeleteLines(TSummaryKind kind, const QString& target);
// The name of the summary table and of the index its rows are found by.
QString SummaryTableName(TSummaryKind kind);
QString SummaryIndexName(TSummaryKind kind);

void DeleteSummaryRows(const TRebuildScope& scope, TSummaryKind kind);
// Adds the source transactions up per code(s) and month into the summary table.
void AddUpSummaryRows(const TRebuildScope& scope, TSummaryKind kind);

// The bills of the communication accounts: before the communication summary is
// rebuilt, the bills the target selects are marked old and their totals set
// to 0; afterwards each month that kept summary rows gets its bill total
// again (its paid amount kept) and the bills still marked old are deleted.
class TBillRebuild {
public:
    explicit TBillRebuild(const TRebuildScope& scope);   // marks
    void Finish(const TRebuildScope& scope) const;       // totals, deletes

private:
    QSet<QString> marked_;   // bills the target selected: they keep their stamp
};

// Deletes the chart rows the target selects and adds the four summaries'
// month totals the target selects into the chart table; then recomputes the
// running bank balance of every chart row.
void RebuildChartRows(const TRebuildScope& scope);
void RecomputeRunningBalance(TEngineDatabase& db);

// The value a six-byte real holds for x (40 significant bits): the running
// balance is carried in that precision, as the system always carried it.
double RoundToReal48(double x);
