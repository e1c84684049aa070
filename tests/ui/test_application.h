#pragma once
// The one application object of a GUI test program, made on first use and kept
// until the process ends (Qt allows one per process).
#include "platform/ui/application.h"

inline TApplication& TestApplication()
{
    if (!Application) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "quelt_tests";
        static char* argv[] = {name, nullptr};
        new TApplication(argc, argv);
    }
    return *Application;
}
