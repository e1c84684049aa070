// The second module's report builders: each report table is built in one
// transaction and shown through TblProc; the report page reads the month keys
// and captions left in the first module.
#include "data/adm1.h"
#include "data/adm3.h"
#include "data/cross_tab.h"
#include "data/period_reports.h"
#include "data/report_tables.h"
#include "dataset/ww_table.h"
#include "platform/db/database.h"
#include "platform/db/field.h"

namespace {

TEngineDatabase& Engine() { return ADm1->DataQuelt->EngineDatabase(); }

void Fill(TStringList& list, const QStringList& lines) {
    list.Clear();
    for (const QString& line : lines)
        list.Add(line);
}

// Points the report table component at a freshly built table.
void ShowReportTable(TwwTable* table, const QString& name, const QString& indexFields) {
    table->SetTableName(name);
    table->SetIndexFieldNames(indexFields);
    table->Open();
}

// One build in one transaction; after a failure the report table component
// shows nothing rather than a table the rollback took away.
template <typename F>
void BuildReport(TwwTable* proc, F&& work) {
    proc->Close();
    try {
        RunReportBuild(Engine(), std::forward<F>(work));
    } catch (...) {
        proc->Close();
        throw;
    }
}

}  // namespace

QString TADm3::AddPeriodWhere() {
    if (!ADm1->FilterActive)
        return {};
    // The filter window leaves its dates in the options row, possibly still
    // being edited: the values it shows are the ones used.
    return PeriodWhereClause(ADm1->TblOptions->FieldByName(QStringLiteral("FromDate"))->AsDateTime(),
                             ADm1->TblOptions->FieldByName(QStringLiteral("ToDate"))->AsDateTime());
}

QString TADm3::LookupDescription(int kind, const QString& code) { return ::LookupDescription(Engine(), kind, code); }

void TADm3::BuildCrossTab(int mode, const QString& sourceTable, const QString& tempTable, const QString& key1Field,
                          const QString& key2Field, const QString& valueField, int key1Kind, int key2Kind) {
    const TCrossTabSpec spec{mode, sourceTable, tempTable, key1Field, key2Field, valueField, key1Kind, key2Kind};
    const QString where = AddPeriodWhere();
    TProgress progress(0);
    TMonthColumns months;
    BuildReport(TblProc, [&] {
        months = FillCrossTab(Engine(), spec, where, progress);
        ShowReportTable(TblProc, tempTable, QStringLiteral("KeyField1;KeyField2"));
    });
    ADm1->CrossTabMode = mode;
    ADm1->LastPeriodIndex = months.LastPeriodIndex();
    Fill(*ADm1->PeriodKeys, months.PeriodKeys);
    Fill(*ADm1->ColumnCaptions, months.Captions);
}

void TADm3::BuildPeriodOverview() {
    const QString where = AddPeriodWhere();
    TProgress progress(15);
    int months = 0;
    BuildReport(TblProc, [&] {
        months = FillPeriodOverview(Engine(), where, progress);
        ShowReportTable(TblProc, QStringLiteral("TempCom1"), QStringLiteral("PeriodYear;PeriodMonth"));
    });
    progress.SetPosition(15);
    ADm1->LastPeriodIndex = months - 1;
}

void TADm3::BuildBankPeriodReport() {
    TProgress progress(15);
    QStringList captions;
    BuildReport(TblProc, [&] {
        const QStringList codes = FillBankPeriodReport(Engine(), progress);
        ShowReportTable(TblProc, QStringLiteral("TempBank1"), QStringLiteral("PeriodYear;PeriodMonth"));
        progress.SetPosition(8);
        captions = BankAccountNames(Engine(), codes);
        progress.SetPosition(9);
    });
    progress.SetPosition(15);
    Fill(*ADm1->BankColumnCaptions, captions);
}
