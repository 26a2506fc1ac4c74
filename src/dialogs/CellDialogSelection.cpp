#include "dialogs/CellDialogSelection.h"

#include "platform/grid/Sheet.h"
#include "store/DesignGrid.h"

#include <algorithm>

namespace dialogs
{

void SkipMarkerColumn(platform::grid::Sheet& grid)
{
    if (!store::isDataReport())
        return;
    platform::grid::CellRange range = grid.selection();
    if (range.col1 != store::MarkerColumn)
        return;
    constexpr int FirstContentColumn = store::MarkerColumn + 1;
    const int activeRow = grid.activeRow();
    const int activeCol = std::max(FirstContentColumn, grid.activeCol());
    range.col1 = FirstContentColumn;
    range.col2 = std::max(range.col2, FirstContentColumn);
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
