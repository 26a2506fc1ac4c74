#pragma once

#include "Formula.h"
#include "Node.h"
#include <variant>

namespace platform::grid::formula
{

// Computes the value of a tree. Empty cells come back as std::monostate; the caller of the whole
// formula shows them as 0.
class Evaluator
{
public:
    Evaluator(const CellLookup& lookup, const CellRange& dataArea)
        : lookup_(lookup)
        , dataArea_(dataArea)
    {
    }

    CellValue value(const Node& node) const;
    CellValue cell(int row, int col) const { return lookup_(row, col); }
    // Cells outside it are empty.
    const CellRange& dataArea() const { return dataArea_; }

private:
    CellValue binary(const Node& node) const;
    const CellLookup& lookup_;
    CellRange dataArea_;
};

// The number a value stands for in arithmetic, as spreadsheets convert: empty is 0, TRUE is 1, a
// text that reads as a number is that number, other texts give #VALUE!. (Texts come from entryText.)
using NumberOrError = std::variant<double, CellError>;
NumberOrError numberOf(const CellValue& value);
const CellError* errorOf(const CellValue& value);

CellError errorValue(const char* code);

} // namespace platform::grid::formula
