#include "platform/ui/grid_axis.h"
#include <algorithm>
#include <cstdlib>

int TGridAxis::FixedExtent() const
{
    int pos = 0;
    for (int i = 0; i < std::min(fixed, count); ++i)
        pos += Size(i) + line;
    return pos;
}

int TGridAxis::Start(int i) const
{
    if (i < 0 || i >= count)
        return -1;
    int pos = 0;
    if (i < fixed) {
        for (int j = 0; j < i; ++j)
            pos += Size(j) + line;
        return pos < extent ? pos : -1;
    }
    if (i < first)
        return -1;
    pos = FixedExtent();
    for (int j = first; j < i && pos < extent; ++j)
        pos += Size(j) + line;
    return pos < extent ? pos : -1;
}

int TGridAxis::At(int pos) const
{
    if (pos < 0 || pos >= extent)
        return -1;
    int start = 0;
    for (int i = 0; i < std::min(fixed, count); ++i) {
        start += Size(i) + line;
        if (pos < start)
            return i;
    }
    for (int i = first; i < count && start < extent; ++i) {
        start += Size(i) + line;
        if (pos < start)
            return i;
    }
    return -1;
}

int TGridAxis::LastFullVisible() const
{
    int pos = FixedExtent();
    int last = first - 1;
    for (int i = first; i < count; ++i) {
        pos += Size(i);
        if (pos > extent)
            break;
        last = i;
        pos += line;
    }
    return last;
}

int TGridAxis::LastPartVisible() const
{
    int pos = FixedExtent();
    int last = std::min(fixed, count) - 1;
    for (int i = first; i < count && pos < extent; ++i) {
        last = i;
        pos += Size(i) + line;
    }
    return last;
}

int TGridAxis::End() const
{
    int pos = FixedExtent();
    for (int i = first; i < count && pos < extent; ++i)
        pos += Size(i) + line;
    return std::min(pos, extent);
}

int TGridAxis::FirstShowing(int last) const
{
    const int room = extent - FixedExtent();
    int pos = 0;
    int result = last;
    for (int i = last; i >= fixed; --i) {
        pos += Size(i);
        if (pos > room)
            break;
        result = i;
        pos += line;
    }
    return std::max(result, fixed);
}

int TGridAxis::BoundaryAt(int pos, int slop) const
{
    int start = 0;
    auto near = [&](int i) {
        start += Size(i);
        const int boundary = start + line / 2;
        start += line;
        return std::abs(pos - boundary) <= slop;
    };
    for (int i = 0; i < std::min(fixed, count); ++i)
        if (near(i))
            return i;
    for (int i = first; i < count && start < extent; ++i)
        if (near(i))
            return i;
    return -1;
}
