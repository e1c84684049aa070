#pragma once
// TCustomMaskEdit: an edit that types through the class library's edit mask
// (edit_mask.h). Each typed character is accepted or refused by the mask
// position under the caret, literals are stepped over and never deleted, and
// empty positions show the mask's blank character. EditText is what the edit
// shows; Text is what it reports (literals only with the mask's save flag).
// Without a mask it is a plain edit.
//
// A derived edit may ask for a multi-line edit (CreateParams): it then wraps
// its text at its width or breaks it only at the text's line breaks, scrolls
// down with the caret, moves along its lines with Up, Down, Home and End, and
// may take Enter as a new line (CR LF) and show a vertical scroll bar.
#include "platform/rtl/exceptions.h"
#include "platform/ui/custom_edit.h"
#include "platform/ui/edit_mask.h"
#include <functional>

// The class library's error of an edit whose mask is not filled in.
class EDBEditError : public Exception { public: using Exception::Exception; };

extern const char* const SMaskEditErr;

class QScrollBar;
class TEditLines;

// The styles an edit's window is made with.
struct TEditStyle {
    bool MultiLine = false;
    bool AutoHScroll = true;    // off: a multi-line edit wraps its lines at its width
    bool AutoVScroll = false;   // a multi-line edit scrolls to keep the caret's line in sight
    bool WantReturn = false;    // Enter starts a new line of a multi-line edit
    bool VertScrollBar = false; // a multi-line edit shows a vertical scroll bar
};

class TCustomMaskEdit : public TCustomEdit {
    Q_OBJECT
    Q_PROPERTY(QString EditMask READ EditMask WRITE SetEditMask)
public:
    explicit TCustomMaskEdit(QWidget* parent = nullptr);

    QString EditMask() const { return editMask_; }
    // Reformats the current text for the new mask.
    void SetEditMask(const QString& mask);
    bool IsMasked() const { return !mask_.IsEmpty(); }
    const TEditMask& Mask() const { return mask_; }

    QString EditText() const { return text(); }
    void SetEditText(const QString& text);
    QString Text() const override;
    void SetText(const QString& text) override;

    // Raises EDBEditError, with the caret on the first unfilled required
    // position, when the text is incomplete. An empty mask edit is valid.
    virtual void ValidateEdit();
    // Typed into the mask character by character, as the keys would type it.
    void PasteText(const QString& text) override;
    // Whether a key may change the text; a derived edit may refuse.
    virtual bool EditCanModify() { return true; }

    // The first line shown by a multi-line edit.
    int TopLine() const { return topLine_; }
    // Whether a derived edit that asks for WordWrapStyle lays a long text on
    // several lines within its width, scrolling down with the caret;
    // otherwise it scrolls sideways on one line.
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);

protected:
    // The styles of the edit's window: a single line that scrolls sideways
    // unless a derived edit says otherwise. It calls RecreateWnd when what
    // they depend on changes.
    virtual void CreateParams(TEditStyle&) const {}
    // The styles of an edit that wraps when WordWrap and otherwise is
    // multi-line only without a border, where it scrolls sideways; Enter
    // never starts a new line in it.
    void WordWrapStyle(TEditStyle& style) const;
    void RecreateWnd();
    // The styles CreateParams gives, as they are now.
    TEditStyle EditStyle() const;
    // Where a multi-line edit lays out its lines: inside the border, clear of
    // the scroll bar.
    QRect FormatRect() const;

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

    // A masked edit holds exactly one character per mask position.
    int EditLimit() const override { return IsMasked() ? mask_.Length() : TCustomEdit::EditLimit(); }
    void HandleKey(QKeyEvent* event, QChar key) override;
    void DoExit() override;
    void focusOutEvent(QFocusEvent* event) override;
    // Runs Check as the edit is left; true when it refuses the text. The
    // refused text stays, all selected and modified, and ExitRefused says so
    // until the next exit. Leaving for another control of the window, the
    // edit takes the focus back and the reason is raised on, to be shown once
    // in a box; a window that closes or loses the keyboard (to that box, say)
    // says nothing, and the text waits to be mended.
    bool RefuseExit(const std::function<void()>& check);
    bool ExitRefused() const { return exitRefused_; }

    // Overwrites the mask position at the caret (or the next editable one)
    // with Ch; false, with a beep, when the mask refuses it.
    bool TypeMaskChar(QChar ch);
    void DeleteMaskChars(bool backwards);

private:
    // A multi-line edit lays out its own lines (and then draws them itself)
    // when it wraps them or its text holds a line break; otherwise it shows
    // one line as any edit does.
    bool OwnLines() const;
    TEditLines Lines() const;
    // Up, Down, Home, End and Enter of a multi-line edit; true when handled.
    bool HandleLineKey(QKeyEvent* event);
    // Moves the caret to Position, extending the selection when Extend.
    void MoveCaret(int position, bool extend);
    int PositionAt(const QPoint& point) const;
    // Scrolls so that the caret stays in sight.
    void FollowCaret();
    void PlaceScrollBar();

    void SetMaskedText(const QString& editText, int caret);
    void SetMaskedEditText(const QString& editText);
    int CaretAfter(int pos) const;

    QString editMask_;
    TEditMask mask_;
    bool validateOnExit_ = false;
    bool exitRefused_ = false;
    bool wordWrap_ = false;
    int topLine_ = 0;
    int scrollX_ = 0;              // pixels scrolled sideways by an unwrapped multi-line edit
    int dragAnchor_ = 0;
    QScrollBar* vertScrollBar_ = nullptr;   // owned by the edit, made when a style asks for one
};

class TMaskEdit : public TCustomMaskEdit {
    Q_OBJECT
public:
    using TCustomMaskEdit::TCustomMaskEdit;
};
