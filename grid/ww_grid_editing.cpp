// TwwCustomDBGrid: editing in place, moving by keyboard, inserting and
// deleting records.
#include "dataset/property_reflection.h"
#include "dataset/mask_settings.h"
#include "dataset/control_type_settings.h"
#include "dataset/intl.h"
#include "grid/ww_custom_db_grid.h"
#include "grid/ww_inplace_edit.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/rtl/presenter.h"
#include <QApplication>

namespace {
const char* const InvalidInputText = "Invalid input value.  Use escape key to abandon changes";
const char* const DeleteRecordQuestion = "Delete record?";
}

TInplaceEdit* TwwCustomDBGrid::CreateEditor()
{
    auto* editor = new TwwInplaceEdit(this);
    editor->SetWordWrap(options_ & dgWordWrap);
    return editor;
}

TwwInplaceEdit* TwwCustomDBGrid::WwEditor() const
{
    return qobject_cast<TwwInplaceEdit*>(InplaceEditor());
}

// A text editor serves the current cell: a field that is no blob or memo,
// not drawn as a control (a check box, a picture).
bool TwwCustomDBGrid::CellTakesEditor()
{
    if (!link_.Active() || Row() < titleOffset_) return false;
    const TField* field = SelectedField();
    if (!field || field->DataType() == TFieldType::ftBlob || field->DataType() == TFieldType::ftMemo) return false;
    return !CanEditShowControl(Col(), Row());
}

bool TwwCustomDBGrid::CanEditShow()
{
    return CellTakesEditor() && TCustomGrid::CanEditShow();
}

bool TwwCustomDBGrid::CanEditAcceptKey(QChar key)
{
    const TField* field = SelectedField();
    return link_.Active() && field && field->IsValidChar(key);
}

bool TwwCustomDBGrid::CanEditModify()
{
    if (readOnly_ || !link_.Active() || link_.ReadOnly()) return false;
    const TField* field = SelectedField();
    if (!field) return false;
    if (!field->CanModify() && !(editCalculated_ && IsCalculatedField(*field) && !field->ReadOnly())) return false;
    link_.Edit();
    if (link_.Editing()) link_.Modified();
    return link_.Editing();
}

int TwwCustomDBGrid::GetEditLimit()
{
    const TField* field = SelectedField();
    return field && field->DataType() == TFieldType::ftString ? field->Size() : 0;
}

QString TwwCustomDBGrid::GetEditMask(int col, int)
{
    const TField* field = GetColField(col - indicatorOffset_);
    return field ? field->EditMask() : QString();
}

QString TwwCustomDBGrid::GetEditText(int col, int)
{
    const TField* field = GetColField(col - indicatorOffset_);
    lastEditText_ = field ? field->Text() : QString();
    return lastEditText_;
}

void TwwCustomDBGrid::SetEditText(int, int, const QString& value)
{
    lastEditText_ = value;
}

void TwwCustomDBGrid::UpdateData()
{
    if (TField* field = SelectedField()) field->SetText(lastEditText_);
}

// ---- moving

bool TwwCustomDBGrid::FreshInsert() const
{
    const TDataSet* dataSet = DataSet();
    return dataSet->State() == dsInsert && !dataSet->Modified() && !link_.IsModified();
}

bool TwwCustomDBGrid::MoveToPriorRecord()
{
    TDataSet* dataSet = DataSet();
    if (FreshInsert() && dataSet->Eof()) {
        dataSet->Cancel();
        return true;
    }
    return dataSet->MoveBy(-1) != 0;
}

bool TwwCustomDBGrid::MoveToNextRecord()
{
    TDataSet* dataSet = DataSet();
    if (FreshInsert()) {
        if (dataSet->Eof()) return false;
        dataSet->Cancel();
        return true;
    }
    const bool moved = dataSet->MoveBy(1) != 0;
    if (dataSet->Eof() && DataSetCanModify() && (options_ & dgEditing) && (keyOptions_ & dgAllowInsert)
        && !readOnly_) {
        HideControl();
        dataSet->Append();
        return true;
    }
    return moved;
}

bool TwwCustomDBGrid::CanLeaveColumn()
{
    TwwInplaceEdit* editor = WwEditor();
    if (!link_.IsModified() || !editor || !editor->isVisible() || editor->AllowInvalidExit()
        || editor->IsTextValid())
        return true;
    editor->setFocus();
    const TwwInvalidValueEvent onInvalid = GetDataSetOnInvalidValue(DataSet());
    TField* field = SelectedField();
    if (onInvalid && field) {
        onInvalid(*DataSet(), *field);
        return false;
    }
    QApplication::beep();
    throw EInvalidOperation(QString::fromLatin1(InvalidInputText));
}

bool TwwCustomDBGrid::SelectCell(int col, int row)
{
    if (followingDataSet_ || !link_.Active()) return true;
    if (col != Col()) {
        if (!CanLeaveColumn()) return false;
        link_.UpdateRecord();
        if (OnColExit) OnColExit(this);
        colEnterPending_ = true;
    }
    if (row != Row() && row >= titleOffset_) {
        const int target = row - titleOffset_;
        DataSet()->MoveBy(target - link_.ActiveRecord());
        if (link_.ActiveRecord() != target) {
            colEnterPending_ = false;
            return false;
        }
    }
    return true;
}

void TwwCustomDBGrid::GoToColumn(int col)
{
    col = std::clamp(col, indicatorOffset_, ColCount() - 1);
    if (col == Col()) return;
    MoveColRow(col, Row(), true, true);
}

// The base grid's notice that the current cell moved.
void TwwCustomDBGrid::Click()
{
    // A row change that follows the dataset within the move is not the end of it.
    if (colEnterPending_ && !followingDataSet_) {
        colEnterPending_ = false;
        if (OnColEnter) OnColEnter(this);
    }
    TCustomGrid::Click();
}

