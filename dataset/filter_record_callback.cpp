#include "dataset/filter_record_callback.h"
#include "dataset/ww_settings.h"
#include "platform/db/dataset.h"

namespace {
TwwEscapePoll escapePoll = nullptr;
constexpr int kPollEvery = 100;
constexpr int kPollWrap = 32000;
} // namespace

void SetFilterEscapePoll(TwwEscapePoll poll)
{
    escapePoll = poll;
}

TwwRecordFilter::TwwRecordFilter(TDataSet& dataSet, TwwDataSetSettings& settings, const TwwFilterEscapeEvent& onEscape,
                                 TAddTest add, TRemoveTest remove, TOptionsRule rule)
    : dataSet_(dataSet), settings_(settings), onEscape_(onEscape), add_(std::move(add)), remove_(std::move(remove)),
      rule_(rule)
{
}

void TwwRecordFilter::SetEvent(TwwFilterEvent event)
{
    event_ = std::move(event);
    if (event_ && handle_ == 0)
        handle_ = add_([this] { return Accepts(); });
    else if (!event_ && handle_ != 0)
        remove_(std::exchange(handle_, 0));
}

void TwwRecordFilter::SetOptions(unsigned options)
{
    const bool switched = ((settings_.OnFilterOptionsValue() ^ options) & ofoEnabled) != 0;
    settings_.SetOnFilterOptionsValue(options);
    if (rule_ == IgnoreOptions || !switched || !dataSet_.Active() || !event_) return;
    // Inside a pass the cursor is still reading: the records come back after it.
    if (running_)
        refreshAfterPass_ = true;
    else
        dataSet_.Refresh();
}

void TwwRecordFilter::AfterDataEvent(TDataEvent event)
{
    AfterFetch();
    if (refreshAfterPass_ && !running_ && dataSet_.State() == dsBrowse &&
        (event == deDataSetChange || event == deDataSetScroll || event == deUpdateState)) {
        refreshAfterPass_ = false;
        dataSet_.Refresh();
    }
}

bool TwwRecordFilter::Accepts()
{
    const TwwOnFilterOptions options =
        rule_ == UseOptions ? TwwOnFilterOptions(settings_.OnFilterOptionsValue()) : TwwOnFilterOptions(ofoEnabled);
    if (!event_ || running_ || !(options & ofoEnabled)) return true;
    running_ = true;
    struct TClear {
        bool& flag;
        ~TClear() { flag = false; }
    } clear{running_};

    bool accept = true;
    event_(dataSet_, accept);
    if ((options & ofoShowHourGlass) && !accept && !hourglass_) hourglass_.emplace();
    if (options & ofoCancelOnEscape) {
        pollCounter_ = (pollCounter_ + 1) % kPollWrap;
        if (pollCounter_ % kPollEvery == 0 && escapePoll && escapePoll(dataSet_)) {
            SetOptions(settings_.OnFilterOptionsValue() & ~unsigned(ofoEnabled));
            if (onEscape_) onEscape_(dataSet_);
        }
    }
    return accept;
}
