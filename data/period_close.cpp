#include "data/period_close.h"
#include "data/adm1.h"
#include "data/adm3.h"
#include "data/message_helpers.h"
#include "data/report_tables.h"
#include "dataset/ww_table.h"
#include "platform/db/database.h"
#include "platform/rtl/format.h"
#include "platform/rtl/presenter.h"
#include "platform/rtl/transaction.h"

namespace {

// The tables whose rows are keyed by month and stamped with a close date.
constexpr const char* MonthTables[] = {"MthBnk1a", "MthTel1a", "MthInc1a", "MthExp1a", "MthTel2a", "TeeData1"};
constexpr const char* TransactionTables[] = {"TrnBnk1a", "TrnTel1a", "TrnInc1a", "TrnExp1a"};

// A date constant of the system's SQL: slashes whatever the regional separator.
QString SqlDate(TDateTime d) {
    return QLatin1Char('"') + FormatDateTime(QStringLiteral(R"(mm"/"dd"/"yyyy)"), d) + QLatin1Char('"');
}

// Rows whose month compares with the month of d as op (">", ">=", "<=")
// compares: the year strictly, and the month within the same year.
QString MonthIs(const QString& op, TDateTime d) {
    return QStringLiteral("(PeriodYear %1 %2 or (PeriodYear = %2 and PeriodMonth %3 %4))")
        .arg(op.left(1), QString::number(YearOf(d)), op, QString::number(MonthOf(d)));
}

// The rows of the months after the month of d.
QString AfterMonthOf(TDateTime d) { return QStringLiteral("where ") + MonthIs(QStringLiteral(">"), d); }

bool AnyRow(TEngineDatabase& db, const QString& table, const QString& where) {
    return RowCount(db, table, where) > 0;
}

// Whether a rebuild of the open period after newClose has anything to do.
bool AnythingOpen(TEngineDatabase& db, TDateTime newClose) {
    for (const char* table : TransactionTables)
        if (AnyRow(db, QString::fromLatin1(table), QStringLiteral("where TransactionDate > ") + SqlDate(newClose)))
            return true;
    for (const char* table : MonthTables)
        if (AnyRow(db, QString::fromLatin1(table), AfterMonthOf(newClose)))
            return true;
    return false;
}

bool OutOfDate(TEngineDatabase& db) {
    const auto rows = db.Query(QStringLiteral("select DataUpdated from PConfig1"));
    return rows->Next() && rows->Value(0).toBool();
}

// The open rows of the new close date: what the main window's rebuild
// deletes and adds up again.
void StampOpenRows(TEngineDatabase& db, TDateTime newClose) {
    for (const char* table : MonthTables)
        db.Execute(SqlText({QStringLiteral("Update ") + QString::fromLatin1(table),
                            QStringLiteral("set CloseDate = ") + SqlDate(newClose), AfterMonthOf(newClose)}));
}

void StoreCloseDate(TEngineDatabase& db, TDateTime newClose, bool dataUpdated) {
    db.Execute(SqlText({QStringLiteral("Update PConfig1"), QStringLiteral("set CloseDate = ") + SqlDate(newClose),
                        dataUpdated ? QStringLiteral(", DataUpdated = True") : QStringLiteral(", DataUpdated = False")}));
}

// The open tables show the rows as they now stand, and the configuration
// row in memory cannot write an old close date back.
void ShowTablesAfresh() {
    for (TwwTable* table : {ADm3->TblRepBank1, ADm3->TblRepTel1, ADm3->TblRepInc1, ADm3->TblRepExp1,
                            ADm3->TblTelPaid, ADm3->TblChart1, ADm1->TblConfig})
        if (table->Active() && table->State() == dsBrowse)
            table->Refresh();
}

}  // namespace

QString OpenPeriodSourceFilter(TDateTime closeDate) {
    return QStringLiteral("where TransactionDate > ") + SqlDate(closeDate);
}

QString OpenPeriodTargetFilter(TDateTime closeDate) { return QStringLiteral("where Closedate = ") + SqlDate(closeDate); }

QString ClosedRangeSourceFilter(TDateTime oldClose, TDateTime newClose) {
    return QStringLiteral("where TransactionDate > ") + SqlDate(oldClose) + QStringLiteral("  and TransactionDate <= ") +
           SqlDate(newClose);
}

QString ClosedMonthsTargetFilter(TDateTime oldClose, TDateTime newClose) {
    return QStringLiteral("where ") + MonthIs(QStringLiteral(">="), oldClose + 1) + QStringLiteral(" and ") +
           MonthIs(QStringLiteral("<="), newClose);
}

void ClosePeriod(TDateTime newClose) {
    const TDateTime oldClose = ADm1->CurrentCloseDate;
    TEngineDatabase& db = ADm1->DataQuelt->EngineDatabase();
    const THourglass hourglass;
    // A change of the configuration row still being edited is kept first:
    // posted later, it would write the old close date back.
    if (ADm1->TblConfig->State() == dsEdit)
        ADm1->TblConfig->Post();
    try {
        RunInTransaction(db, [&] {
            StampOpenRows(db, newClose);
            // The closed months are stamped with the close date still in
            // force, which no rebuild of a later open period selects.
            ADm3->RebuildSummaries(ClosedRangeSourceFilter(oldClose, newClose),
                                   ClosedMonthsTargetFilter(oldClose, newClose));
            StoreCloseDate(db, newClose, OutOfDate(db) && AnythingOpen(db, newClose));
        });
    } catch (...) {
        ShowTablesAfresh();
        throw;
    }
    ADm1->CurrentCloseDate = newClose;
    ShowTablesAfresh();
}
