#pragma once
// The one case-insensitive text comparison of the program. SQL sees it as the
// collation NOCASE_U, so that an ordering or a search done in C++ agrees with
// one done by the engine.
#include <QString>

struct sqlite3;

inline constexpr const char* kNoCaseCollation = "NOCASE_U";

// <0, 0, >0 as a sorts before, with or after b, ignoring case (Unicode case folding).
int CompareTextNoCase(const QString& a, const QString& b);

// Registers NOCASE_U on a connection.
void RegisterNoCaseCollation(sqlite3* db);
