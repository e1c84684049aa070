#include "platform/ui/custom_edit.h"
#include "platform/rtl/whole_characters.h"
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QProxyStyle>

namespace {

// Shows the edit's own password character in place of Qt's.
class TPasswordStyle : public QProxyStyle {
public:
    explicit TPasswordStyle(QChar ch) : ch_(ch) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return ch_.unicode();
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

private:
    QChar ch_;
};

// The character Text begins with, and how many places it takes; a half of a
// character alone is none (0).
char32_t FirstCharacter(QStringView text, qsizetype& places)
{
    places = text.isEmpty() ? 0 : 1;
    if (text.isEmpty() || text[0].isLowSurrogate())
        return 0;
    if (!text[0].isHighSurrogate())
        return text[0].unicode();
    if (text.size() < 2 || !text[1].isLowSurrogate())
        return 0;
    places = 2;
    return QChar::surrogateToUcs4(text[0], text[1]);
}

} // namespace

TCustomEdit::TCustomEdit(QWidget* parent) : QLineEdit(parent)
{
    // Qt marks the user's own edits; they count before OnChange hears of them.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (isModified())
            modified_ = true;
        Change();
    });
}

TCustomEdit::~TCustomEdit() = default;

void TCustomEdit::SetText(const QString& text)
{
    modified_ = false;
    // The same text again leaves the caret and the selection alone: a record
    // that goes into edit state shows its field anew while the user's key is
    // on its way, and that key must still replace what the user selected.
    const QString shown = ApplyCharCase(text);
    if (shown != QLineEdit::text()) setText(shown);
    else setModified(false);
}

void TCustomEdit::ClearSelection()
{
    if (hasSelectedText())
        del();
}

int TCustomEdit::SelStart() const
{
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

void TCustomEdit::SetSelStart(int start)
{
    setCursorPosition(start);
}

int TCustomEdit::SelLength() const
{
    return hasSelectedText() ? selectionLength() : 0;
}

void TCustomEdit::SetSelLength(int length)
{
    setSelection(SelStart(), length);
}

void TCustomEdit::SetSelText(const QString& text)
{
    insert(ApplyCharCase(text));
}

void TCustomEdit::SetMaxLength(int length)
{
    maxLength_ = std::max(0, length);
    ApplyEditLimit();
}

void TCustomEdit::ApplyEditLimit()
{
    // Qt sets the text again on a new limit, which sends the caret to the end.
    const int limit = EditLimit() > 0 ? EditLimit() : 32767;
    if (limit == maxLength())
        return;
    const int caret = cursorPosition();
    setMaxLength(limit);
    setCursorPosition(caret);
}

void TCustomEdit::SetCharCase(TEditCharCase charCase)
{
    charCase_ = charCase;
    if (charCase_ != TEditCharCase::ecNormal)
        setText(ApplyCharCase(text()));
}

void TCustomEdit::SetPasswordChar(QChar ch)
{
    passwordChar_ = ch;
    if (passwordStyle_) {
        setStyle(nullptr);
        delete passwordStyle_;
        passwordStyle_ = nullptr;
    }
    if (ch.isNull()) {
        setEchoMode(QLineEdit::Normal);
        return;
    }
    passwordStyle_ = new TPasswordStyle(ch);
    passwordStyle_->setParent(this);
    setStyle(passwordStyle_);
    setEchoMode(QLineEdit::Password);
}

QChar TCustomEdit::ApplyCharCase(QChar ch) const
{
    switch (charCase_) {
    case TEditCharCase::ecUpperCase: return ch.toUpper();
    case TEditCharCase::ecLowerCase: return ch.toLower();
    case TEditCharCase::ecNormal: break;
    }
    return ch;
}

QString TCustomEdit::ApplyCharCase(const QString& text) const
{
    switch (charCase_) {
    case TEditCharCase::ecUpperCase: return text.toUpper();
    case TEditCharCase::ecLowerCase: return text.toLower();
    case TEditCharCase::ecNormal: break;
    }
    return text;
}

QChar TCustomEdit::KeyChar(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Backspace: return QChar(8);
    case Qt::Key_Return:
    case Qt::Key_Enter: return QChar(13);
    case Qt::Key_Escape: return QChar(27);
    default: break;
    }
    if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return {};
    const QString text = event.text();
    qsizetype places = 0;
    const char32_t ch = FirstCharacter(text, places);
    if (places == text.size() && IsTypeable(ch))
        return text[0];
    return {};
}

bool TCustomEdit::IsTypeable(char32_t ch)
{
    // What the line edit itself inserts from a key: no control characters,
    // no half of a character, nothing unassigned.
    return QChar::isPrint(ch) || QChar::category(ch) == QChar::Other_Format
           || QChar::category(ch) == QChar::Other_PrivateUse;
}

