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

// A range as a call, which keeps one-line lambdas on one line.
inline CellRange cells(int row1, int col1, int row2, int col2)
{
    return CellRange { row1, col1, row2, col2 };
}

// A format that sets one property: formatWith(&CellFormat::fontBold, true).
template <class T, class V> CellFormat formatWith(std::optional<T> CellFormat::*property, const V& value)
{
    CellFormat format;
    format.*property = T(value);
    return format;
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
