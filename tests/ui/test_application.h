#pragma once
// The one application object of a GUI test program, made on first use and kept
// until the process ends (Qt allows one per process). Every test that makes it
// fails when Qt reports that an exception crossed its event loop: the
// application must have caught and shown it first.
#include "platform/ui/application.h"
#include <QtGlobal>
#include <gtest/gtest.h>

inline QtMessageHandler& QtDefaultMessageHandler()
{
    static QtMessageHandler handler = nullptr;
    return handler;
}

inline void FailOnEscapedException(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.contains(QLatin1String("Qt has caught an exception")))
        ADD_FAILURE() << "An exception crossed Qt's event loop: " << text.toStdString();
    QtDefaultMessageHandler()(type, context, text);
}

inline TApplication& TestApplication()
{
    if (!Application) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "quelt_tests";
        static char* argv[] = {name, nullptr};
        new TApplication(argc, argv);
        QtDefaultMessageHandler() = qInstallMessageHandler(FailOnEscapedException);
    }
    return *Application;
}
