// The grid's in-place editor: when it shows, what it edits, where it sits.
#include "platform/ui/custom_grid.h"
#include "platform/ui/inplace_edit.h"
#include "platform/ui/application.h"

bool TCustomGrid::IsActiveControl() const
{
    return hasFocus() || (editor_ && editor_->hasFocus());
}

TInplaceEdit* TCustomGrid::CreateEditor()
{
    return new TInplaceEdit(this);
}

bool TCustomGrid::CanEditShow()
{
    return (options_ & (goRowSelect | goEditing)) == goEditing && editorMode_
           && ((options_ & goAlwaysShowEditor) || IsActiveControl());
}

bool TCustomGrid::CanEditModify() { return true; }
bool TCustomGrid::CanEditAcceptKey(QChar) { return true; }
int TCustomGrid::GetEditLimit() { return 0; }
QString TCustomGrid::GetEditMask(int, int) { return {}; }
QString TCustomGrid::GetEditText(int, int) { return {}; }
void TCustomGrid::SetEditText(int, int, const QString&) {}

void TCustomGrid::SetEditorMode(bool on)
{
    if (on)
        ShowEditor();
    else
        HideEditor();
}

void TCustomGrid::ShowEditor()
{
    editorMode_ = true;
    UpdateEdit();
}

void TCustomGrid::HideEditor()
{
    editorMode_ = (options_ & goAlwaysShowEditor) != 0;
    if (!editor_ || !editor_->isVisible())
        return;
    UpdateText();
    HideEditorWidget();
    editorCell_ = {-1, -1};
    InvalidateCell(current_.X, current_.Y);
}

void TCustomGrid::InvalidateEditor()
{
    editorCell_ = {-1, -1};
    UpdateEdit();
}

void TCustomGrid::UpdateEdit()
{
    if (!CanEditShow()) {
        HideEditorWidget();
        editorCell_ = {-1, -1};
        return;
    }
    if (!editor_)
        editor_ = CreateEditor();
    if (!(editorCell_ == current_)) {
        editorCell_ = current_;
        editor_->UpdateContents();
    }
    PlaceEditor();
}

void TCustomGrid::PlaceEditor()
{
    if (!editor_ || editorCell_.X < 0)
        return;
    const QRect rect = CellRect(editorCell_.X, editorCell_.Y);
    if (rect.isEmpty()) {
        HideEditorWidget();
        return;
    }
    editor_->setGeometry(rect);
    editor_->show();
    // The editor takes the keys from a grid that has them, also when it was
    // already showing (a refused value, a cancelled row).
    if (hasFocus())
        editor_->setFocus();
}

void TCustomGrid::HideEditorWidget()
{
    if (!editor_ || !editor_->isVisible())
        return;
    // The keys come back to the grid, not to the next control of the window;
    // also while a box has the keyboard: the window gives it back to the grid.
    if (window()->focusWidget() == editor_)
        setFocus();
    editor_->hide();
}

void TCustomGrid::UpdateText()
{
    if (editor_ && editorCell_.X >= 0 && editor_->Modified())
        SetEditText(editorCell_.X, editorCell_.Y, editor_->Text());
}

void TCustomGrid::RestoreEditorText()
{
    if (!editor_ || editorCell_.X < 0 || !editor_->Modified())
        return;
    editor_->SetText(editorOriginal_);
    editor_->SetModified(false);
    SetEditText(editorCell_.X, editorCell_.Y, editorOriginal_);
}

// The grid is entered and left as a whole: the editor and a control laid over
// a cell are part of it. Another window taking the keyboard (a drop-down list,
// a box, another program) leaves the grid where it is in its own window. Qt
// emits this signal while it handles the window system's activation, outside
// any event, so what the handlers throw is shown here and goes no further.
void TCustomGrid::FocusChanged(QWidget* old, QWidget* now)
{
    const auto inGrid = [this](const QWidget* widget) { return widget && (widget == this || isAncestorOf(widget)); };
    if (inGrid(old) != inGrid(now)) {
        if (options_ & goRowSelect)
            InvalidateRow(current_.Y);
        else
            InvalidateCell(current_.X, current_.Y);
    }
    const bool inside = inGrid(now);
    if (inside == focusInside_ || (!inside && (!now || now->window() != window() || returningFocus_)))
        return;
    focusInside_ = inside;
    try {
        if (inside) {
            UpdateEdit();
            DoEnter();
        } else {
            DoExit();
        }
    } catch (...) {
        // A value the record refuses keeps the grid: once the box is
        // answered the keys come back to the cell that holds it. The return
        // is queued after the box: run inside the box's loop, it would let
        // the window's getting the keyboard back leave the grid again and
        // meet the same refusal a second time.
        if (!inside) {
            focusInside_ = true;
            returningFocus_ = true;
        }
        if (Application)
            Application->HandleException(std::current_exception());
        if (!inside)
            QMetaObject::invokeMethod(this, [this] { ReturnFocus(); }, Qt::QueuedConnection);
    }
}

void TCustomGrid::ReturnFocus()
{
    returningFocus_ = false;
    // A grid that went out of sight with its page keeps the value for when it is back.
    if (!isVisible()) {
        focusInside_ = false;
        return;
    }
    if (editor_ && editor_->isVisible())
        editor_->setFocus();
    else
        setFocus();
}
