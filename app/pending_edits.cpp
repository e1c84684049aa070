#include "app/pending_edits.h"
#include "platform/db/data_source.h"
#include "platform/db/dataset.h"
#include "platform/ui/db_navigator.h"

void CancelPendingEdits(const QWidget& window)
{
    for (const TDBNavigator* navigator : window.findChildren<TDBNavigator*>()) {
        TDataSet* table = navigator->DataSource() ? navigator->DataSource()->DataSet() : nullptr;
        if (table && IsEditState(table->State()))
            table->Cancel();
    }
}
