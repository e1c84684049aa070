#pragma once
// Small helpers of the code that builds the main window's controls.
#include <QObject>
#include <QString>

// The height of the panels that head the transaction and report pages.
inline constexpr int PageHeaderHeight = 33;

// Gives a component its design-time name, as the window's code refers to it.
template <class T>
T* Named(T* component, const char* name)
{
    component->setObjectName(QString::fromLatin1(name));
    return component;
}
