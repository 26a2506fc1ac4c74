#pragma once

#include "platform/Error.h"
#include "platform/grid/Sheet.h"

#include <functional>
#include <ostream>

namespace platform::grid
{

// Ranges read as "B2:C3" in failure messages.
inline void PrintTo(const CellRange& r, std::ostream* out)
{
    *out << rangeText(r).toStdString();
}

// The error number an action throws, 0 when it succeeds.
inline int errorNumberOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Error& e) {
        return e.number();
    }
    return 0;
}

} // namespace platform::grid
