#pragma once

#include "GridTypes.h"
#include "StructuralShift.h"
#include <optional>
#include <QList>
#include <set>
#include <vector>

namespace platform::grid::internal
{

// The merged blocks of a sheet: rectangles of two or more cells that never overlap, ordered by their
// first cell so that a look-up reads only the blocks that start near the cell.
class MergeSet
{
public:
    std::optional<CellRange> blockAt(int row, int col) const;
    QList<CellRange> blocksIntersecting(const CellRange& range) const;
    QList<CellRange> all() const;
    bool isEmpty() const { return blocks_.empty(); }
    int lastRow() const;
    int lastCol() const;

    // Whether some block lies partly inside the range and partly outside it.
    bool cuts(const CellRange& range) const;
    bool isCutBy(const ReferenceShift& shift) const;

    // Adds a block over the range; the caller has made sure that no block intersects it.
    void add(const CellRange& range);
    void removeIntersecting(const CellRange& range);
    void apply(const ReferenceShift& shift);
    // Clips the blocks to the sheet's last row and column; a block left with one cell goes.
    void cutTo(int maxRow, int maxCol);

private:
    struct TopLeftOrder {
        bool operator()(const CellRange& a, const CellRange& b) const
        {
            return a.row1 != b.row1 ? a.row1 < b.row1 : a.col1 < b.col1;
        }
    };
    template <typename Visit> void forEachNear(int firstRow, int lastRow, Visit visit) const;
    // Whether some block holds one of the rows: most rows of a report hold none, and are answered
    // without a search.
    bool holdsAnyRow(int firstRow, int lastRow) const;
    void countRows(const CellRange& block, int change);
    void rebuild(const QList<CellRange>& blocks);

    std::set<CellRange, TopLeftOrder> blocks_;
    int tallest_ = 1; // no block has more rows: a block holding row r starts at r - tallest_ + 1 or later
    std::vector<int> blocksOnRow_; // how many blocks hold each row, from row 1 to the last block's
};

} // namespace platform::grid::internal
