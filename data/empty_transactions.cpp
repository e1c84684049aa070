// Emptying every transaction: the transaction, generated-transaction, summary
// and chart tables lose all their rows; the reference tables, the assets, the
// bills and the hand-entered bank balances stay. The close date goes back to
// 1 January 1900 and the summaries are marked out of date.
#include "data/adm1.h"
#include "data/adm3.h"
#include "data/rule_queries.h"
#include "dataset/ww_table.h"
#include "platform/db/database.h"
#include "platform/db/query.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/presenter.h"
#include "platform/rtl/transaction.h"

namespace {

constexpr const char* Questions[] = {
    "Warning 1/3, Empty all transactions, Are You Sure ?",
    "Warning 2/3, Empty all transactions, Are You Sure ?",
    "Final Warning, Empty all transactions, Are You Sure ?",
};

constexpr const char* EmptiedTables[] = {
    "TrnBnk1a", "MthBnk1a", "TrnTel1a", "MthTel1a", "TrnInc1a", "MthInc1a", "TrnExp1a", "MthExp1a",
    "TrnLon1a", "TrnLon1b", "TrnRec1a", "TrnRec1b", "TrnDbl1a", "TrnDbl1b", "TrnDbl1c", "TeeData1",
};

}  // namespace

bool TADm3::EmptyAllTransactions() {
    for (const char* question : Questions)
        if (MessageDlg(QString::fromLatin1(question), TMsgDlgType::mtWarning, mbYesNo, 0) != mrYes)
            Abort();

    // All tables are emptied or none: a table that cannot be emptied (held by
    // another program) leaves every table and the configuration as they were.
    RunInTransaction(*Qt1->Database(), [this] {
        for (const char* table : EmptiedTables)
            EmptyTable(QString::fromLatin1(table));
        ExecuteStatement(*Qt1, {QStringLiteral("Update PConfig1"),
                                QStringLiteral("set CloseDate = \"1/1/1900\""),
                                QStringLiteral(", DataUpdated = True")});
    });

    // The configuration row in memory must not write the old close date back.
    if (ADm1->TblConfig->State() == dsBrowse)
        ADm1->TblConfig->Refresh();
    return true;
}

void TADm3::EmptyTable(const QString& table) {
    ExecuteStatement(*Qt1, {QStringLiteral("Delete from ") + table});
}
