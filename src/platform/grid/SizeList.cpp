#include "SizeList.h"

#include <algorithm>

namespace platform::grid::internal
{

int SizeList::size(int index) const
{
    return isSet(index) ? sizes_[index - 1] : default_;
}

bool SizeList::isSet(int index) const
{
    return index <= int(sizes_.size()) && sizes_[index - 1] != kUnset;
}

void SizeList::set(int first, int last, int size)
{
    if (int(sizes_.size()) < last)
        sizes_.resize(last, kUnset);
    std::fill(sizes_.begin() + (first - 1), sizes_.begin() + last, size);
}

void SizeList::unset(int first, int last)
{
    last = std::min(last, int(sizes_.size()));
    if (first <= last)
        std::fill(sizes_.begin() + (first - 1), sizes_.begin() + last, kUnset);
}

void SizeList::insert(int at, int count)
{
    if (at <= int(sizes_.size()))
        sizes_.insert(sizes_.begin() + (at - 1), count, kUnset);
}

void SizeList::remove(int first, int count)
{
    if (first > int(sizes_.size()))
        return;
    const int last = std::min(first - 1 + count, int(sizes_.size()));
    sizes_.erase(sizes_.begin() + (first - 1), sizes_.begin() + last);
}

void SizeList::cutAfter(int last)
{
    if (int(sizes_.size()) > last)
        sizes_.resize(last);
}

} // namespace platform::grid::internal
