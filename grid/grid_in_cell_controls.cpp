// TwwDBGrid: cells edited by other controls. A ControlType line of a custom
// edit type ("CustomEdit", "LookupCombo", "Combo") names an edit of the form;
// the grid borrows it, binds it to its own data source and the line's field,
// and lays it over the current cell of that column. A "CheckBox" line makes
// the column toggle between its checked and unchecked values.
#include "dataset/property_reflection.h"
#include "dataset/mask_settings.h"
#include "dataset/control_type_settings.h"
#include "dataset/text_helpers.h"
#include "grid/borrowed_control.h"
#include "platform/ui/control_services.h"
#include "grid/scoped_assign.h"
#include "grid/ww_db_edit.h"
#include "grid/ww_db_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/ui/form.h"
#include "platform/ui/inplace_edit.h"
#include <QApplication>
#include <QKeyEvent>

namespace {

bool IsType(const QString& type, const char* name)
{
    return type.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

} // namespace

bool TwwDBGrid::CellEditable() const
{
    return (Options() & dgEditing) && !ReadOnly();
}

TCustomEdit* TwwDBGrid::FindCellControl(const TField& field)
{
    QString type, parameters;
    if (!GetFieldControlType(DataSet(), field.FieldName(), type, parameters) || !IsCustomEditControlType(type))
        return nullptr;
    const QString name = parameters.section(u';', 0, 0).trimmed();
    TCustomEdit* control = nullptr;
    if (name.contains(u'.')) {
        // module name, point, control name: a control of the dataset's owner
        control = FindEditNamed(DataSet()->parent(), TextAfterChar(name, u'.'));
    } else {
        const QObject* form = (editControlOptions_ & ecoSearchOwnerForm) ? GetOwnerForm(this)
                                                                         : static_cast<QObject*>(GetParentForm(this));
        control = FindEditNamed(form, name);
    }
    // A control on a record-view form serves that form alone.
    if (control && InheritsFromClassName(control->window()->metaObject(), QStringLiteral("TwwRecordViewForm")))
        return nullptr;
    return control;
}

TCustomEdit* TwwDBGrid::CellControl(int col)
{
    const TField* field = GetColField(col - IndicatorOffset());
    TCustomEdit* control = field ? FindCellControl(*field) : nullptr;
    // A control the form made after the grid met its dataset is borrowed on first use.
    if (control) BorrowCellControl(*control, *field);
    return control;
}

TCustomEdit* TwwDBGrid::LentCellControl(int col)
{
    const TField* field = GetColField(col - IndicatorOffset());
    TCustomEdit* control = field ? FindCellControl(*field) : nullptr;
    for (const auto& loan : borrowed_)
        if (control && loan->Control() == control) return control;
    return nullptr;
}

void TwwDBGrid::BorrowCellControl(TCustomEdit& control, const TField& field)
{
    for (const auto& loan : borrowed_)
        if (loan->Control() == &control) return;
    // The loan is noted before anything changes, so that a failure half way
    // gives the control back as it was.
    auto loan = std::make_unique<TBorrowedControl>(control);
    control.hide();
    control.setParent(viewport());
    // Tab from the grid's neighbours passes it as part of the grid.
    QWidget::setTabOrder(this, &control);
    SetControlDataSource(&control, DataSource());
    SetControlDataField(&control, field.FieldName());
    control.setFrame(false);
    control.setFont(Font().Font());
    control.OnKeyDown = [this, chained = control.OnKeyDown](QObject* sender, int& key, Qt::KeyboardModifiers shift) {
        if (chained) chained(sender, key, shift);
        if (key != 0) CellControlKeyDown(key, shift);
    };
    borrowed_.push_back(std::move(loan));
}

void TwwDBGrid::PrepareCellControls()
{
    ReleaseCellControls();
    const TStrings* lines = GetDataSetControlType(DataSet());
    if (!lines) return;
    for (int i = 0; i < lines->Count(); ++i) {
        const QStringList parts = (*lines)[i].split(u';');
        if (parts.size() < 2 || !IsCustomEditControlType(parts[1])) continue;
        const TField* field = DataSet()->FindField(parts[0]);
        if (TCustomEdit* control = field ? FindCellControl(*field) : nullptr) BorrowCellControl(*control, *field);
    }
}

void TwwDBGrid::ReleaseCellControls()
{
    HideControl();
    borrowed_.clear();
}

void TwwDBGrid::HideControl()
{
    TCustomEdit* control = control_.data();
    control_ = nullptr;
    // A control lent on to another window (a record view) is that window's to show.
    if (!control || !control->isVisible() || control->window() != window()) return;
    // The focus comes back to the grid rather than going on to the next control.
    if (control->hasFocus()) setFocus();
    control->hide();
}

bool TwwDBGrid::CanEditShowControl(int col, int row)
{
    if (TwwCustomDBGrid::CanEditShowControl(col, row)) return true;
    if (row < TitleOffset() || !DataLink().Active()) return false;
    const TField* field = GetColField(col - IndicatorOffset());
    QString type, parameters;
    return field && GetFieldControlType(DataSet(), field->FieldName(), type, parameters)
           && IsCustomEditControlType(type) && CellControl(col);
}

bool TwwDBGrid::CanEditShow()
{
    if ((Options() & dgAlwaysShowEditor) && !hasFocus() && !(InplaceEditor() && InplaceEditor()->isVisible()))
        return false;
    if (CanEditShowControl(Col(), Row()) || IsMemoCell(Col())) return false;
    return TwwCustomDBGrid::CanEditShow();
}

// Lays the control of the current cell over it, after each paint.
void TwwDBGrid::PlaceCellControl()
{
    if (placingControl_) return;
    const TScopedAssign placing(placingControl_, true);
    TCustomEdit* control = Row() >= TitleOffset() ? CellControl(Col()) : nullptr;
    if (control && control->window() != window()) control = nullptr;   // lent on; it comes back later
    if (control_ && control_ != control) HideControl();
    const QRect rect = control ? CellRect(Col(), Row()) : QRect();
    if (!control || !CellEditable() || rect.isEmpty()) {
        HideControl();
        return;
    }
    if (control->parentWidget() != viewport()) control->setParent(viewport());
    if (control->geometry() != rect) control->setGeometry(rect);
    control_ = control;
    if (!control->isVisible()) {
        control->show();
        if ((Options() & dgAlwaysShowEditor) && hasFocus()) {
            control->setFocus();
            control->selectAll();
        }
    }
}

void TwwDBGrid::Paint()
{
    TwwCustomDBGrid::Paint();
    PlaceCellControl();
}

// Keys that leave the cell go on to the grid.
void TwwDBGrid::CellControlKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    const bool tab = (key == Qt::Key_Tab || key == Qt::Key_Backtab) && !(shift & Qt::AltModifier);
    const bool enterAsTab = (key == Qt::Key_Return || key == Qt::Key_Enter) && (KeyOptions() & dgEnterToTab);
    if (!tab && !enterAsTab) return;
    setFocus();   // the control writes its field on leaving
    KeyDown(key, shift);
    key = 0;
}

