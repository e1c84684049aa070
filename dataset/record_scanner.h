#pragma once
// A dataset that can be searched by reading its records straight from the
// engine cursor: no record buffers are filled, no calculated fields computed
// and no events fired per record, so a search over a large table stays fast.
#include "platform/engine/cursor.h"
#include <functional>
#include <optional>

using TRecordMatch = std::function<bool(const TRecordValues&)>;

class TwwRecordScanner {
public:
    virtual ~TwwRecordScanner() = default;
    // Goes to the first record after the current one (from the first record
    // with FromFirst) that Match accepts. False: the dataset did not move.
    virtual bool ScanRecords(bool fromFirst, const TRecordMatch& match) = 0;
};

// Walks the cursor from the first row, or from the row after its current one,
// and returns the row id of the first row that Match accepts. Restore puts the
// cursor back where its dataset expects it when no row matched or Match threw.
std::optional<qint64> ScanEngineCursor(TEngineCursor& cursor, bool fromFirst, const TRecordMatch& match,
                                       const std::function<void()>& restore);