QString TCustomEdit::TypedText(const QString& text)
{
    QString typed;
    qsizetype places = 0;
    for (qsizetype i = 0; i < text.size(); i += places) {
        const char32_t character = FirstCharacter(QStringView(text).mid(i), places);
        if (!IsTypeable(character))
            continue;
        const QString whole = text.mid(i, places);
        // Checked as a key delivers it: by its first half.
        QChar ch = whole[0];
        KeyPress(ch);
        if (ch == whole[0])
            typed += whole;
        else if (!ch.isNull())
            typed += ch;
    }
    return typed;
}

void TCustomEdit::InsertTyped(const QString& typed)
{
    if (isReadOnly())
        return;
    const QString shown = ApplyCharCase(typed);
    const QString fitted = LeftWholeCharacters(shown, Room());
    // Nothing that fits: the selection stays, as for a key at the limit.
    if (fitted.isEmpty() && !shown.isEmpty())
        return;
    insert(fitted);
}

qsizetype TCustomEdit::Room() const
{
    return maxLength() - (text().size() - selectedText().size());
}

void TCustomEdit::PasteText(const QString& text)
{
    InsertTyped(TypedText(text));
}

void TCustomEdit::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TCustomEdit::KeyUp(int& key, Qt::KeyboardModifiers shift)
{
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TCustomEdit::KeyPress(QChar& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TCustomEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomEdit::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TCustomEdit::DoExit()
{
    if (OnExit)
        OnExit(this);
}

void TCustomEdit::HandleKey(QKeyEvent* event, QChar key)
{
    if (event->matches(QKeySequence::Paste)) {
        event->accept();
        PasteText(QGuiApplication::clipboard()->text());
        return;
    }
    if (key.isHighSurrogate() && event->text().startsWith(key)) {
        // A character beyond 16 bits that the key checks let through.
        event->accept();
        InsertTyped(event->text());
        return;
    }
    if (key.isNull() && !event->text().isValidUtf16()) {
        // Half of a character is no character: nothing to type.
        event->accept();
        return;
    }
    if (key.unicode() >= 32) {
        const QChar typed = ApplyCharCase(key);
        if (event->text() != QString(typed)) {
            QKeyEvent substitute(event->type(), event->key(), event->modifiers(), QString(typed));
            QLineEdit::keyPressEvent(&substitute);
            event->setAccepted(substitute.isAccepted());
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TCustomEdit::keyPressEvent(QKeyEvent* event)
{
    int key = event->key();
    KeyDown(key, event->modifiers());
    if (key == 0) {
        event->accept();
        return;
    }
    QChar ch = KeyChar(*event);
    if (!ch.isNull()) {
        KeyPress(ch);
        if (ch.isNull()) {
            event->accept();
            return;
        }
    }
    HandleKey(event, ch);
}

void TCustomEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    // The menu's Paste (known by its caption, translated as the line edit's
    // own; a shortcut may follow a tab) pastes as the keys do.
    for (QAction* action : menu->actions()) {
        if (action->text().section(QLatin1Char('\t'), 0, 0) != QLineEdit::tr("&Paste"))
            continue;
        disconnect(action, &QAction::triggered, this, nullptr);
        connect(action, &QAction::triggered, this, [this] { PasteText(QGuiApplication::clipboard()->text()); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TCustomEdit::dropEvent(QDropEvent* event)
{
    // A dropped text goes in as a pasted one does.
    // The drop lands at a caret of its own, beside the selection.
    QMimeData typed;
    typed.setText(LeftWholeCharacters(TypedText(event->mimeData()->text()), maxLength() - text().size()));
    QDropEvent filtered(event->position(), event->possibleActions(), &typed, event->buttons(), event->modifiers());
    QLineEdit::dropEvent(&filtered);
    event->setDropAction(filtered.dropAction());
    event->setAccepted(filtered.isAccepted());
}

void TCustomEdit::inputMethodEvent(QInputMethodEvent* event)
{
    // A text an input method composes is typed as keys type it.
    if (event->commitString().isEmpty() || event->replacementLength() != 0) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent typed(event->preeditString(), event->attributes());
    typed.setCommitString(LeftWholeCharacters(ApplyCharCase(TypedText(event->commitString())), Room()));
    QLineEdit::inputMethodEvent(&typed);
}

void TCustomEdit::keyReleaseEvent(QKeyEvent* event)
{
    int key = event->key();
    KeyUp(key, event->modifiers());
    if (key == 0) {
        event->accept();
        return;
    }
    QLineEdit::keyReleaseEvent(event);
}

namespace {

bool WindowFocusChange(const QFocusEvent* event)
{
    return event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
}

} // namespace

bool TCustomEdit::ComingBack(const QFocusEvent* event) const
{
    return windowAway_ && WindowFocusChange(event);
}

void TCustomEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    const bool back = ComingBack(event);
    windowAway_ = false;
    if (back)
        return;
    if (autoSelect_ && event->reason() != Qt::MouseFocusReason)
        selectAll();
    DoEnter();
}

void TCustomEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (WindowFocusChange(event) && window()->focusWidget() == this) {
        windowAway_ = true;
        return;
    }
    windowAway_ = false;
    DoExit();
}
