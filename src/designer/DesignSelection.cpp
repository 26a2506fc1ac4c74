#include "designer/DesignSelection.h"

#include "platform/grid/Sheet.h"

#include <algorithm>

namespace designer
{

platform::grid::CellRange selectionWithinSheet(const platform::grid::Sheet& grid)
{
    platform::grid::CellRange range = grid.selection().normalized();
    range.row2 = std::max(range.row1, std::min(range.row2, grid.maxRow()));
    range.col2 = std::max(range.col1, std::min(range.col2, grid.maxCol()));
    return range;
}

} // namespace designer
