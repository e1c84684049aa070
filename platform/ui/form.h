#pragma once
// TForm: a top-level window with the form's properties (caption, style, border,
// position, state, modal result) and its OnCreate and OnCloseQuery events.
// A derived form builds its controls in its constructor and then calls DoCreate.
#include "platform/rtl/presenter.h"
#include <QWidget>
#include <functional>

class QEventLoop;

enum class TFormStyle { fsNormal, fsStayOnTop };
enum class TFormBorderStyle { bsSizeable, bsNone };
enum class TPosition { poDesigned, poScreenCenter };
enum class TWindowState { wsNormal, wsMaximized };

class TForm : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
public:
    explicit TForm(QWidget* parent = nullptr);
    ~TForm() override;

    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString& caption) { setWindowTitle(caption); }
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    void SetPosition(TPosition position) { position_ = position; }
    void SetWindowState(TWindowState state) { windowState_ = state; }
    void SetClientSize(int width, int height) { resize(width, height); }
    // A design font: height below zero is the character height in pixels.
    void SetDesignFont(const QString& family, int height);

    // Shows the form in its window state, centred on the screen when asked.
    void Show();
    void Hide() { hide(); }

    // Runs a modal loop until ModalResult is set or the window is closed
    // (mrCancel). Showing a visible window modally is refused.
    int ShowModal();
    int ModalResult() const { return modalResult_; }
    // A non-zero result ends the modal loop, unless OnCloseQuery refuses.
    void SetModalResult(int result);

    bool CloseQuery();

    std::function<void(QObject* sender)> OnCreate;
    std::function<void(QObject* sender, bool& canClose)> OnCloseQuery;

protected:
    void DoCreate();
    void closeEvent(QCloseEvent* event) override;

private:
    void ApplyWindowFlags();
    void CentreOnScreen();

    TFormStyle formStyle_ = TFormStyle::fsNormal;
    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    TPosition position_ = TPosition::poDesigned;
    TWindowState windowState_ = TWindowState::wsNormal;
    int modalResult_ = mrNone;
    QEventLoop* modalLoop_ = nullptr;
};
