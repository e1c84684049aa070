// The second module's monthly summary rebuild: the five rebuilds in one
// transaction, the summary tables opened and shown afresh afterwards.
#include "data/accounts_directory.h"
#include "data/adm1.h"
#include "data/adm3.h"
#include "data/report_tables.h"
#include "data/summary_rebuild.h"
#include "dataset/ww_table.h"
#include "platform/db/database.h"
#include "platform/rtl/string_list.h"

namespace {

TEngineDatabase& Engine() { return ADm1->DataQuelt->EngineDatabase(); }

void OpenSummaryTable(TwwTable* table, TSummaryKind kind) {
    table->SetIndexName(SummaryIndexName(kind));
    if (!table->Active())
        table->Open();
}

// The bank delete as it is about to run, kept beside the database for
// whoever wants to see what the last rebuild removed. Nothing reads the file
// back, so a file that cannot be written does not stop the rebuild.
void WriteBankDeleteScript(const QString& target) {
    try {
        TStringList lines;
        for (const QString& line : SummaryDeleteLines(TSummaryKind::Bank, target))
            lines.Add(line);
        lines.SaveToFile(AccountsFile(QStringLiteral("temp1.sql")));
    } catch (const Exception&) {
    }
}

void RebuildTransactionSummary(const TRebuildScope& scope, TwwTable* table, TSummaryKind kind) {
    OpenSummaryTable(table, kind);
    RewriteSummaryRows(scope, kind);
}

}  // namespace

void TADm3::RebuildSummaries(const QString& source, const QString& target) {
    const THourglass hourglass;
    TProgress progress(5);
    try {
        const TRebuildScope all{Engine(), source, target, DateTimeToQDate(ADm1->CurrentCloseDate)};
        RunAtomically(all.Db, [&] {
            // The rows the last run with these clauses left are kept but for
            // those of the keys whose transactions changed since.
            const std::optional<TSummaryChanges> changes = ChangesSinceLastRun(all);
            TRebuildScope scope = all;
            scope.Changes = changes ? &*changes : nullptr;
            RebuildBankSummary(scope);
            progress.SetPosition(1);
            RebuildTelSummary(scope);
            progress.SetPosition(2);
            RebuildIncomeSummary(scope);
            progress.SetPosition(3);
            RebuildExpenseSummary(scope);
            progress.SetPosition(4);
            RebuildChartData(scope);
            progress.SetPosition(5);
            StartChangeLogs(scope);
        });
    } catch (...) {
        // Rolled back: the open tables show the rows as they were. The error
        // that stopped the rebuild is the one the caller must see.
        for (TwwTable* table : {TblRepBank1, TblRepTel1, TblRepInc1, TblRepExp1, TblTelPaid, TblChart1}) {
            try {
                if (table->Active()) table->Refresh();
            } catch (const Exception&) {
            }
        }
        throw;
    }
    for (TwwTable* table : {TblRepBank1, TblRepTel1, TblRepInc1, TblRepExp1, TblTelPaid})
        table->Refresh();
}

void TADm3::RebuildBankSummary(const TRebuildScope& scope) {
    OpenSummaryTable(TblRepBank1, TSummaryKind::Bank);
    WriteBankDeleteScript(scope.Target);
    RewriteSummaryRows(scope, TSummaryKind::Bank);
}

void TADm3::RebuildTelSummary(const TRebuildScope& scope) {
    OpenSummaryTable(TblRepTel1, TSummaryKind::Tel);
    RewriteSummaryRows(scope, TSummaryKind::Tel);
    if (!TblTelPaid->Active())
        TblTelPaid->Open();
    RebuildBills(scope);
}

void TADm3::RebuildIncomeSummary(const TRebuildScope& scope) {
    RebuildTransactionSummary(scope, TblRepInc1, TSummaryKind::Income);
}

void TADm3::RebuildExpenseSummary(const TRebuildScope& scope) {
    RebuildTransactionSummary(scope, TblRepExp1, TSummaryKind::Expense);
}

void TADm3::RebuildChartData(const TRebuildScope& scope) {
    RebuildChartRows(scope);
    // The chart page sets its year filter again; the table is left whole and
    // in period order.
    TblChart1->DisableControls();
    TblChart1->Close();
    TblChart1->Open();
    TblChart1->SetIndexFieldNames(QStringLiteral("PeriodYear;PeriodMonth"));
    TblChart1->SetFiltered(false);
    TblChart1->Refresh();
    TblChart1->EnableControls();
}
