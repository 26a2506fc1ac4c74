#pragma once

namespace platform::grid
{
class Sheet;
}

// Inserting and deleting rows and columns of the design grid at its current selection, keeping the
// state's region table, the marker column (data reports) and the used size DesignRowCount/DesignColCount
// in step with the grid. The grid's last row and column (Sheet::maxRow/maxCol, which the designer sets to
// the report's size) move with every insert and delete. Refusals and confirmations are message boxes
// (platform::ui::msgBox); a grid refusal (merged cell 20053, deletion 20007) becomes its message, any
// other grid failure ends the edit silently. Each returns true when the grid was changed.
namespace designer
{

// The design sheet holds at most this many rows and columns; inserts beyond are refused.
constexpr int MaxDesignRows = 50;
constexpr int MaxDesignCols = 50;

// Where one new row (column) goes: above (left of) the selection's first row (column), or below (right
// of) its last one. One row or column is inserted however many are selected.
enum class InsertPlace { Before = 1, After = 2 };

bool InsertRow(platform::grid::Sheet& grid, InsertPlace place);
bool InsertColumn(platform::grid::Sheet& grid, InsertPlace place);

// Asks "确定要删除当前行?" first. In a data report rows spanning two regions are refused, and rows that
// are exactly one region become DeleteRegion (with its own question).
bool DeleteRow(platform::grid::Sheet& grid);
// Asks "确定要删除当前列?" first. The marker column of a data report is never deleted.
bool DeleteColumn(platform::grid::Sheet& grid);

} // namespace designer
