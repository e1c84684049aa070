#pragma once
// A cursor carries its count and row numbers over writes instead of counting
// again. With QUELT_CHECK_CARRIED_COUNTS=1 in the environment (the test
// script runs the engine, dataset and window tests once so) every count and
// number a cursor gives without counting is counted afresh as well, and a
// difference ends the program at once, naming both numbers: a wrong number
// shows on screen only as a scroll thumb one row off.
#include <QString>

bool CheckingCarriedCounts();

// Ends the program when the carried number is not the counted one.
void ExpectCarriedCount(const char* what, const QString& table, int carried, int counted);
