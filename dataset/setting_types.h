#pragma once
// Types of the settings that the library's datasets publish, so that the
// controls can read them by property name from any dataset class.
#include "platform/rtl/string_list.h"
#include <QMetaType>
#include <functional>

class TDataSet;
class TField;

// A string-list setting is published as a pointer to the dataset's own list:
// readers change it in place, and a missing property (an invalid value) is
// told apart from an empty list.
Q_DECLARE_METATYPE(TStrings*)

// Called by the mask check before post with the field that failed.
using TwwInvalidValueEvent = std::function<void(TDataSet&, TField&)>;
Q_DECLARE_METATYPE(TwwInvalidValueEvent)

// The record-filter options, stored as one byte.
enum TwwOnFilterOption : unsigned char {
    ofoEnabled = 1u << 0, ofoShowHourGlass = 1u << 1, ofoCancelOnEscape = 1u << 2,
};
using TwwOnFilterOptions = unsigned char;
inline constexpr TwwOnFilterOptions DefaultFilterOptions = ofoEnabled | ofoShowHourGlass;
