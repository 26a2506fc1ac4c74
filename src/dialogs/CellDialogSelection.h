#pragma once

namespace platform::grid
{
class Sheet;
}

// The selection of the design grid as the cell dialogs take it.
namespace dialogs
{

// In a data report the marker column of the design grid holds the regions: a selection that starts there
// is moved to start in the column after it, and an active cell there moves along.
void SkipMarkerColumn(platform::grid::Sheet& grid);

// True when the selection is exactly one merged block.
bool IsOneMergedBlock(const platform::grid::Sheet& grid);

} // namespace dialogs
