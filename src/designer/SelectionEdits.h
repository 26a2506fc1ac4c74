#pragma once

namespace platform::grid
{
class Sheet;
}

// Edits of the design grid's current selection that do not move rows or columns, and the selection checks
// that the cell dialogs ask. In a data report column 1 is the marker column: a selection reaching into it
// is handled from column 2.
namespace designer
{

enum class ClearMode { Formats = 1, Contents = 2 };

// Clears formats or contents of the selection. A selection of the marker column alone is refused
// ("区域标志区的格式不可清除！"); a range that cuts a merged block gives "所选区域涉及合并单元格，不能清除
// 该区域的格式信息！". The caller asks its own confirmation. True when cleared.
bool ClearSelection(platform::grid::Sheet& grid, ClearMode mode);

// Merges the selection (cut to the sheet) into one cell holding the active cell's text (or the first
// cell's, when the active cell lies outside the merged range) and widens the used size to it. A selection
// across regions is refused. True when merged; a grid failure leaves everything as it was.
bool MergeSelection(platform::grid::Sheet& grid);

// Sets the height (width) in twips, rounded to a whole number, of every selected row (column) within the
// sheet; a data report's marker column keeps its width.
void SetSelRowHeight(platform::grid::Sheet& grid, double twips);
void SetSelColWidth(platform::grid::Sheet& grid, double twips);

// The selected rows reach partly into a region (data reports; false for statistics reports).
bool SelectionCrossesRegion(const platform::grid::Sheet& grid);
// The selected rows are exactly one region (data reports; false for statistics reports).
bool SelectionIsWholeRegion(const platform::grid::Sheet& grid);

// Widens DesignRowCount and DesignColCount to the selection's last row and column (cut to the sheet).
void UpdateUsedRange(const platform::grid::Sheet& grid);

} // namespace designer
