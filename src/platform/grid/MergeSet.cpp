#include "MergeSet.h"

#include <algorithm>

namespace platform::grid::internal
{

bool MergeSet::holdsAnyRow(int firstRow, int lastRow) const
{
    constexpr int kRowsLookedAt = 64; // a longer range is searched for
    if (lastRow - firstRow >= kRowsLookedAt)
        return true;
    const int last = std::min(lastRow, int(blocksOnRow_.size()));
    for (int row = std::max(firstRow, 1); row <= last; ++row) {
        if (blocksOnRow_[row - 1] > 0)
            return true;
    }
    return false;
}

void MergeSet::countRows(const CellRange& block, int change)
{
    if (block.row2 > int(blocksOnRow_.size()))
        blocksOnRow_.resize(block.row2, 0);
    for (int row = block.row1; row <= block.row2; ++row)
        blocksOnRow_[row - 1] += change;
}

template <typename Visit> void MergeSet::forEachNear(int firstRow, int lastRow, Visit visit) const
{
    if (!holdsAnyRow(firstRow, lastRow))
        return;
    const CellRange from { std::max(1, firstRow - tallest_ + 1), 0, 0, 0 };
    for (auto it = blocks_.lower_bound(from); it != blocks_.end() && it->row1 <= lastRow; ++it)
        visit(*it);
}

std::optional<CellRange> MergeSet::blockAt(int row, int col) const
{
    std::optional<CellRange> found;
    forEachNear(row, row, [&](const CellRange& block) {
        if (block.contains(row, col))
            found = block;
    });
    return found;
}

QList<CellRange> MergeSet::blocksIntersecting(const CellRange& range) const
{
    QList<CellRange> found;
    forEachNear(range.row1, range.row2, [&](const CellRange& block) {
        if (block.intersects(range))
            found.append(block);
    });
    return found;
}

QList<CellRange> MergeSet::all() const
{
    return QList<CellRange>(blocks_.begin(), blocks_.end());
}

int MergeSet::lastRow() const
{
    int last = 0;
    for (const auto& block : blocks_)
        last = std::max(last, block.row2);
    return last;
}

int MergeSet::lastCol() const
{
    int last = 0;
    for (const auto& block : blocks_)
        last = std::max(last, block.col2);
    return last;
}

bool MergeSet::cuts(const CellRange& range) const
{
    const auto touched = blocksIntersecting(range);
    return std::any_of(
        touched.begin(), touched.end(), [&](const CellRange& b) { return !range.contains(b); });
}

bool MergeSet::isCutBy(const ReferenceShift& shift) const
{
    return std::any_of(
        blocks_.begin(), blocks_.end(), [&](const CellRange& b) { return cutsBlock(shift, b); });
}

void MergeSet::add(const CellRange& range)
{
    blocks_.insert(range);
    tallest_ = std::max(tallest_, range.rowCount());
    countRows(range, 1);
}

void MergeSet::removeIntersecting(const CellRange& range)
{
    for (const auto& block : blocksIntersecting(range)) {
        blocks_.erase(block);
        countRows(block, -1);
    }
}

void MergeSet::rebuild(const QList<CellRange>& blocks)
{
    blocks_.clear();
    blocksOnRow_.clear();
    tallest_ = 1;
    for (const auto& block : blocks)
        add(block);
}

void MergeSet::apply(const ReferenceShift& shift)
{
    QList<CellRange> kept;
    for (const auto& block : blocks_) {
        if (auto moved = shiftedRectangle(block, shift))
            kept.append(*moved);
    }
    rebuild(kept);
}

void MergeSet::cutTo(int maxRow, int maxCol)
{
    QList<CellRange> kept;
    for (auto block : blocks_) {
        block.row2 = std::min(block.row2, maxRow);
        block.col2 = std::min(block.col2, maxCol);
        if (block.row2 >= block.row1 && block.col2 >= block.col1
            && (block.rowCount() > 1 || block.colCount() > 1))
            kept.append(block);
    }
    rebuild(kept);
}

} // namespace platform::grid::internal
