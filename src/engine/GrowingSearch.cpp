#include "engine/GrowingSearch.h"

#include <algorithm>

namespace engine
{

long long FirstHolding(long long from, long long to, const std::function<bool(long long)>& holds)
{
    if (from > to || holds(from))
        return from;
    long long failing = from; // holds nowhere up to here
    long long step = 1;
    long long probe = std::min(to, from + step);
    while (!holds(probe)) {
        failing = probe;
        if (probe == to)
            return to + 1;
        step *= 2;
        probe = std::min(to, from + step);
    }
    // The answer lies in (failing, probe].
    while (probe - failing > 1) {
        const long long middle = failing + (probe - failing) / 2;
        if (holds(middle))
            probe = middle;
        else
            failing = middle;
    }
    return probe;
}

} // namespace engine
