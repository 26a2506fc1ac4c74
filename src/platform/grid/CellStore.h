#pragma once

#include "Cell.h"
#include "StructuralShift.h"
#include <vector>

namespace platform::grid::internal
{

// The cells of a sheet, one vector of compact cells per row, each as long as its last stored cell.
// Rows and cells beyond the last stored ones take no memory.
class CellStore
{
public:
    using Row = std::vector<Cell>;

    const Cell* find(int row, int col) const;
    Cell* find(int row, int col);
    Cell& at(int row, int col); // stores the cell when it is not there yet
    const Row* row(int row) const;
    void setRow(int row, Row cells); // the row's cells, blank ones at its end given back
    int rowCount() const { return int(rows_.size()); }

    // Gives back the memory of blank cells at the end of a row and of empty rows at the end.
    void tidy(int row);

    int lastValueRow() const;
    int lastValueCol() const;
    int lastUsedRow() const; // a value or a format
    int lastUsedCol() const;

    void apply(const ReferenceShift& shift);
    void cutTo(int maxRow, int maxCol);

    template <typename Visit> void forEachCell(Visit visit)
    {
        for (int r = 0; r < int(rows_.size()); ++r) {
            for (int c = 0; c < int(rows_[r].size()); ++c)
                visit(r + 1, c + 1, rows_[r][c]);
        }
    }
    // The stored cells of a range, row by row.
    template <typename Visit> void forEachIn(const CellRange& range, Visit visit)
    {
        for (int r = range.row1; r <= std::min(range.row2, rowCount()); ++r) {
            Row& cells = rows_[r - 1];
            for (int c = range.col1; c <= std::min(range.col2, int(cells.size())); ++c)
                visit(r, c, cells[c - 1]);
        }
    }

private:
    void dropEmptyRowsAtEnd();
    void shiftRows(const ReferenceShift& shift);
    void shiftCols(const ReferenceShift& shift);
    Cell take(int row, int col);
    void put(int row, int col, Cell&& cell);

    std::vector<Row> rows_;
};

} // namespace platform::grid::internal
