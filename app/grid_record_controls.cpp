#include "app/grid_record_controls.h"
#include "grid/lookup_combo.h"
#include "grid/ww_db_grid.h"
#include "platform/db/dataset.h"
#include "platform/ui/db_controls.h"
#include <QApplication>

namespace {

// Whether the widget, or the control it is a part of (a radio group's
// button), writes into the current record of source.
bool EditsRecordOf(const QWidget* widget, const TDataSource* source)
{
    for (; widget; widget = widget->parentWidget()) {
        if (const auto* control = dynamic_cast<const TDBFieldControl*>(widget))
            return control->DataSource() == source;
        if (const auto* combo = qobject_cast<const TwwDBCustomLookupCombo*>(widget))
            return combo->DataSource() == source;
    }
    return false;
}

} // namespace

void KeepNewRecordForItsControls(TwwDBGrid& grid)
{
    grid.SetOptions(grid.Options() & ~dgCancelOnExit);
    // Runs once the grid has written its editor back, so an unmodified
    // record is one nobody typed into.
    grid.OnExit = [&grid](QObject*) {
        TDataSet* records = grid.DataSet();
        if (!records || records->State() != dsInsert || records->Modified() ||
            EditsRecordOf(QApplication::focusWidget(), grid.DataSource()))
            return;
        records->Cancel();
    };
}
