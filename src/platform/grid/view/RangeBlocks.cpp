#include "RangeBlocks.h"

#include "platform/grid/Sheet.h"

#include <algorithm>

namespace platform::grid
{

RangeBlocks::RangeBlocks(const Sheet& sheet, const CellRange& range)
    : range_(range)
    , blocks_(sheet.mergedBlocksIn(range))
{
    if (blocks_.isEmpty())
        return;
    blockIndex_.assign(size_t(range.rowCount()) * size_t(range.colCount()), -1);
    for (int i = 0; i < blocks_.size(); ++i) {
        const CellRange& b = blocks_[i];
        for (int r = std::max(b.row1, range.row1); r <= std::min(b.row2, range.row2); ++r) {
            for (int c = std::max(b.col1, range.col1); c <= std::min(b.col2, range.col2); ++c)
                blockIndex_[size_t(r - range.row1) * size_t(range.colCount()) + size_t(c - range.col1)] = i;
        }
    }
}

const CellRange* RangeBlocks::blockAt(int row, int col) const
{
    if (blocks_.isEmpty())
        return nullptr;
    if (range_.contains(row, col)) {
        const int i
            = blockIndex_[size_t(row - range_.row1) * size_t(range_.colCount()) + size_t(col - range_.col1)];
        return i < 0 ? nullptr : &blocks_[i];
    }
    const auto found = std::find_if(
        blocks_.begin(), blocks_.end(), [&](const CellRange& b) { return b.contains(row, col); });
    return found == blocks_.end() ? nullptr : &*found;
}

bool RangeBlocks::isCovered(int row, int col) const
{
    const CellRange* b = blockAt(row, col);
    return b && (b->row1 != row || b->col1 != col);
}

bool RangeBlocks::joinsRight(int row, int col) const
{
    const CellRange* b = blockAt(row, col);
    return b && col < b->col2;
}

bool RangeBlocks::joinsDown(int row, int col) const
{
    const CellRange* b = blockAt(row, col);
    return b && row < b->row2;
}

} // namespace platform::grid
