#pragma once
// The filters of one cursor: the expression trees the engine evaluates itself
// and the record callback of the dataset above it. A row is shown when every
// tree accepts it and then the callback does; the trees go first because they
// are cheap and the callback may run application code.
#include "platform/engine/filter_tree.h"
#include <functional>
#include <map>
#include <memory>

class TRowFilters {
public:
    using TCallback = std::function<bool(const TRecordValues&)>;

    void SetCallback(TCallback callback) { callback_ = std::move(callback); }
    // Reads the buffer against the table (EDatabaseError when it does not fit); returns a handle.
    int Add(const QByteArray& expression, const TTableDesc& table);
    // False when the handle names no filter.
    bool Drop(int handle) { return trees_.erase(handle) > 0; }

    bool Any() const { return callback_ || !trees_.empty(); }
    bool HasCallback() const { return bool(callback_); }
    bool Accepts(const TRecordValues& row) const;

private:
    std::map<int, std::unique_ptr<const TFilterTree>> trees_;
    int nextHandle_ = 1;
    TCallback callback_;
};
