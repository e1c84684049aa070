#pragma once
// The second accounts data module: the monthly summaries, the chart data, the
// communication bills, the hand-entered bank balances, the multiple-entry and
// asset tables, the report table, a second cursor on the bank accounts, and
// its queries. The rebuild and the report builders work on the engine's
// database itself, in one transaction each.
#include "platform/db/data_module.h"
#include <QString>

class TQuery;
class TwwTable;
class TwwQuery;
class TwwDataSource;
struct TRebuildScope;

class TADm3 : public TDataModule {
    Q_OBJECT
public:
    // Builds the components on the first module's database, attaches the table
    // rules and opens the tables that are open from load. Needs ADm1.
    explicit TADm3(TComponent* owner);
    ~TADm3() override;

    // ---- Monthly summaries (adm3_summaries.cpp, on the rebuilds of summary_rebuild.cpp).
    // Deletes the summary, bill and chart rows that target selects and adds
    // them up again from the transactions that source selects; each clause is
    // a whole "where ..." line or empty for every row. All or nothing: on a
    // failure the tables stay as they were and the engine's error propagates
    // to the caller, whose handler shows it.
    void RebuildSummaries(const QString& source, const QString& target);
    // The five steps of RebuildSummaries on the clauses and the close date of
    // one run; each raises the engine's error and leaves transaction handling
    // to its caller.
    void RebuildBankSummary(const TRebuildScope& scope);
    void RebuildTelSummary(const TRebuildScope& scope);
    void RebuildIncomeSummary(const TRebuildScope& scope);
    void RebuildExpenseSummary(const TRebuildScope& scope);
    void RebuildChartData(const TRebuildScope& scope);

    // ---- Cross tabulations (adm3_reports.cpp, on the builders of cross_tab.cpp).
    // One report table per call, one money column per month. A report that
    // cannot be built leaves the database as it was: an engine error
    // propagates; an inconsistency of the source shows "Serious error, please
    // contcat developer" and abandons the report silently.
    void BuildCrossTab(int mode, const QString& sourceTable, const QString& tempTable, const QString& key1Field,
                       const QString& key2Field, const QString& valueField, int key1Kind, int key2Kind);
    // " where ..." selecting the months of the options' date range while the
    // transaction filter is on; empty otherwise.
    QString AddPeriodWhere();
    // The name of a code of the given kind (1 bank account ... 6 expense);
    // empty when the code is unknown.
    QString LookupDescription(int kind, const QString& code);

    // ---- Period overview and bank balances (adm3_reports.cpp, on the builders of
    // period_reports.cpp).
    void BuildPeriodOverview();
    void BuildBankPeriodReport();

    // ---- Emptying every transaction (empty_transactions.cpp).
    bool EmptyAllTransactions();
    void EmptyTable(const QString& table);

    TwwTable* TblRepBank1 = nullptr;
    TwwTable* TblRepTel1 = nullptr;
    TwwTable* TblRepInc1 = nullptr;
    TwwTable* TblRepExp1 = nullptr;
    TwwTable* TblChart1 = nullptr;
    TwwTable* TblTelPaid = nullptr;
    TwwTable* TblFastBank = nullptr;
    TwwTable* TblProc = nullptr;
    TwwTable* TblDbl1a = nullptr;
    TwwTable* TblDbl1b = nullptr;
    TwwTable* TblDbl1c = nullptr;
    TwwTable* TblAsset1a = nullptr;
    TwwTable* TblAsset1b = nullptr;
    TwwTable* CpyBankAcnt = nullptr;

    TwwDataSource* DsReports = nullptr;
    TwwDataSource* DsTelPaid = nullptr;
    TwwDataSource* DsFastBank = nullptr;
    TwwDataSource* DsDbl1a = nullptr;
    TwwDataSource* DsDbl1b = nullptr;
    TwwDataSource* DsDbl1c = nullptr;
    TwwDataSource* DsAsset1a = nullptr;
    TwwDataSource* DsAsset1b = nullptr;

    TQuery* Qt1 = nullptr;      // statements: emptying, header totals
    // The report queries of the module's design; the report builders read
    // their sources, descriptions and sums through the engine instead.
    TQuery* Qt2 = nullptr;
    TQuery* QtDesc = nullptr;
    TQuery* QTotal = nullptr;
    TwwQuery* QryRT = nullptr;  // new codes and detail counts

private:
    void CreateComponents();
};

// The one instance, set by the constructor and cleared by the destructor.
extern TADm3* ADm3;
