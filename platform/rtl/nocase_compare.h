#pragma once
// The one case-insensitive text comparison of the program. The engine offers
// it to SQL as a collation, so that an ordering or a search done in C++ agrees
// with one done by the engine.
#include <QString>

// <0, 0, >0 as a sorts before, with or after b, ignoring case (Unicode case folding).
int CompareTextNoCase(const QString& a, const QString& b);
