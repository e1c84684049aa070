#include "grid/popup_grid.h"
#include "grid/lookup_combo.h"
#include "platform/db/data_source.h"

TwwPopupGrid::TwwPopupGrid(TwwDBCustomLookupCombo& combo) : TwwDBLookupList(&combo), combo_(combo)
{
    // A floating window over the others that leaves the keyboard to the combo.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    SetBorderStyle(TGridBorderStyle::bsSingle);
    hide();
}

TDataSource* TwwPopupGrid::OwnerSource() const
{
    return combo_.DataSource();
}

QString TwwPopupGrid::OwnerField() const
{
    return combo_.DataField();
}

void TwwPopupGrid::ShowOwnerValue()
{
    // While the list is open the user moves through it; the record cannot move.
    if (!isVisible()) combo_.DataChange();
}

bool TwwPopupGrid::MayTakeValue() const
{
    const TDataSource* source = combo_.DataSource();
    if (!source || combo_.link_.Editing()) return true;
    if (!combo_.DataSetLookupField()) return false;
    const TDataSetState state = source->State();
    return state == dsEdit || state == dsInsert || source->AutoEdit();
}

void TwwPopupGrid::EditRecord()
{
    combo_.EditRecord();
}

void TwwPopupGrid::LinkActive(bool active)
{
    TwwDBLookupList::LinkActive(active);
    if (combo_.parentWidget() && active) {
        if (!Binding().Bound()) BindLookupFields(false);
        combo_.DataChange();
    }
}

void TwwPopupGrid::TrackMouse(const QPoint& point)
{
    const TGridCoord cell = MouseCoord(point.x(), point.y());
    if (cell.Y >= TitleRows()) MoveColRow(std::max(cell.X, 0), cell.Y, true, true);
}

void TwwPopupGrid::PickAt(const QPoint& point)
{
    const TGridCoord cell = MouseCoord(point.x(), point.y());
    if (cell.Y < TitleRows()) return;
    combo_.EditRecord();
    TrackMouse(point);
    RowValuesToOwner();
}
