#pragma once

namespace platform::grid
{
class Sheet;
}

// The selection of the design grid as the cell dialogs take it.
namespace dialogs
{

// In a data report column 1 of the design grid holds the region markers: a selection that starts there
// is moved to start in column 2, and an active cell there moves to column 2 of its row.
void SkipMarkerColumn(platform::grid::Sheet& grid, int reportType);

// True when the selection is exactly one merged block.
bool IsOneMergedBlock(const platform::grid::Sheet& grid);

} // namespace dialogs
