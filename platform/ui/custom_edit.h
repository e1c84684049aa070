#pragma once
// TCustomEdit: the class library's single-line edit on QLineEdit, with its
// selection, modified flag, read-only, length limit, character case and
// password character, and its events as std::function members.
//
// Keys reach a derived edit the way the class library delivers them: KeyDown
// with the key code first (a code set to 0 consumes the key), then KeyPress
// with the character for text keys, Backspace (8), Enter (13) and Escape (27)
// (a character set to 0 drops it), then the edit's own handling.
#include <QLineEdit>
#include <functional>

class QProxyStyle;

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TCustomEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE SetMaxLength)
public:
    explicit TCustomEdit(QWidget* parent = nullptr);
    ~TCustomEdit() override;

    virtual QString Text() const { return text(); }
    // Clears Modified; a text equal to the one shown keeps the caret and the selection.
    virtual void SetText(const QString& text);

    void SelectAll() { selectAll(); }
    void ClearSelection();
    int SelStart() const;
    void SetSelStart(int start);
    int SelLength() const;
    void SetSelLength(int length);
    QString SelText() const { return selectedText(); }
    void SetSelText(const QString& text);

    // Set by the user's typing (already when OnChange reports it), cleared by SetText.
    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }
    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool readOnly) { setReadOnly(readOnly); }
    // 0: no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase charCase);
    // A null character shows the text itself.
    QChar PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(QChar ch);
    // Entering the edit by keyboard selects its whole text.
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool on) { autoSelect_ = on; }

    std::function<void(QObject* sender)> OnChange;
    std::function<void(QObject* sender)> OnEnter;
    std::function<void(QObject* sender)> OnExit;
    std::function<void(QObject* sender, int& key, Qt::KeyboardModifiers shift)> OnKeyDown;
    std::function<void(QObject* sender, int& key, Qt::KeyboardModifiers shift)> OnKeyUp;
    std::function<void(QObject* sender, QChar& key)> OnKeyPress;

    // The character a key event delivers to KeyPress; null for other keys.
    // A character beyond 16 bits is delivered by its first half, which
    // stands for the whole: the key checks refuse it as no digit and no
    // letter of an edit's alphabet, and what they let through is typed whole.
    static QChar KeyChar(const QKeyEvent& event);
    // A character a key may type on its own.
    static bool IsTypeable(char32_t ch);

    // Enters a pasted text as typing it would: see TypedText.
    virtual void PasteText(const QString& text);

protected:
    virtual void KeyDown(int& key, Qt::KeyboardModifiers shift);
    virtual void KeyUp(int& key, Qt::KeyboardModifiers shift);
    virtual void KeyPress(QChar& key);
    // The edit's own handling of a key that KeyDown and KeyPress let through;
    // Key is the character after KeyPress (null for command keys).
    virtual void HandleKey(QKeyEvent* event, QChar key);
    virtual void Change();
    virtual void DoEnter();
    virtual void DoExit();

    // What typing the text would enter: characters no key types on its own
    // (line breaks, escapes, NUL, halves of characters) are left out, and every
    // other one goes through KeyPress as a typed one does.
    QString TypedText(const QString& text);
    // Enters typed text at the caret over the selection, cut to the room the
    // length limit leaves, never inside a character: a character that does
    // not fit whole stays out.
    void InsertTyped(const QString& typed);
    // The places the length limit leaves for typing over the selection.
    qsizetype Room() const;

    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    // Only the window lost the keyboard (to a box, another window, a pop-up
    // menu) and has it back: the edit was neither left nor entered, and its
    // text, caret and selection stay as they were.
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // The focus-in is the window's keyboard coming back to the edit it left in.
    bool ComingBack(const QFocusEvent* event) const;

    // The length limit the line edit enforces; a mask edit's mask decides it.
    virtual int EditLimit() const { return maxLength_; }
    void ApplyEditLimit();

    QChar ApplyCharCase(QChar ch) const;
    QString ApplyCharCase(const QString& text) const;

private:
    int maxLength_ = 0;
    bool modified_ = false;
    TEditCharCase charCase_ = TEditCharCase::ecNormal;
    QChar passwordChar_;
    bool autoSelect_ = true;
    bool windowAway_ = false;   // the window took the keyboard from the edit
    QProxyStyle* passwordStyle_ = nullptr;
};
