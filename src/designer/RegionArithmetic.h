#pragma once

#include "store/RegionTable.h"

// The region table's arithmetic for the designer's row edits, over the table alone: no grid, no state.
// Entries are numbered 1 to 11 in sheet order (store::RegionEntry); an absent entry holds 0, 0, 0.
// The edits keep the present regions in table order, top to bottom, without overlapping; a head and its
// tail (entries i and 12 - i) present together; group levels used from 1 upward; the detail band present.
namespace designer
{

// The selected rows first..last against one entry; each is false for an absent entry.
bool SelectionInsideRegion(const store::ReportRegion& region, int firstRow, int lastRow);
bool SelectionEqualsRegion(const store::ReportRegion& region, int firstRow, int lastRow);
// The rows overlap the region without lying inside it.
bool SelectionPartlyInRegion(const store::ReportRegion& region, int firstRow, int lastRow);

// Some entry is partly selected: an edit would reach into two regions.
bool RowsCrossRegion(const store::RegionTable& regions, int firstRow, int lastRow);
// The rows are exactly one region.
bool RowsAreWholeRegion(const store::RegionTable& regions, int firstRow, int lastRow);
// The first entry (1 to 11) that holds all the rows; 0 when none does.
int RegionHoldingRows(const store::RegionTable& regions, int firstRow, int lastRow);

// A present entry moves by delta rows.
void OffsetRegion(store::RegionTable& regions, int entry, int delta);
// A row inserted at `row`: the first region holding the row grows by one at its end and every later
// region moves down one. A row in no region changes nothing.
void ExtendRegionAtRow(store::RegionTable& regions, int row);
// From the first entry that ends at or after `row` on, every present entry moves by delta rows.
void ShiftRegionsFromRow(store::RegionTable& regions, int row, int delta);
// `count` rows deleted from firstRow on, inside one region or below all of them: the first region ending at
// or after firstRow loses count rows at its end, every later region moves up by count.
void ShrinkRegionsForRows(store::RegionTable& regions, int firstRow, int count);
// After the deletion of group level 1 or 2 (its head or tail entry), the inner levels move one level
// outward, keeping their rows, so that the levels stay without gaps. Other entries change nothing.
void CloseGroupGap(store::RegionTable& regions, int entry);
void ClearRegionEntry(store::RegionTable& regions, int entry);

// The used sheet size after rows (columns) first..last were deleted: the part of them inside the used
// count comes off it; deletions wholly beyond it change nothing.
int ReducedCount(int count, int first, int last);

// --- adding a pair of regions ---------------------------------------------------------------------
// Every present entry from..to moves down one row.
void ShiftRegions(store::RegionTable& regions, int from, int to);
void SetRegion(store::RegionTable& regions, int entry, int beginRow, int endRow);
// Walks from..to by step (+1 or -1): the row below the first present entry, 0 when none is present.
int RowAfterRegions(const store::RegionTable& regions, int from, int to, int step);
// The innermost group level not yet used (1 to 3), 0 when all three are.
int GetFreeGroupLevel(const store::RegionTable& regions);

} // namespace designer
