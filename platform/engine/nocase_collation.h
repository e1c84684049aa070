#pragma once
// The program's case-insensitive comparison as the SQL collation NOCASE_U, so
// that an ordering or a search done in C++ agrees with one done by the engine.
#include "platform/rtl/nocase_compare.h"

struct sqlite3;

inline constexpr const char* kNoCaseCollation = "NOCASE_U";

// Registers NOCASE_U on a connection.
void RegisterNoCaseCollation(sqlite3* db);
