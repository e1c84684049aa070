#include "platform/ui/mask_edit.h"
#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QKeyEvent>

const char* const SMaskEditErr = "Invalid input value.  Use escape key to abandon changes";

namespace {

// Keys that move the caret or the selection, copy, or belong to the window.
bool KeepsMask(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        return event.matches(QKeySequence::Copy) || event.matches(QKeySequence::SelectAll);
    }
}

} // namespace

TCustomMaskEdit::TCustomMaskEdit(QWidget* parent) : TCustomEdit(parent)
{
    connect(this, &QLineEdit::cursorPositionChanged, this, [this] { FollowCaret(); });
    connect(this, &QLineEdit::textChanged, this, [this] { FollowCaret(); });
}

void TCustomMaskEdit::SetEditMask(const QString& mask)
{
    const QString current = Text();
    editMask_ = mask;
    mask_ = TEditMask(mask);
    ApplyEditLimit();
    // Qt's own menu and dropping would edit around the mask.
    setContextMenuPolicy(IsMasked() ? Qt::NoContextMenu : Qt::DefaultContextMenu);
    setAcceptDrops(!IsMasked());
    if (IsMasked())
        SetMaskedEditText(mask_.EditTextOf(current));
    else
        TCustomEdit::SetText(current);
}

void TCustomMaskEdit::SetEditText(const QString& text)
{
    if (!IsMasked()) {
        TCustomEdit::SetText(text);
        return;
    }
    // Position by position: literals stay, other characters must fit.
    QString edit = mask_.BlankText();
    for (int pos = 0; pos < std::min<int>(text.size(), edit.size()); ++pos)
        if (!mask_.IsLiteral(pos))
            if (auto accepted = mask_.Accept(pos, text[pos]))
                edit[pos] = *accepted;
    SetMaskedEditText(edit);
}

QString TCustomMaskEdit::Text() const
{
    return IsMasked() ? mask_.TextOf(text()) : text();
}

void TCustomMaskEdit::SetText(const QString& text)
{
    if (IsMasked())
        SetMaskedEditText(mask_.EditTextOf(text));
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

void TCustomMaskEdit::focusOutEvent(QFocusEvent* event)
{
    // Only a move to another control of the same window checks the entry; a
    // window that closes or loses the activation takes the text as it is.
    const QWidget* next = QApplication::focusWidget();
    validateOnExit_ = next && next != this && next->window() == window() && isVisible()
                      && event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
    TCustomEdit::focusOutEvent(event);
}

bool TCustomMaskEdit::RefuseExit(const std::function<void()>& check)
{
    exitRefused_ = false;
    try {
        check();
        return false;
    } catch (...) {
        // Noted first: taking the focus back must not load a field over the text.
        exitRefused_ = true;
        SetModified(true);
        selectAll();
        if (!validateOnExit_)
            return true;
        setFocus();
        throw;
    }
}

void TCustomMaskEdit::DoExit()
{
    // An incomplete entry keeps the focus and reports the error.
    if (validateOnExit_ && IsMasked() && Modified() && mask_.FirstIncomplete(text()) >= 0) {
        validateOnExit_ = false;
        setFocus();
        ValidateEdit();
    }
    TCustomEdit::DoExit();
}

void TCustomMaskEdit::SetMaskedEditText(const QString& editText)
{
    SetModified(false);
    // As for a plain edit, the same text keeps the caret and the selection.
    if (editText == text()) {
        setModified(false);
        return;
    }
    // Typing starts at the first position to fill, not past the end.
    setText(editText);
    setCursorPosition(std::max(0, mask_.NextEditPos(0)));
}

void TCustomMaskEdit::SetMaskedText(const QString& editText, int caret)
{
    // The user's own edit: Modified is set before the change is reported.
    if (editText != text()) {
        SetModified(true);
        setText(editText);
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

void TCustomMaskEdit::PasteText(const QString& pasted)
{
    if (!IsMasked()) {
        TCustomEdit::PasteText(pasted);
        return;
    }
    for (const QChar ch : TypedText(pasted)) {
        // The mask's own separators in the pasted text stand where the mask has them.
        const int caret = SelStart();
        if (mask_.IsLiteral(caret) && ch == text()[caret]) {
            setCursorPosition(CaretAfter(caret));
            continue;
        }
        if (mask_.IsLiteral(caret - 1) && ch == text()[caret - 1])
            continue;
        // Any other character the mask refuses is left out, as typing it would be.
        TypeMaskChar(ch);
    }
}

void TCustomMaskEdit::HandleKey(QKeyEvent* event, QChar key)
{
    if (HandleLineKey(event))
        return;
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
        PasteText(QApplication::clipboard()->text());
    } else if (event->matches(QKeySequence::Cut)) {
        copy();
        DeleteMaskChars(false);
    } else if (KeepsMask(*event)) {
        TCustomEdit::HandleKey(event, key);
    }
    // Any other editing key of the line edit (undo, word deletion) would shift
    // characters across the mask, so it does nothing here.
}
