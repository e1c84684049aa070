#pragma once
// Case-insensitive equality of words, field names and keys in the component
// library. It is the engine's comparison (Unicode case folding), so that a
// search made here agrees with the order and matches the engine produces.
#include "platform/rtl/nocase_compare.h"
#include <QString>

inline bool SameTextNoCase(const QString& a, const QString& b)
{
    return CompareTextNoCase(a, b) == 0;
}