void TwwCustomDBGrid::StepColumn(bool forward)
{
    if (!link_.Active() || ColCount() <= indicatorOffset_) return;
    const int first = indicatorOffset_;
    const int last = ColCount() - 1;
    const int start = Col();
    int col = start;
    for (;;) {
        col += forward ? 1 : -1;
        if (col > last || col < first) {
            if (!CanLeaveColumn()) return;
            HideControl();
            // At either end of the records the column stays. A record posted
            // and another appended after it are both without a bookmark, so
            // only the move itself tells that the row changed.
            if (!(forward ? MoveToNextRecord() : MoveToPriorRecord())) return;
            col = forward ? first : last;
        }
        if (TabStops(col)) {
            GoToColumn(col);
            return;
        }
        if (col == start) return;
    }
}

// ---- keys

void TwwCustomDBGrid::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (!link_.Active()) {
        TCustomGrid::KeyDown(key, shift);
        return;
    }
    TDataSet* dataSet = DataSet();
    const bool ctrl = shift & Qt::ControlModifier;
    const int firstCol = indicatorOffset_;
    const int lastCol = ColCount() - 1;
    const bool singleColumn = lastCol == firstCol;
    bool handled = true;
    if (ctrl) {
        switch (key) {
        case Qt::Key_Up:
        case Qt::Key_PageUp: dataSet->MoveBy(-link_.ActiveRecord()); break;
        case Qt::Key_Down:
        case Qt::Key_PageDown: dataSet->MoveBy(link_.RecordCount() - 1 - link_.ActiveRecord()); break;
        case Qt::Key_End: dataSet->Last(); break;
        case Qt::Key_Home: dataSet->First(); break;
        case Qt::Key_Left: GoToColumn(firstCol); break;
        case Qt::Key_Right: GoToColumn(lastCol); break;
        case Qt::Key_Delete:
            if ((keyOptions_ & dgAllowDelete) && !readOnly_ && dataSet->CanModify() && (options_ & dgEditing))
                DeleteWithConfirmation();
            break;
        default: handled = false; break;
        }
    } else {
        switch (key) {
        case Qt::Key_Up: MoveToPriorRecord(); break;
        case Qt::Key_Down: MoveToNextRecord(); break;
        case Qt::Key_Left:
            if (options_ & dgRowSelect) dataSet->Prior();
            else if (Col() > firstCol) GoToColumn(Col() - 1);
            break;
        case Qt::Key_Right:
            if (options_ & dgRowSelect) dataSet->Next();
            else if (Col() < lastCol) GoToColumn(Col() + 1);
            break;
        case Qt::Key_Home:
            if (singleColumn || (options_ & dgRowSelect)) dataSet->First();
            else GoToColumn(firstCol);
            break;
        case Qt::Key_End:
            if (singleColumn || (options_ & dgRowSelect)) dataSet->Last();
            else GoToColumn(lastCol);
            break;
        case Qt::Key_PageUp: dataSet->MoveBy(-VisibleRowCount()); break;
        case Qt::Key_PageDown: dataSet->MoveBy(VisibleRowCount()); break;
        case Qt::Key_Insert:
            if ((options_ & dgEditing) && (keyOptions_ & dgAllowInsert) && !readOnly_) dataSet->Insert();
            break;
        case Qt::Key_F2:
            if (CellTakesEditor()) ShowEditor();
            break;
        case Qt::Key_Escape:
            CancelEdit();
            if (!(options_ & dgAlwaysShowEditor)) HideEditor();
            else if (OnCheckValue && WwEditor()) WwEditor()->CheckText();
            break;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            if (shift & Qt::AltModifier) handled = false;
            else StepColumn(key == Qt::Key_Tab && !(shift & Qt::ShiftModifier));
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (keyOptions_ & dgEnterToTab) StepColumn(true);
            else handled = false;
            break;
        default: handled = false; break;
        }
    }
    if (handled) {
        key = 0;
        return;
    }
    TCustomGrid::KeyDown(key, shift);
}

void TwwCustomDBGrid::KeyPress(QChar& key)
{
    if (key == QChar(13) && !(options_ & dgAlwaysShowEditor) && link_.Active()) link_.UpdateRecord();
    TCustomGrid::KeyPress(key);
}

void TwwCustomDBGrid::DeleteWithConfirmation()
{
    if ((options_ & dgConfirmDelete)
        && MessageDlg(QString::fromLatin1(DeleteRecordQuestion), TMsgDlgType::mtConfirmation, mbOKCancel) != mrOk)
        return;
    DataSet()->Delete();
    HideEditor();
}

// Escape: a change still in the editor is dropped first; a change already in
// the record is dropped after the question; an untouched edit or insert goes
// without one.
void TwwCustomDBGrid::CancelEdit()
{
    TDataSet* dataSet = DataSet();
    if (link_.IsModified()) {
        link_.ClearModified();
        const TField* field = SelectedField();
        lastEditText_ = field ? field->Text() : QString();
        InvalidateEditor();
        return;
    }
    if (!IsEditState(dataSet->State())) return;
    if (dataSet->Modified()
        && MessageDlg(GlobalIntl().UserMessages.wwDBGridDiscardChanges, TMsgDlgType::mtConfirmation, mbYesNo) != mrYes)
        return;
    dataSet->Cancel();
}

void TwwCustomDBGrid::DoExit()
{
    if (link_.Active()) {
        if ((options_ & dgCancelOnExit) && FreshInsert())
            DataSet()->Cancel();
        else
            link_.UpdateRecord();
    }
    TCustomGrid::DoExit();
}
