#pragma once

#include "platform/grid/GridTypes.h"

#include <QList>
#include <vector>

namespace platform::grid
{

class Sheet;

// The merged blocks that touch a range, looked up by cell: a table for the cells of the range, a
// search of the few blocks for the cells around it.
class RangeBlocks
{
public:
    RangeBlocks(const Sheet& sheet, const CellRange& range);

    const QList<CellRange>& blocks() const { return blocks_; }
    const CellRange* blockAt(int row, int col) const;
    // A cell that a block hides: inside a block but not its first cell.
    bool isCovered(int row, int col) const;
    // The cell and its neighbour to the right (below) lie in one block: no line between them.
    bool joinsRight(int row, int col) const;
    bool joinsDown(int row, int col) const;

private:
    CellRange range_;
    QList<CellRange> blocks_;
    std::vector<int> blockIndex_; // per cell of the range, row by row; -1 outside every block
};

} // namespace platform::grid
