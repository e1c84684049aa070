#include "dataset/filter_record_callback.h"
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

bool TwwRecordFilter::Accepts(TDataSet& dataSet, TwwOnFilterOptions options, const TwwFilterEvent& onFilter,
                              const TwwFilterEscapeEvent& onEscape)
{
    if (!onFilter || running_ || !(options & ofoEnabled)) return true;
    running_ = true;
    struct TClear {
        bool& flag;
        ~TClear() { flag = false; }
    } clear{running_};

    bool accept = true;
    onFilter(dataSet, accept);
    if ((options & ofoShowHourGlass) && !accept && !hourglass_) hourglass_.emplace();
    if (options & ofoCancelOnEscape) {
        pollCounter_ = (pollCounter_ + 1) % kPollWrap;
        if (pollCounter_ % kPollEvery == 0 && escapePoll && escapePoll(dataSet)) {
            const unsigned current = dataSet.property("OnFilterOptions").toUInt();
            dataSet.setProperty("OnFilterOptions", current & ~unsigned(ofoEnabled));
            if (onEscape) onEscape(dataSet);
        }
    }
    return accept;
}
