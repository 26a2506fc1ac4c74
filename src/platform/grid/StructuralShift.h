#pragma once

#include "formula/Formula.h"
#include "GridTypes.h"
#include <optional>

namespace platform::grid::internal
{

using formula::ReferenceShift;

// How inserting or deleting `range` with `shift` moves the cells: the moved area runs to the edge of
// the largest sheet; a deletion also names the cells that go.
ReferenceShift insertionShift(const CellRange& range, Shift shift);
ReferenceShift deletionShift(const CellRange& range, Shift shift);

bool movesWholeRows(const ReferenceShift& shift);
bool movesWholeCols(const ReferenceShift& shift);

// A merged block is cut when the change moves or deletes part of it only.
bool cutsBlock(const ReferenceShift& shift, const CellRange& block);

// Where a rectangle goes. A rectangle over whole rows (or columns) stretches when rows are inserted
// inside it and shrinks when some of its rows are deleted; other rectangles move only when they lie
// wholly in the moved area. Nothing is left when all its cells are deleted.
std::optional<CellRange> shiftedRectangle(const CellRange& rectangle, const ReferenceShift& shift);

} // namespace platform::grid::internal
