#pragma once
// Record-callback filtering: a library dataset hides the records its OnFilter
// event refuses. The event runs for each record the engine reads, with that
// record as the dataset's current one. While a pass rejects records the
// hourglass shows; with ofoCancelOnEscape the keyboard is polled every 100
// records, and Escape switches the filter off (ofoEnabled) and calls
// OnFilterEscape.
#include "dataset/setting_types.h"
#include "platform/rtl/presenter.h"
#include <functional>
#include <optional>

class TDataSet;

using TwwFilterEvent = std::function<void(TDataSet& dataSet, bool& accept)>;
using TwwFilterEscapeEvent = std::function<void(TDataSet& dataSet)>;

// The keyboard poll of a filter pass: true when Escape was pressed. The screen
// side installs it (EscapePressed of the grid library); without one Escape is
// not looked at.
using TwwEscapePoll = bool (*)(TDataSet& dataSet);
void SetFilterEscapePoll(TwwEscapePoll poll);

class TwwRecordFilter {
public:
    // Whether the record under test is shown. Records read while the event
    // itself runs are shown.
    bool Accepts(TDataSet& dataSet, TwwOnFilterOptions options, const TwwFilterEvent& onFilter,
                 const TwwFilterEscapeEvent& onEscape);
    // True while Accepts runs for this dataset.
    bool Running() const { return running_; }
    // After each fetch step: the hourglass a pass showed goes back.
    void EndPass() { hourglass_.reset(); }

private:
    bool running_ = false;
    std::optional<THourglass> hourglass_;
    int pollCounter_ = 0;
};
