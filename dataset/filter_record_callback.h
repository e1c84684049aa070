#pragma once
// Record-callback filtering: a library dataset hides the records its OnFilter
// event refuses. The event runs for each record the engine reads, with that
// record as the dataset's current one. While a pass rejects records the
// hourglass shows; with ofoCancelOnEscape the keyboard is polled every 100
// records, and Escape switches the filter off (ofoEnabled) and calls
// OnFilterEscape.
#include "dataset/setting_types.h"
#include "platform/db/db_types.h"
#include "platform/rtl/presenter.h"
#include <functional>
#include <optional>

class TDataSet;
class TwwDataSetSettings;

using TwwFilterEvent = std::function<void(TDataSet& dataSet, bool& accept)>;
using TwwFilterEscapeEvent = std::function<void(TDataSet& dataSet)>;

// The keyboard poll of a filter pass: true when Escape was pressed. The screen
// side installs it (EscapePressed of the grid library); without one Escape is
// not looked at.
using TwwEscapePoll = bool (*)(TDataSet& dataSet);
void SetFilterEscapePoll(TwwEscapePoll poll);

// The OnFilter side that every library dataset carries: the event, its record
// test on the dataset, and the state of a pass. Record tests are the dataset's
// own business, so the dataset hands in how to add and remove one, and
// forwards its option changes, fetch steps and data events. The test stays on
// the dataset across closing and opening, so an assigned event filters every
// cursor the dataset opens.
class TwwRecordFilter {
public:
    using TRecordTest = std::function<bool()>;
    using TAddTest = std::function<int(TRecordTest test)>;
    using TRemoveTest = std::function<void(int handle)>;

    // Without options the filter always runs, with neither hourglass nor
    // Escape: the options do not apply to a stored procedure's filter.
    enum TOptionsRule { UseOptions, IgnoreOptions };

    TwwRecordFilter(TDataSet& dataSet, TwwDataSetSettings& settings, const TwwFilterEscapeEvent& onEscape,
                    TAddTest add, TRemoveTest remove, TOptionsRule rule = UseOptions);
    TwwRecordFilter(const TwwRecordFilter&) = delete;
    TwwRecordFilter& operator=(const TwwRecordFilter&) = delete;

    const TwwFilterEvent& Event() const { return event_; }
    bool Assigned() const { return bool(event_); }
    // An event installs the record test, null removes it.
    void SetEvent(TwwFilterEvent event);
    // Switching ofoEnabled on an open dataset with an event re-reads it, so the
    // records the event hid come back (or go again).
    void SetOptions(unsigned options);
    // After each fetch step: the hourglass a pass showed goes back.
    void AfterFetch() { hourglass_.reset(); }
    // After each data event: also the re-read that a switch during a pass put off.
    void AfterDataEvent(TDataEvent event);

private:
    bool Accepts();

    TDataSet& dataSet_;
    TwwDataSetSettings& settings_;
    const TwwFilterEscapeEvent& onEscape_;
    const TAddTest add_;
    const TRemoveTest remove_;
    const TOptionsRule rule_;
    TwwFilterEvent event_;
    int handle_ = 0;                 // of the record test on the dataset; 0 while none
    bool running_ = false;           // the event runs: records it reads are shown
    std::optional<THourglass> hourglass_;
    int pollCounter_ = 0;
    bool refreshAfterPass_ = false;  // the filter was switched during a pass
};
