#include "CellStore.h"

#include <algorithm>

namespace platform::grid::internal
{

const Cell* CellStore::find(int row, int col) const
{
    if (row > int(rows_.size()))
        return nullptr;
    const Row& cells = rows_[row - 1];
    return col <= int(cells.size()) ? &cells[col - 1] : nullptr;
}

Cell* CellStore::find(int row, int col)
{
    return const_cast<Cell*>(static_cast<const CellStore*>(this)->find(row, col));
}

Cell& CellStore::at(int row, int col)
{
    if (row > int(rows_.size()))
        rows_.resize(row);
    Row& cells = rows_[row - 1];
    if (col > int(cells.size()))
        cells.resize(col);
    return cells[col - 1];
}

const CellStore::Row* CellStore::row(int row) const
{
    return row <= int(rows_.size()) ? &rows_[row - 1] : nullptr;
}

void CellStore::setRow(int row, Row cells)
{
    if (row > int(rows_.size()))
        rows_.resize(row);
    rows_[row - 1] = std::move(cells);
    tidy(row);
}

namespace
{

// Gives back the memory of the blank cells at the end of a row.
void trimRow(CellStore::Row& cells)
{
    while (!cells.empty() && cells.back().isBlank())
        cells.pop_back();
    if (cells.empty())
        CellStore::Row().swap(cells);
}

} // namespace

void CellStore::tidy(int row)
{
    if (row >= 1 && row <= int(rows_.size()))
        trimRow(rows_[row - 1]);
    dropEmptyRowsAtEnd();
}

void CellStore::dropEmptyRowsAtEnd()
{
    while (!rows_.empty() && rows_.back().empty())
        rows_.pop_back();
}

int CellStore::lastValueRow() const
{
    for (int r = int(rows_.size()); r >= 1; --r) {
        const Row& cells = rows_[r - 1];
        if (std::any_of(cells.begin(), cells.end(), [](const Cell& c) { return c.hasValue(); }))
            return r;
    }
    return 0;
}

int CellStore::lastValueCol() const
{
    int last = 0;
    for (const Row& cells : rows_) {
        for (int c = int(cells.size()); c > last; --c) {
            if (cells[c - 1].hasValue()) {
                last = c;
                break;
            }
        }
    }
    return last;
}

int CellStore::lastUsedRow() const
{
    for (int r = int(rows_.size()); r >= 1; --r) {
        const Row& cells = rows_[r - 1];
        if (std::any_of(cells.begin(), cells.end(), [](const Cell& c) { return !c.isBlank(); }))
            return r;
    }
    return 0;
}

int CellStore::lastUsedCol() const
{
    int last = 0;
    for (const Row& cells : rows_) {
        for (int c = int(cells.size()); c > last; --c) {
            if (!cells[c - 1].isBlank()) {
                last = c;
                break;
            }
        }
    }
    return last;
}

Cell CellStore::take(int row, int col)
{
    Cell* cell = find(row, col);
    return cell ? std::move(*cell) : Cell();
}

void CellStore::put(int row, int col, Cell&& cell)
{
    if (!cell.isBlank())
        at(row, col) = std::move(cell);
    else if (Cell* there = find(row, col))
        *there = Cell();
}

void CellStore::apply(const ReferenceShift& shift)
{
    if (shift.rowDelta != 0)
        shiftRows(shift);
    else if (shift.colDelta != 0)
        shiftCols(shift);
}

void CellStore::shiftRows(const ReferenceShift& shift)
{
    const int delta = shift.rowDelta;
    if (movesWholeRows(shift)) {
        if (delta > 0 && shift.moved.row1 <= int(rows_.size()))
            rows_.insert(rows_.begin() + (shift.moved.row1 - 1), delta, Row());
        else if (delta < 0 && shift.deleted.row1 <= int(rows_.size()))
            rows_.erase(rows_.begin() + (shift.deleted.row1 - 1),
                rows_.begin() + std::min(shift.deleted.row2, int(rows_.size())));
        tidy(int(rows_.size()));
        return;
    }
    const int col1 = shift.moved.col1, col2 = shift.moved.col2;
    const int last = int(rows_.size());
    if (delta > 0) {
        for (int r = last; r >= shift.moved.row1; --r) {
            for (int c = col1; c <= col2 && c <= int(rows_[r - 1].size()); ++c)
                put(r + delta, c, take(r, c));
        }
    } else {
        for (int r = shift.deleted.row1; r <= std::min(shift.deleted.row2, last); ++r) {
            for (int c = col1; c <= col2 && c <= int(rows_[r - 1].size()); ++c)
                put(r, c, Cell());
        }
        for (int r = shift.moved.row1; r <= last; ++r) {
            for (int c = col1; c <= col2 && c <= int(rows_[r - 1].size()); ++c)
                put(r + delta, c, take(r, c));
        }
    }
    for (int r = int(rows_.size()); r >= 1; --r)
        tidy(r);
}

void CellStore::shiftCols(const ReferenceShift& shift)
{
    const int delta = shift.colDelta;
    const int lastRow = std::min(shift.moved.row2, int(rows_.size()));
    for (int r = shift.moved.row1; r <= lastRow; ++r) {
        Row& cells = rows_[r - 1];
        if (delta > 0 && shift.moved.col1 <= int(cells.size()))
            cells.insert(cells.begin() + (shift.moved.col1 - 1), delta, Cell());
        else if (delta < 0 && shift.deleted.col1 <= int(cells.size()))
            cells.erase(cells.begin() + (shift.deleted.col1 - 1),
                cells.begin() + std::min(shift.deleted.col2, int(cells.size())));
    }
    for (int r = lastRow; r >= shift.moved.row1; --r)
        tidy(r);
}

void CellStore::cutTo(int maxRow, int maxCol)
{
    if (int(rows_.size()) > maxRow)
        rows_.resize(maxRow);
    // Only the rows cut short can end in blank cells now; the others are left as they were, unread.
    for (Row& cells : rows_) {
        if (int(cells.size()) > maxCol) {
            cells.resize(maxCol);
            trimRow(cells);
        }
    }
    dropEmptyRowsAtEnd();
}

} // namespace platform::grid::internal
