#include "platform/ui/form.h"
#include "platform/ui/application.h"
#include "platform/ui/buttons.h"
#include "platform/ui/design_fonts.h"
#include "platform/ui/modal_stacking.h"
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QWindow>
#include <algorithm>

namespace {

// The frame moved so that its centre lies on centre, kept inside the screen's
// work area.
QPoint CentredFrame(const QWidget& form, const QPoint& centre, const QRect& workArea)
{
    QRect frame = form.frameGeometry();
    frame.moveCenter(centre);
    frame.moveRight(std::min(frame.right(), workArea.right()));
    frame.moveBottom(std::min(frame.bottom(), workArea.bottom()));
    frame.moveLeft(std::max(frame.left(), workArea.left()));
    frame.moveTop(std::max(frame.top(), workArea.top()));
    return frame.topLeft();
}

// The window a modal window opened from: the active one, as for message boxes.
QWidget* Opener(const QWidget& form)
{
    QWidget* active = QApplication::activeWindow();
    return active && active != &form ? active : nullptr;
}

} // namespace

TForm::TForm(QWidget* parent) : QWidget(parent, Qt::Window)
{
}

TForm::~TForm()
{
    DoDestroy();
    if (modalLoop_)
        modalLoop_->exit();
}

void TForm::SetFormStyle(TFormStyle style)
{
    formStyle_ = style;
    ApplyWindowFlags();
}

void TForm::SetBorderStyle(TFormBorderStyle style)
{
    borderStyle_ = style;
    ApplyWindowFlags();
    ApplySizeConstraint();
}

void TForm::ApplyWindowFlags()
{
    // Changing the flags of a shown window hides it; show it again as it was.
    const bool wasVisible = isVisible();
    const bool dialog = borderStyle_ == TFormBorderStyle::bsDialog;
    setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | (dialog ? Qt::Dialog : Qt::Window));
    setWindowFlag(Qt::WindowStaysOnTopHint, formStyle_ == TFormStyle::fsStayOnTop);
    setWindowFlag(Qt::FramelessWindowHint, borderStyle_ == TFormBorderStyle::bsNone);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, !dialog);
    if (wasVisible)
        show();
}

void TForm::ApplySizeConstraint()
{
    // A single or dialog border cannot be dragged: the size is the one the form was given.
    if (borderStyle_ == TFormBorderStyle::bsSingle || borderStyle_ == TFormBorderStyle::bsDialog) {
        setFixedSize(size());
    } else {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
}

void TForm::SetClientSize(int width, int height)
{
    if (minimumSize() == maximumSize() && minimumWidth() > 0)
        setFixedSize(width, height);
    else
        resize(width, height);
}

void TForm::SetDesignFont(const QString& family, int height)
{
    setFont(DesignFont(family, height));
}

void TForm::CentreOnScreen()
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Over the main window when there is one to see: a window that the program
    // has not placed would otherwise land where the window manager puts it, on
    // top of the main window's menu and tool bar in the screen's corner.
    const bool designed = position_ == TPosition::poDesigned;
    const TForm* main = Application ? Application->MainForm() : nullptr;
    const bool overMain = designed && main && main != this && main->isVisible();
    const QPoint centre = overMain ? main->frameGeometry().center() : screen->availableGeometry().center();
    move(CentredFrame(*this, centre, screen->availableGeometry()));
}

void TForm::Show()
{
    // A window already shown may be lost behind others or minimised: showing
    // it again brings it back to the front with the keyboard in it.
    const bool shown = isVisible();
    // A designed position is one the program gave by moving the window.
    const bool unplaced = position_ == TPosition::poDesigned && !testAttribute(Qt::WA_Moved)
                          && windowState_ == TWindowState::wsNormal;
    if (!shown && (position_ == TPosition::poScreenCenter || unplaced))
        CentreOnScreen();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    if (windowState_ == TWindowState::wsMaximized)
        showMaximized();
    else
        show();
    if (shown)
        raise();
    activateWindow();
}

