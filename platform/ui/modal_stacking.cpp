#include "platform/ui/modal_stacking.h"
#include <QApplication>
#include <QWindow>

namespace {

bool KeptOnTop(const QWidget& window)
{
    return window.windowFlags() & Qt::WindowStaysOnTopHint;
}

bool AnotherWindowKeptOnTop(const QWidget& modal)
{
    for (const QWidget* window : QApplication::topLevelWidgets())
        if (window != &modal && window->isVisible() && KeptOnTop(*window))
            return true;
    return false;
}

} // namespace

TModalStacking::TModalStacking(QWidget& modal, QWidget* opener)
    : modal_(&modal), opener_(opener)
{
    raised_ = !KeptOnTop(modal) && AnotherWindowKeptOnTop(modal);
    if (!raised_)
        return;
    modal.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    // A window with a parent widget belongs to that parent's window already.
    ownsTransientParent_ = opener && !modal.parentWidget();
    if (ownsTransientParent_) {
        modal.winId();
        opener->winId();
        modal.windowHandle()->setTransientParent(opener->windowHandle());
    }
}

TModalStacking::~TModalStacking()
{
    if (modal_ && raised_) {
        if (ownsTransientParent_ && modal_->windowHandle())
            modal_->windowHandle()->setTransientParent(nullptr);
        modal_->setWindowFlag(Qt::WindowStaysOnTopHint, false);
    }
    // Otherwise the window manager may hand the keyboard to the window kept
    // on top rather than to the one the user was working in.
    if (opener_ && opener_->isVisible())
        opener_->activateWindow();
}
