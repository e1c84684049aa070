#include "platform/ui/inplace_edit.h"
#include "platform/ui/custom_grid.h"
#include <QKeyEvent>

TInplaceEdit::TInplaceEdit(TCustomGrid* grid) : TCustomMaskEdit(grid->viewport()), grid_(grid)
{
    setFrame(false);
    SetAutoSelect(false);
    hide();
}

void TInplaceEdit::UpdateContents()
{
    const int col = grid_->Col();
    const int row = grid_->Row();
    SetEditMask(grid_->GetEditMask(col, row));
    if (!IsMasked())
        SetMaxLength(grid_->GetEditLimit());
    setFont(grid_->Font().Font());
    grid_->editorOriginal_ = grid_->GetEditText(col, row);
    SetText(grid_->editorOriginal_);
    SetModified(false);
    selectAll();
}

bool TInplaceEdit::EditCanModify()
{
    return grid_->CanEditModify();
}

void TInplaceEdit::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    TCustomMaskEdit::KeyDown(key, shift);
    const bool forward = grid_->Options() & goAlwaysShowEditor;
    const bool ctrl = shift & Qt::ControlModifier;
    const bool atStart = SelLength() == 0 && SelStart() == 0;
    const bool atEnd = SelLength() == 0 && SelStart() == text().size();
    bool toGrid = false;
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Escape:
        toGrid = true;
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        toGrid = !(shift & Qt::AltModifier);
        break;
    case Qt::Key_Left:
    case Qt::Key_Home:
        toGrid = forward && (atStart || ctrl);
        break;
    case Qt::Key_Right:
    case Qt::Key_End:
        toGrid = forward && (atEnd || ctrl);
        break;
    case Qt::Key_Insert:
        // Insert adds a row while a cell is being edited; Shift+Insert pastes.
        if (!shift)
            toGrid = true;
        else if (shift == Qt::ShiftModifier && !EditCanModify())
            key = 0;
        break;
    case Qt::Key_Delete:
        if (!EditCanModify())
            key = 0;
        break;
    default:
        break;
    }
    if (toGrid) {
        grid_->KeyDown(key, shift);
        key = 0;
    }
}

void TInplaceEdit::KeyPress(QChar& key)
{
    TCustomMaskEdit::KeyPress(key);
    if (key.isNull())
        return;
    // Enter belongs to the grid, which closes the editor with the text in it.
    if (key == QChar(13)) {
        grid_->KeyPress(key);
        key = QChar();
        return;
    }
    if (key.unicode() >= 32 && !grid_->CanEditAcceptKey(key))
        key = QChar();
    else if ((key.unicode() >= 32 || key == QChar(8)) && !EditCanModify())
        key = QChar();
}

void TInplaceEdit::Change()
{
    TCustomMaskEdit::Change();
    if (Modified())
        grid_->UpdateText();
}

void TInplaceEdit::DoExit()
{
    TCustomEdit::DoExit();
}

bool TInplaceEdit::event(QEvent* event)
{
    // Tab moves between cells with goTabs instead of leaving the grid.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && (grid_->Options() & goTabs)) {
            keyPressEvent(key);
            return true;
        }
    }
    return TCustomMaskEdit::event(event);
}
