#include "SelectionMoves.h"

#include "platform/grid/Sheet.h"

#include <algorithm>

namespace platform::grid
{

CellPos movedCell(const Sheet& sheet, CellPos from, CellMove move, int pageRows)
{
    const std::optional<CellRange> block = sheet.mergedBlockAt(from.row, from.col);
    const CellRange here = block.value_or(CellRange::cell(from.row, from.col));
    CellPos to = from;
    switch (move) {
    case CellMove::Left:
        to.col = here.col1 - 1;
        break;
    case CellMove::Right:
        to.col = here.col2 + 1;
        break;
    case CellMove::Up:
        to.row = here.row1 - 1;
        break;
    case CellMove::Down:
        to.row = here.row2 + 1;
        break;
    case CellMove::PageUp:
        to.row = from.row - std::max(1, pageRows);
        break;
    case CellMove::PageDown:
        to.row = from.row + std::max(1, pageRows);
        break;
    case CellMove::RowStart:
        to.col = 1;
        break;
    case CellMove::SheetStart:
        to = CellPos {};
        break;
    }
    to.row = std::clamp(to.row, 1, sheet.maxRow());
    to.col = std::clamp(to.col, 1, sheet.maxCol());
    return to;
}

} // namespace platform::grid
