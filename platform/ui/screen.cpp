#include "platform/ui/screen.h"
#include "platform/ui/form.h"
#include <QApplication>
#include <QScreen>

TScreen* Screen = nullptr;

namespace {

Qt::CursorShape Shape(TCursor cursor)
{
    return cursor == crHourGlass ? Qt::WaitCursor : Qt::ArrowCursor;
}

QSize PrimarySize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}

} // namespace

TScreen::TScreen()
{
    Screen = this;
}

TScreen::~TScreen()
{
    SetCursor(crDefault);
    if (Screen == this)
        Screen = nullptr;
}

void TScreen::SetCursor(TCursor cursor)
{
    if (cursor == cursor_)
        return;
    // Qt keeps override cursors on a stack; the screen cursor holds one entry
    // of it while it is not crDefault, and changes that entry in place.
    if (cursor_ == crDefault)
        QApplication::setOverrideCursor(Shape(cursor));
    else if (cursor == crDefault)
        QApplication::restoreOverrideCursor();
    else
        QApplication::changeOverrideCursor(Shape(cursor));
    cursor_ = cursor;
}

TForm* TScreen::ActiveForm() const
{
    return qobject_cast<TForm*>(QApplication::activeWindow());
}

int TScreen::Width() const
{
    return PrimarySize().width();
}

int TScreen::Height() const
{
    return PrimarySize().height();
}
