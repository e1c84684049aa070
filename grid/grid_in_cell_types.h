#pragma once
// The option sets and events of TwwDBGrid's in-cell controls, multi-select
// and memo cells.
#include <functional>

class TwwDBGrid;
class TwwMemoDialog;

enum TwwEditControlOption : unsigned {
    // A single click, not a double click, toggles a check box.
    ecoCheckboxSingleClick = 1u << 0,
    // In-cell controls are looked for on the grid's owner form, not its parent form.
    ecoSearchOwnerForm = 1u << 1,
};
using TwwEditControlOptions = unsigned;

enum TwwMultiSelectOption : unsigned {
    // A plain click selects the clicked record alone.
    msoAutoUnselect = 1u << 0,
    // Shift and a click select every record between the last click and this one.
    msoShiftSelect = 1u << 1,
};
using TwwMultiSelectOptions = unsigned;

using TMultiSelectRecordEvent = std::function<void(TwwDBGrid& grid, bool selecting, bool& accept)>;
using TMemoOpenEvent = std::function<void(TwwDBGrid& grid, TwwMemoDialog& dialog)>;
using TMemoCloseEvent = std::function<void(TwwDBGrid& grid, bool cancelled)>;
