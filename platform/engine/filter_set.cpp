#include "platform/engine/filter_set.h"

int TRowFilters::Add(const QByteArray& expression, const TTableDesc& table)
{
    auto tree = std::make_unique<const TFilterTree>(expression, table);
    const int handle = nextHandle_++;
    trees_.emplace(handle, std::move(tree));
    return handle;
}

bool TRowFilters::Accepts(const TRecordValues& row) const
{
    for (const auto& [handle, tree] : trees_)
        if (!tree->Accepts(row)) return false;
    return !callback_ || callback_(row);
}
