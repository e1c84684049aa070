#include "platform/ui/mask_edit.h"
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

const char* const SMaskEditErr = "Invalid input value.  Use escape key to abandon changes";

TCustomMaskEdit::TCustomMaskEdit(QWidget* parent) : TCustomEdit(parent) {}

void TCustomMaskEdit::SetEditMask(const QString& mask)
{
    const QString current = Text();
    editMask_ = mask;
    mask_ = TEditMask(mask);
    if (IsMasked()) {
        TCustomEdit::SetMaxLength(mask_.Length());
        setText(mask_.EditTextOf(current));
    } else {
        TCustomEdit::SetMaxLength(0);
        setText(current);
    }
}

void TCustomMaskEdit::SetEditText(const QString& text)
{
    if (!IsMasked()) {
        setText(text);
        return;
    }
    // Position by position: literals stay, other characters must fit.
    QString edit = mask_.BlankText();
    for (int pos = 0; pos < std::min<int>(text.size(), edit.size()); ++pos)
        if (!mask_.IsLiteral(pos))
            if (auto accepted = mask_.Accept(pos, text[pos]))
                edit[pos] = *accepted;
    setText(edit);
}

QString TCustomMaskEdit::Text() const
{
    return IsMasked() ? mask_.TextOf(text()) : text();
}

void TCustomMaskEdit::SetText(const QString& text)
{
    if (IsMasked())
        setText(mask_.EditTextOf(text));
    else
        TCustomEdit::SetText(text);
}

void TCustomMaskEdit::ValidateEdit()
{
    if (!IsMasked())
        return;
    const int pos = mask_.FirstIncomplete(text());
    if (pos < 0)
        return;
    setCursorPosition(pos);
    throw EDBEditError(QString::fromLatin1(SMaskEditErr));
}

void TCustomMaskEdit::DoExit()
{
    // An incomplete entry keeps the focus and reports the error.
    if (IsMasked() && Modified() && mask_.FirstIncomplete(text()) >= 0 && isVisible()) {
        setFocus();
        ValidateEdit();
    }
    TCustomEdit::DoExit();
}

void TCustomMaskEdit::SetMaskedText(const QString& editText, int caret)
{
    // Replaced as the user's own edit, so that Modified is already set when
    // the change is reported.
    if (editText != text()) {
        selectAll();
        insert(editText);
    }
    setCursorPosition(std::clamp(caret, 0, static_cast<int>(editText.size())));
}

int TCustomMaskEdit::CaretAfter(int pos) const
{
    const int next = mask_.NextEditPos(pos + 1);
    return next < 0 ? mask_.Length() : next;
}

bool TCustomMaskEdit::TypeMaskChar(QChar ch)
{
    int start = SelStart();
    QString edit = text();
    if (SelLength() > 0)
        edit = mask_.ClearRange(edit, start, start + SelLength());
    const int pos = mask_.NextEditPos(start);
    const auto accepted = pos < 0 ? std::nullopt : mask_.Accept(pos, ApplyCharCase(ch));
    if (!accepted) {
        QApplication::beep();
        return false;
    }
    edit[pos] = *accepted;
    SetMaskedText(edit, CaretAfter(pos));
    return true;
}

void TCustomMaskEdit::DeleteMaskChars(bool backwards)
{
    const int start = SelStart();
    if (SelLength() > 0) {
        SetMaskedText(mask_.ClearRange(text(), start, start + SelLength()), start);
        return;
    }
    const int pos = backwards ? mask_.PrevEditPos(start) : mask_.NextEditPos(start);
    if (pos < 0)
        return;
    SetMaskedText(mask_.ClearRange(text(), pos, pos + 1), backwards ? pos : start);
}

void TCustomMaskEdit::PasteMaskText(const QString& pasted)
{
    for (const QChar ch : pasted) {
        if (mask_.IsLiteral(SelStart()) && ch == text()[SelStart()]) {
            setCursorPosition(CaretAfter(SelStart()) );
            continue;
        }
        if (!TypeMaskChar(ch))
            break;
    }
}

void TCustomMaskEdit::HandleKey(QKeyEvent* event, QChar key)
{
    if (!IsMasked()) {
        TCustomEdit::HandleKey(event, key);
        return;
    }
    event->accept();
    const bool modifying = key.unicode() >= 32 || key == QChar(8) || event->key() == Qt::Key_Delete
                           || event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut);
    if (modifying && (ReadOnly() || !EditCanModify()))
        return;
    if (key.unicode() >= 32) {
        TypeMaskChar(key);
    } else if (key == QChar(8)) {
        DeleteMaskChars(true);
    } else if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        DeleteMaskChars(false);
    } else if (event->matches(QKeySequence::Paste)) {
        PasteMaskText(QApplication::clipboard()->text());
    } else if (event->matches(QKeySequence::Cut)) {
        copy();
        DeleteMaskChars(false);
    } else if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
        // Qt's undo would bring back text the mask never saw.
    } else {
        TCustomEdit::HandleKey(event, key);
    }
}