// ---- check boxes

bool TwwDBGrid::IsCheckBoxCell(int col)
{
    const TField* field = GetColField(col - IndicatorOffset());
    QString type, parameters;
    return field && GetFieldControlType(DataSet(), field->FieldName(), type, parameters) && IsType(type, "CheckBox");
}

void TwwDBGrid::ToggleCheckBox()
{
    TField* field = SelectedField();
    if (!field || field->ReadOnly() || !IsCheckBoxCell(Col())) return;
    const bool selectedColumn = field->Calculated() && field->FieldName().compare(QLatin1String("selected"),
                                                                                    Qt::CaseInsensitive) == 0;
    if (!CellEditable() && !selectedColumn && !(Options() & dgMultiSelect)) return;
    if (selectedColumn) {
        if (IsSelectedRecord()) UnselectRecord();
        else SelectRecord();
        return;
    }
    TDataSet* dataSet = DataSet();
    if (!DataSource()->AutoEdit() && !IsEditState(dataSet->State())) return;
    DataLink().Edit();
    if (!IsEditState(dataSet->State())) return;
    QString type, parameters;
    GetFieldControlType(dataSet, field->FieldName(), type, parameters);
    const QString checked = parameters.section(u';', 0, 0);
    const QString unchecked = parameters.section(u';', 1, 1);
    field->SetText(field->Text().compare(checked, Qt::CaseInsensitive) == 0 ? unchecked : checked);
    InvalidateCell(Col(), Row());
}