int TForm::ShowModal()
{
    if (isVisible())
        throw EInvalidOperation(QStringLiteral("Cannot make a visible window modal"));
    modalResult_ = mrNone;
    setWindowModality(Qt::ApplicationModal);
    const QPointer<TForm> alive(this);
    {
        const TModalStacking stacking(*this, Opener(*this));
        Show();
        QEventLoop loop;
        modalLoop_ = &loop;
        loop.exec(QEventLoop::DialogExec);
        if (!alive)
            return mrCancel;
        modalLoop_ = nullptr;
        hide();
    }
    setWindowModality(Qt::NonModal);
    return modalResult_;
}

void TForm::SetModalResult(int result)
{
    modalResult_ = result;
    if (modalLoop_ && result != mrNone)
        close();
}

bool TForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::DoCreate()
{
    if (OnCreate)
        OnCreate(this);
}

void TForm::DoDestroy()
{
    if (destroyed_)
        return;
    destroyed_ = true;
    if (OnDestroy)
        OnDestroy(this);
}

void TForm::DoClose(TCloseAction& action)
{
    if (OnClose)
        OnClose(this, action);
}

void TForm::closeEvent(QCloseEvent* event)
{
    // Refused until OnCloseQuery has agreed, so that an exception in it leaves
    // the window open rather than hidden with its modal loop still running.
    event->ignore();
    if (!CloseQuery()) {
        modalResult_ = mrNone;
        return;
    }
    TCloseAction action = TCloseAction::caHide;
    DoClose(action);
    if (action == TCloseAction::caNone) {
        modalResult_ = mrNone;
        return;
    }
    if (action == TCloseAction::caMinimize && !modalLoop_) {
        showMinimized();
        return;
    }
    event->accept();
    if (modalLoop_) {
        if (modalResult_ == mrNone)
            modalResult_ = mrCancel;
        modalLoop_->exit();
    } else if (Application && Application->MainForm() == this) {
        Application->Terminate();
    }
    if (action == TCloseAction::caFree)
        deleteLater();
}

void TForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous() && OnShow)
        OnShow(this);
}

void TForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (OnResize)
        OnResize(this);
}

void TForm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && OnActivate)
        OnActivate(this);
}

void TForm::SetKeyPreview(bool preview)
{
    if (preview == keyPreview_)
        return;
    keyPreview_ = preview;
    // The preview watches the whole application, because a key goes to the
    // focused control first and reaches the form only when the control leaves it.
    if (preview)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool TForm::DoKey(QKeyEvent* event)
{
    if (OnKeyDown) {
        int key = event->key();
        OnKeyDown(this, key, event->modifiers());
        if (key == 0)
            return true;
    }
    if (OnKeyPress && !event->text().isEmpty()) {
        QChar ch = event->text().at(0);
        OnKeyPress(this, ch);
        if (ch.isNull())
            return true;
    }
    return false;
}

bool TForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    const auto* target = qobject_cast<QWidget*>(watched);
    if (!target || target->window() != this)
        return false;
    if (event->type() == QEvent::KeyRelease) {
        previewedKey_ = nullptr;
        return false;
    }
    // A key its control leaves goes on to the control's parents: preview it once.
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (event == previewedKey_ && key->key() == previewedKeyCode_ && key->timestamp() == previewedTime_)
        return false;
    previewedKey_ = event;
    previewedKeyCode_ = key->key();
    previewedTime_ = key->timestamp();
    return DoKey(static_cast<QKeyEvent*>(event));
}

TButton* TForm::FindButton(bool (TButton::*marked)() const) const
{
    for (TButton* button : findChildren<TButton*>())
        if ((button->*marked)() && button->isVisibleTo(this) && button->isEnabled())
            return button;
    return nullptr;
}

TButton* TForm::DefaultButton() const
{
    return FindButton(&TButton::Default);
}

TButton* TForm::CancelButton() const
{
    return FindButton(&TButton::Cancel);
}

void TForm::keyPressEvent(QKeyEvent* event)
{
    // Keys the focused control left reach the form here.
    if (!keyPreview_ && DoKey(event))
        return;
    TButton* pressed = nullptr;
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            pressed = qobject_cast<TButton*>(focusWidget());
            if (!pressed)
                pressed = DefaultButton();
        } else if (event->key() == Qt::Key_Escape) {
            pressed = CancelButton();
        }
    }
    if (pressed) {
        pressed->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

TForm* GetParentForm(const QWidget* control)
{
    return control ? qobject_cast<TForm*>(control->window()) : nullptr;
}
