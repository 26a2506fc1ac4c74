#pragma once

namespace platform::grid
{

class Sheet;

enum class CellMove { Left, Right, Up, Down, PageUp, PageDown, RowStart, SheetStart };

struct CellPos {
    int row = 1;
    int col = 1;
    bool operator==(const CellPos&) const = default;
};

// Where a cell goes when the keyboard moves it: one cell over, leaving a merged block by its far
// side, a page of `pageRows` rows up or down, to the row's first column or to the sheet's first cell;
// never past the sheet's edges.
CellPos movedCell(const Sheet& sheet, CellPos from, CellMove move, int pageRows);

} // namespace platform::grid