// ---- keys and the mouse

void TwwDBGrid::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (!DataLink().Active()) {
        TwwCustomDBGrid::KeyDown(key, shift);
        return;
    }
    TCustomEdit* control = Row() >= TitleOffset() ? CellControl(Col()) : nullptr;
    if (control && control->isVisible() && key == Qt::Key_Down && (shift & Qt::AltModifier)) {
        control->setFocus();
        PostKeyWithModifier(control, Qt::Key_Down, Qt::AltModifier);
        key = 0;
        return;
    }
    if (key == Qt::Key_F2 && !shift && CellEditable()) {
        if (control && control->isVisible()) {
            control->setFocus();
            key = 0;
            return;
        }
        if (IsMemoCell(Col())) {
            OpenMemoDialog();
            key = 0;
            return;
        }
    }
    if (key == Qt::Key_Space && !shift && IsCheckBoxCell(Col())) {
        ToggleCheckBox();
        key = 0;
        return;
    }
    TwwCustomDBGrid::KeyDown(key, shift);
}

// Characters on a cell with a control of its own go to that control, never
// to the grid's editor.
void TwwDBGrid::KeyPress(QChar& key)
{
    TwwCustomDBGrid::KeyPress(key);
    if (key.isNull() || !DataLink().Active() || Row() < TitleOffset()) return;
    if (!CanEditShowControl(Col(), Row()) && !IsMemoCell(Col())) return;
    TCustomEdit* control = control_.data();
    const QChar typed = key;
    key = QChar();
    if (!CellEditable() || !control || !control->isVisible() || (typed.unicode() < 32 && typed != QChar(8))) return;
    control->setFocus();
    control->selectAll();
    // Qt's key codes of the printable ASCII characters are their upper-case codes.
    const int code = typed == QChar(8) ? int(Qt::Key_Backspace) : int(typed.toUpper().unicode());
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, typed == QChar(8) ? QString() : QString(typed));
    QApplication::sendEvent(control, &press);
}

void TwwDBGrid::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    TwwCustomDBGrid::MouseDown(button, shift, x, y);
    const TGridCoord cell = MouseCoord(x, y);
    if (button != Qt::LeftButton || !DataLink().Active() || cell.Y < TitleOffset() || cell.Y != Row()) return;
    if (Options() & dgMultiSelect) MultiSelectClick(shift);
    if (cell.X == Col() && IsCheckBoxCell(cell.X) && (editControlOptions_ & ecoCheckboxSingleClick))
        ToggleCheckBox();
}

void TwwDBGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const TGridCoord cell = MouseCoord(pos.x(), pos.y());
    const bool current = DataLink().Active() && event->button() == Qt::LeftButton && cell.X == Col()
                         && cell.Y == Row() && cell.Y >= TitleOffset();
    if (current && IsMemoCell(cell.X)) {
        event->accept();
        OpenMemoDialog();
        return;
    }
    if (current && IsCheckBoxCell(cell.X) && !(editControlOptions_ & ecoCheckboxSingleClick)) {
        event->accept();
        ToggleCheckBox();
        return;
    }
    TwwCustomDBGrid::mouseDoubleClickEvent(event);
}
