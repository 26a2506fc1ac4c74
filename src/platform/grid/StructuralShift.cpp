#include "StructuralShift.h"

namespace platform::grid::internal
{

ReferenceShift insertionShift(const CellRange& range, Shift shift)
{
    ReferenceShift s;
    switch (shift) {
    case Shift::Rows:
        s.moved = { range.row1, 1, kMaxSheetRows, kMaxSheetCols };
        s.rowDelta = range.rowCount();
        break;
    case Shift::Columns:
        s.moved = { 1, range.col1, kMaxSheetRows, kMaxSheetCols };
        s.colDelta = range.colCount();
        break;
    case Shift::Vertical:
        s.moved = { range.row1, range.col1, kMaxSheetRows, range.col2 };
        s.rowDelta = range.rowCount();
        break;
    case Shift::Horizontal:
        s.moved = { range.row1, range.col1, range.row2, kMaxSheetCols };
        s.colDelta = range.colCount();
        break;
    }
    return s;
}

ReferenceShift deletionShift(const CellRange& range, Shift shift)
{
    ReferenceShift s;
    s.hasDeleted = true;
    switch (shift) {
    case Shift::Rows:
        s.deleted = { range.row1, 1, range.row2, kMaxSheetCols };
        s.moved = { range.row2 + 1, 1, kMaxSheetRows, kMaxSheetCols };
        s.rowDelta = -range.rowCount();
        break;
    case Shift::Columns:
        s.deleted = { 1, range.col1, kMaxSheetRows, range.col2 };
        s.moved = { 1, range.col2 + 1, kMaxSheetRows, kMaxSheetCols };
        s.colDelta = -range.colCount();
        break;
    case Shift::Vertical:
        s.deleted = range;
        s.moved = { range.row2 + 1, range.col1, kMaxSheetRows, range.col2 };
        s.rowDelta = -range.rowCount();
        break;
    case Shift::Horizontal:
        s.deleted = range;
        s.moved = { range.row1, range.col2 + 1, range.row2, kMaxSheetCols };
        s.colDelta = -range.colCount();
        break;
    }
    return s;
}

bool movesWholeRows(const ReferenceShift& shift)
{
    return shift.rowDelta != 0 && shift.moved.col1 == 1 && shift.moved.col2 >= kMaxSheetCols;
}

bool movesWholeCols(const ReferenceShift& shift)
{
    return shift.colDelta != 0 && shift.moved.row1 == 1 && shift.moved.row2 >= kMaxSheetRows;
}

bool cutsBlock(const ReferenceShift& shift, const CellRange& block)
{
    const bool touched
        = shift.moved.intersects(block) || (shift.hasDeleted && shift.deleted.intersects(block));
    if (!touched)
        return false;
    return !shift.moved.contains(block) && !(shift.hasDeleted && shift.deleted.contains(block));
}

namespace
{

// One dimension of a rectangle over whole rows or columns: [first, last] after the change.
struct Span {
    int first, last;
};

Span shiftedSpan(Span span, int movedFrom, int delta, std::optional<Span> deleted)
{
    auto place = [&](int index, bool isFirst) {
        if (deleted && index >= deleted->first && index <= deleted->last)
            return isFirst ? deleted->first : deleted->first - 1;
        return index >= movedFrom ? index + delta : index;
    };
    return { place(span.first, true), place(span.last, false) };
}

} // namespace

std::optional<CellRange> shiftedRectangle(const CellRange& r, const ReferenceShift& shift)
{
    if (movesWholeRows(shift)) {
        auto deleted = shift.hasDeleted ? std::optional<Span>({ shift.deleted.row1, shift.deleted.row2 })
                                        : std::nullopt;
        const Span rows = shiftedSpan({ r.row1, r.row2 }, shift.moved.row1, shift.rowDelta, deleted);
        if (rows.last < rows.first)
            return std::nullopt;
        return CellRange { rows.first, r.col1, rows.last, r.col2 };
    }
    if (movesWholeCols(shift)) {
        auto deleted = shift.hasDeleted ? std::optional<Span>({ shift.deleted.col1, shift.deleted.col2 })
                                        : std::nullopt;
        const Span cols = shiftedSpan({ r.col1, r.col2 }, shift.moved.col1, shift.colDelta, deleted);
        if (cols.last < cols.first)
            return std::nullopt;
        return CellRange { r.row1, cols.first, r.row2, cols.last };
    }
    if (shift.hasDeleted && shift.deleted.contains(r))
        return std::nullopt;
    if (shift.moved.contains(r))
        return CellRange { r.row1 + shift.rowDelta, r.col1 + shift.colDelta, r.row2 + shift.rowDelta,
            r.col2 + shift.colDelta };
    return r;
}

} // namespace platform::grid::internal
