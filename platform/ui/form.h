#pragma once
// TForm: a top-level window with the form's properties (caption, style, border,
// position, state, modal result), its life-cycle events, key preview and the
// default and cancel buttons that Enter and Escape press.
// A derived form builds its controls in its constructor and then calls DoCreate;
// one whose OnDestroy handler reaches its own members calls DoDestroy first
// thing in its destructor (TForm's destructor fires it otherwise, too late for them).
#include "platform/rtl/presenter.h"
#include <QWidget>
#include <functional>

class QEventLoop;
class TButton;

enum class TFormStyle { fsNormal, fsStayOnTop };
// bsSingle and bsDialog keep the size the form was given; bsDialog also has no
// minimise and maximise buttons.
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum class TPosition { poDesigned, poScreenCenter };
enum class TWindowState { wsNormal, wsMaximized };
// What closing does with the form: nothing, hide it, free it, or minimise it.
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

class TForm : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
    Q_PROPERTY(bool KeyPreview READ KeyPreview WRITE SetKeyPreview)
public:
    explicit TForm(QWidget* parent = nullptr);
    ~TForm() override;

    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString& caption) { setWindowTitle(caption); }
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    void SetWindowState(TWindowState state) { windowState_ = state; }
    void SetClientSize(int width, int height);
    // A design font: height below zero is the character height in pixels.
    void SetDesignFont(const QString& family, int height);

    // Shows the form in its window state, centred on the screen when asked,
    // and brings it to the front with the keyboard in it, also when it was
    // shown already (behind other windows, or minimised).
    void Show();
    void Hide() { hide(); }
    // Asks OnCloseQuery and OnClose, as the window's close box does.
    void Close() { close(); }

    // Runs a modal loop until ModalResult is set or the window is closed
    // (mrCancel), above every window of the program. Showing a visible
    // window modally is refused.
    int ShowModal();
    bool Modal() const { return modalLoop_ != nullptr; }
    int ModalResult() const { return modalResult_; }
    // A non-zero result ends the modal loop, unless OnCloseQuery refuses.
    void SetModalResult(int result);

    bool CloseQuery();

    // With KeyPreview the form's OnKeyDown and OnKeyPress see every key before
    // the focused control does; a handler that sets the key to 0 (or a null
    // character) keeps it from the control.
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool preview);

    // The buttons Enter and Escape press: the visible, enabled button marked
    // Default or Cancel. Enter on a focused button presses that button instead.
    TButton* DefaultButton() const;
    TButton* CancelButton() const;

    std::function<void(QObject* sender)> OnCreate;
    std::function<void(QObject* sender)> OnShow;
    std::function<void(QObject* sender)> OnActivate;
    std::function<void(QObject* sender)> OnResize;
    std::function<void(QObject* sender)> OnDestroy;
    std::function<void(QObject* sender, bool& canClose)> OnCloseQuery;
    std::function<void(QObject* sender, TCloseAction& action)> OnClose;
    std::function<void(QObject* sender, int& key, Qt::KeyboardModifiers shift)> OnKeyDown;
    std::function<void(QObject* sender, QChar& key)> OnKeyPress;

protected:
    void DoCreate();
    void DoDestroy();
    virtual void DoClose(TCloseAction& action);
    // Runs OnKeyDown and OnKeyPress; true when they consumed the key.
    bool DoKey(QKeyEvent* event);

    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyWindowFlags();
    void ApplySizeConstraint();
    void CentreOnScreen();
    TButton* FindButton(bool (TButton::*marked)() const) const;

    TFormStyle formStyle_ = TFormStyle::fsNormal;
    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    TPosition position_ = TPosition::poDesigned;
    TWindowState windowState_ = TWindowState::wsNormal;
    int modalResult_ = mrNone;
    bool keyPreview_ = false;
    bool destroyed_ = false;
    QEventLoop* modalLoop_ = nullptr;
    const QEvent* previewedKey_ = nullptr;   // the key event the preview already saw while it bubbles up
    // A new event may come at the address of the last one (a modifier and then
    // its key): the key and the time tell them apart.
    int previewedKeyCode_ = 0;
    quint64 previewedTime_ = 0;
};

// The form a control sits on, or nullptr.
TForm* GetParentForm(const QWidget* control);
