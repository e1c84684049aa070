#pragma once
// The one application object of a benchmark program. It is made on first use
// and never freed: a static application would be destroyed after Qt's own
// globals (its input devices, its platform), and the program would crash on
// its way out after printing its figures. Without a display the program runs
// on the offscreen platform.
#include <QApplication>
#include <stdexcept>

template <class TApplicationClass = QApplication>
TApplicationClass& BenchApplicationOf()
{
    if (auto* made = qobject_cast<TApplicationClass*>(QCoreApplication::instance()))
        return *made;
    if (QCoreApplication::instance())
        throw std::logic_error("the benchmark program already made another kind of application");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "quelt";
    static char* argv[] = {name, nullptr};
    return *new TApplicationClass(argc, argv);
}
