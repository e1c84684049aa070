#pragma once
// The program block: splash window, data modules and windows in their order,
// the message loop.
#include "platform/rtl/datetime.h"
#include <QStringList>

extern bool ShowSplash;
extern TDateTime SplashStartTime;

// The splash is left out only for exactly one argument, "/nosplash" in any case.
bool ShowSplashFor(const QStringList& arguments);

// Waits, without processing messages, until the clock is more than two seconds
// past start.
void WaitForSplash(TDateTime start);

// Creates the data modules that every window relies on, in their order.
void CreateDataModules();

// Runs the program on the arguments after its name, with the application
// object made; the exit status. An error while starting is shown and gives a
// non-zero status.
int RunProgram(const QStringList& arguments);
