#pragma once

#include "GridTypes.h"
#include <algorithm>
#include <QList>
#include <vector>

namespace platform::grid::internal
{

// What one side of a cell is within a range: the range's outer edge, a line between two of its
// cells, or no line at all because the side lies inside a merged block.
enum class Edge : quint8 { Outer = 0, Inner = 1, InsideBlock = 2 };

struct CellEdges {
    Edge top, left, bottom, right;
    int code() const { return int(top) + 3 * int(left) + 9 * int(bottom) + 27 * int(right); }
};
constexpr int kEdgeCodes = 81;

// The merged blocks that hold cells of the row being visited, kept up to date row by row.
class BlockSweep
{
public:
    explicit BlockSweep(QList<CellRange> blocks)
        : waiting_(std::move(blocks))
    {
        std::sort(waiting_.begin(), waiting_.end(),
            [](const CellRange& a, const CellRange& b) { return a.row1 < b.row1; });
    }

    void enterRow(int row)
    {
        while (next_ < waiting_.size() && waiting_[next_].row1 <= row)
            active_.push_back(waiting_[next_++]);
        active_.erase(std::remove_if(
                          active_.begin(), active_.end(), [row](const CellRange& b) { return b.row2 < row; }),
            active_.end());
    }
    const CellRange* blockAt(int col) const
    {
        for (const auto& block : active_) {
            if (col >= block.col1 && col <= block.col2)
                return &block;
        }
        return nullptr;
    }

private:
    QList<CellRange> waiting_;
    qsizetype next_ = 0;
    std::vector<CellRange> active_;
};

// Visits every cell of the range, row by row, with its edges and the merged block holding it (or
// nullptr); `blocks` are the merged blocks that touch the range.
template <typename Visit>
void forEachCellWithEdges(const CellRange& range, const QList<CellRange>& blocks, Visit visit)
{
    BlockSweep sweep(blocks);
    for (int r = range.row1; r <= range.row2; ++r) {
        sweep.enterRow(r);
        for (int c = range.col1; c <= range.col2; ++c) {
            const CellRange* b = blocks.isEmpty() ? nullptr : sweep.blockAt(c);
            CellEdges e;
            e.top = r == range.row1 ? Edge::Outer : (b && r > b->row1 ? Edge::InsideBlock : Edge::Inner);
            e.bottom = r == range.row2 ? Edge::Outer : (b && r < b->row2 ? Edge::InsideBlock : Edge::Inner);
            e.left = c == range.col1 ? Edge::Outer : (b && c > b->col1 ? Edge::InsideBlock : Edge::Inner);
            e.right = c == range.col2 ? Edge::Outer : (b && c < b->col2 ? Edge::InsideBlock : Edge::Inner);
            visit(r, c, e, b);
        }
    }
}

} // namespace platform::grid::internal
