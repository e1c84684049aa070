#include "platform/engine/nocase_collation.h"
#include <sqlite3.h>

namespace {
int CompareUtf8NoCase(void*, int lengthA, const void* a, int lengthB, const void* b) {
    const QString textA = QString::fromUtf8(static_cast<const char*>(a), lengthA);
    const QString textB = QString::fromUtf8(static_cast<const char*>(b), lengthB);
    return CompareTextNoCase(textA, textB);
}
}  // namespace

void RegisterNoCaseCollation(sqlite3* db) {
    sqlite3_create_collation(db, kNoCaseCollation, SQLITE_UTF8, nullptr, CompareUtf8NoCase);
}
