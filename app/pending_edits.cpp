#include "app/pending_edits.h"
#include "app/control_in_view.h"
#include "dataset/intl.h"
#include "grid/ww_custom_db_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/dataset.h"
#include "platform/rtl/presenter.h"
#include "platform/ui/db_controls.h"
#include "platform/ui/db_navigator.h"
#include "platform/ui/form.h"
#include <QCloseEvent>
#include <algorithm>
#include <vector>

namespace {

struct TPendingRow {
    TDataSet* Table;
    QWidget* Shown;   // where the user sees the row: its grid, else its navigator
};

std::vector<TPendingRow> PendingRows(const QWidget& window)
{
    std::vector<TPendingRow> rows;
    for (TDBNavigator* navigator : window.findChildren<TDBNavigator*>()) {
        TDataSet* table = navigator->DataSource() ? navigator->DataSource()->DataSet() : nullptr;
        if (!table || !IsEditState(table->State()))
            continue;
        if (std::any_of(rows.begin(), rows.end(), [table](const TPendingRow& row) { return row.Table == table; }))
            continue;
        rows.push_back({table, navigator});
    }
    for (TwwCustomDBGrid* grid : window.findChildren<TwwCustomDBGrid*>())
        for (TPendingRow& row : rows)
            if (grid->DataSet() == row.Table && !qobject_cast<TwwCustomDBGrid*>(row.Shown))
                row.Shown = grid;
    return rows;
}

// Where the user made a change to the row: a data-aware control holding
// text it has not written to its field yet, a grid's editor likewise, or
// the record itself; null when there is none.
QWidget* ChangeOf(const TPendingRow& row, const QWidget& window)
{
    for (QWidget* control : window.findChildren<QWidget*>()) {
        auto* dataControl = dynamic_cast<TDBFieldControl*>(control);
        if (dataControl && dataControl->DataLink().DataSet() == row.Table && dataControl->DataLink().IsModified())
            return control;
    }
    for (TwwCustomDBGrid* grid : window.findChildren<TwwCustomDBGrid*>())
        if (grid->DataSet() == row.Table && grid->DataLink().IsModified())
            return grid;
    return row.Table->Modified() ? row.Shown : nullptr;
}

class TCloseQuestion : public QObject {
public:
    explicit TCloseQuestion(QWidget& window) : QObject(&window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Close || watched != parent())
            return false;
        auto* window = static_cast<QWidget*>(watched);
        // Refused until the edits are given up: a close event is born
        // accepted, and one that a failing discard leaves so would hide the
        // window with its modal loop still running, out of the user's reach.
        event->ignore();
        if (DiscardPendingEdits(*window)) {
            event->accept();
            return false;
        }
        // A modal result that asked to close is spent: the window stays.
        if (auto* form = qobject_cast<TForm*>(window))
            form->SetModalResult(mrNone);
        return true;
    }
};

} // namespace

void CancelPendingEdits(const QWidget& window)
{
    // Details first (a window makes its lists' navigators in order, masters
    // before their details): a master's cancel would have its changed detail
    // post, and refuse with a box about a row the user gave up.
    const std::vector<TPendingRow> rows = PendingRows(window);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        if (IsEditState(row->Table->State()))
            row->Table->Cancel();
}

bool DiscardPendingEdits(QWidget& window)
{
    // One question for the window, however many of its rows were changed:
    // the same box twice in a row would read as a fault.
    QWidget* changed = nullptr;
    for (const TPendingRow& row : PendingRows(window))
        if ((changed = ChangeOf(row, window)))
            break;
    if (changed &&
        MessageDlg(GlobalIntl().UserMessages.wwDBGridDiscardChanges, TMsgDlgType::mtConfirmation, mbYesNo) != mrYes) {
        ShowInView(*changed);
        return false;
    }
    CancelPendingEdits(window);
    return true;
}

void AskBeforeClosingOverEdits(QWidget& window)
{
    new TCloseQuestion(window);
}
