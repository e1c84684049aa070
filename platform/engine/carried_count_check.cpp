#include "platform/engine/carried_count_check.h"
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

bool CheckingCarriedCounts() {
    static const bool checking = qEnvironmentVariableIntValue("QUELT_CHECK_CARRIED_COUNTS") == 1;
    return checking;
}

void ExpectCarriedCount(const char* what, const QString& table, int carried, int counted) {
    if (carried == counted) return;
    std::fprintf(stderr, "Carried %s %d of table %s differs from the %d a fresh count gives\n", what, carried,
                 qPrintable(table), counted);
    std::fflush(stderr);
    std::abort();
}
