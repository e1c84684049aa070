#pragma once
// Lets another window take the keyboard for a moment, as a box does, and
// gives it back to Window.
#include <QApplication>
#include <QWidget>

inline void TakeKeyboardAwayAndBack(QWidget& window)
{
    QWidget elsewhere;
    elsewhere.show();
    QApplication::setActiveWindow(&elsewhere);
    QApplication::processEvents();
    elsewhere.hide();
    QApplication::setActiveWindow(&window);
    QApplication::processEvents();
}
