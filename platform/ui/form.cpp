#include "platform/ui/form.h"
#include "platform/ui/application.h"
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

TForm::TForm(QWidget* parent) : QWidget(parent, Qt::Window)
{
}

TForm::~TForm()
{
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
}

void TForm::ApplyWindowFlags()
{
    // Changing the flags of a shown window hides it; show it again as it was.
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, formStyle_ == TFormStyle::fsStayOnTop);
    setWindowFlag(Qt::FramelessWindowHint, borderStyle_ == TFormBorderStyle::bsNone);
    if (wasVisible)
        show();
}

void TForm::SetDesignFont(const QString& family, int height)
{
    QFont designFont(family);
    designFont.setStyleHint(QFont::SansSerif);
    if (height < 0)
        designFont.setPixelSize(-height);
    else
        designFont.setPointSize(height);
    setFont(designFont);
}

void TForm::CentreOnScreen()
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void TForm::Show()
{
    if (position_ == TPosition::poScreenCenter && !isVisible())
        CentreOnScreen();
    if (windowState_ == TWindowState::wsMaximized)
        showMaximized();
    else
        show();
}

int TForm::ShowModal()
{
    if (isVisible())
        throw EInvalidOperation(QStringLiteral("Cannot make a visible window modal"));
    modalResult_ = mrNone;
    setWindowModality(Qt::ApplicationModal);
    Show();
    QEventLoop loop;
    modalLoop_ = &loop;
    const QPointer<TForm> alive(this);
    loop.exec(QEventLoop::DialogExec);
    if (!alive)
        return mrCancel;
    modalLoop_ = nullptr;
    hide();
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

void TForm::closeEvent(QCloseEvent* event)
{
    // Refused until OnCloseQuery has agreed, so that an exception in it leaves
    // the window open rather than hidden with its modal loop still running.
    event->ignore();
    if (!CloseQuery()) {
        modalResult_ = mrNone;
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
}
