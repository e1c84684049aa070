#include "grid/ww_inplace_edit.h"
#include "dataset/property_reflection.h"
#include "dataset/mask_settings.h"
#include "dataset/picture_mask.h"
#include "grid/picture_typing.h"
#include "grid/ww_custom_db_grid.h"
#include "platform/db/field.h"
#include <QKeySequence>

TwwInplaceEdit::TwwInplaceEdit(TwwCustomDBGrid* grid) : TInplaceEdit(grid), wwGrid_(grid) {}

// Enter belongs to the grid, never a new line of the text.
void TwwInplaceEdit::CreateParams(TEditStyle& style) const
{
    TInplaceEdit::CreateParams(style);
    WordWrapStyle(style);
}

void TwwInplaceEdit::LoadPictureMask()
{
    const TField* field = wwGrid_->SelectedField();
    const TFieldPictureMask mask = field ? GetFieldPictureMask(wwGrid_->DataSet(), field->FieldName())
                                         : TFieldPictureMask{};
    pictureMask_ = mask.Mask;
    autoFill_ = mask.AutoFill;
    useMask_ = mask.UseMask;
    allowInvalidExit_ = false;
}

void TwwInplaceEdit::focusInEvent(QFocusEvent* event)
{
    TInplaceEdit::focusInEvent(event);
    LoadPictureMask();
    CheckText();
}

bool TwwInplaceEdit::IsTextValid() const
{
    if (text().isEmpty() || !MaskInUse()) return true;
    QString checked = text();
    return TwwPictureValidator(pictureMask_, autoFill_).Picture(checked, false) == prComplete;
}

void TwwInplaceEdit::ReportCheck(bool passed)
{
    if (wwGrid_->OnCheckValue) wwGrid_->OnCheckValue(this, passed);
}

void TwwInplaceEdit::CheckText()
{
    ReportCheck(IsTextValid());
}

void TwwInplaceEdit::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    const bool enterToTab = (key == Qt::Key_Return || key == Qt::Key_Enter)
                            && (wwGrid_->KeyOptions() & dgEnterToTab);
    if ((key == Qt::Key_Delete && (shift & Qt::ControlModifier)) || enterToTab) {
        wwGrid_->setFocus();
        wwGrid_->KeyDown(key, shift);
        key = 0;
        return;
    }
    // Pasted or cut text changes the field like typing: the record goes into edit first.
    const QKeySequence pressed(key | int(shift));
    const bool changesText = pressed.matches(QKeySequence::Paste) == QKeySequence::ExactMatch
                             || pressed.matches(QKeySequence::Cut) == QKeySequence::ExactMatch;
    if (changesText && !EditCanModify()) {
        key = 0;
        return;
    }
    TInplaceEdit::KeyDown(key, shift);
}

void TwwInplaceEdit::KeyUp(int& key, Qt::KeyboardModifiers shift)
{
    TInplaceEdit::KeyUp(key, shift);
    if (key == Qt::Key_Delete) CheckText();
}

void TwwInplaceEdit::KeyPress(QChar& key)
{
    TInplaceEdit::KeyPress(key);
    if (key.isNull()) return;
    if (key == QChar(8)) {
        if (wwGrid_->OnCheckValue && MaskInUse()) {
            QString after = text();
            const int caret = cursorPosition();
            if (hasSelectedText()) after.remove(selectionStart(), selectedText().size());
            else if (caret > 0) after.remove(caret - 1, 1);
            QString checked = after;
            ReportCheck(after.isEmpty()
                        || TwwPictureValidator(pictureMask_, autoFill_).Picture(checked, false) == prComplete);
        }
        return;
    }
    if (key.unicode() < 32 || !MaskInUse()) return;
    TypeThroughMask(key);
}

bool TwwInplaceEdit::TypeThroughMask(QChar& key)
{
    const int selStart = hasSelectedText() ? selectionStart() : cursorPosition();
    const int selLength = hasSelectedText() ? int(selectedText().size()) : 0;
    const TPictureTyping typed
        = TypeThroughPicture({text(), selStart, selLength, key, MaxLength(), false}, pictureMask_, autoFill_);
    return ApplyPictureTyping(
        typed, key,
        [this](const TPictureTyping& result) {
            SetText(result.Text);
            SetModified(true);
            setCursorPosition(result.Caret);
            wwGrid_->SetEditText(wwGrid_->Col(), wwGrid_->Row(), result.Text);
        },
        [this](bool complete) { ReportCheck(complete); });
}
