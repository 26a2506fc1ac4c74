#include "dialogs/DesignSelection.h"

#include "platform/grid/Sheet.h"
#include "store/ReportState.h"

#include <algorithm>

namespace dialogs
{

void SkipMarkerColumn(platform::grid::Sheet& grid, int reportType)
{
    if (reportType != store::DataReport)
        return;
    platform::grid::CellRange range = grid.selection();
    if (range.col1 != 1)
        return;
    const int activeRow = grid.activeRow();
    const int activeCol = std::max(2, grid.activeCol());
    range.col1 = 2;
    range.col2 = std::max(range.col2, 2);
    grid.select(range);
    const platform::grid::CellRange moved = grid.selection();
    if (moved.contains(activeRow, activeCol))
        grid.setActiveCell(activeRow, activeCol);
}

bool IsOneMergedBlock(const platform::grid::Sheet& grid)
{
    const platform::grid::CellRange range = grid.selection();
    const auto block = grid.mergedBlockAt(range.row1, range.col1);
    return block && *block == range;
}

} // namespace dialogs
