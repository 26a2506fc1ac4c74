#include "designer/RegionArithmetic.h"

#include <algorithm>

namespace designer
{

using store::RegionEntryCount;
using store::ReportRegion;

bool SelectionInsideRegion(const ReportRegion& region, int firstRow, int lastRow)
{
    return region.present && firstRow >= region.beginRow && lastRow <= region.endRow;
}

bool SelectionEqualsRegion(const ReportRegion& region, int firstRow, int lastRow)
{
    return region.present && firstRow == region.beginRow && lastRow == region.endRow;
}

bool SelectionPartlyInRegion(const ReportRegion& region, int firstRow, int lastRow)
{
    return region.present && firstRow <= region.endRow && lastRow >= region.beginRow
        && (firstRow < region.beginRow || lastRow > region.endRow);
}

bool RowsCrossRegion(const store::RegionTable& regions, int firstRow, int lastRow)
{
    for (int entry = 1; entry <= RegionEntryCount; ++entry) {
        if (SelectionPartlyInRegion(regions[entry], firstRow, lastRow))
            return true;
    }
    return false;
}

bool RowsAreWholeRegion(const store::RegionTable& regions, int firstRow, int lastRow)
{
    for (int entry = 1; entry <= RegionEntryCount; ++entry) {
        if (SelectionEqualsRegion(regions[entry], firstRow, lastRow))
            return true;
    }
    return false;
}

int RegionHoldingRows(const store::RegionTable& regions, int firstRow, int lastRow)
{
    for (int entry = 1; entry <= RegionEntryCount; ++entry) {
        if (SelectionInsideRegion(regions[entry], firstRow, lastRow))
            return entry;
    }
    return 0;
}

void OffsetRegion(store::RegionTable& regions, int entry, int delta)
{
    ReportRegion& region = regions[entry];
    if (!region.present)
        return;
    region.beginRow += delta;
    region.endRow += delta;
}

void ExtendRegionAtRow(store::RegionTable& regions, int row)
{
    for (int entry = 1; entry <= RegionEntryCount; ++entry) {
        ReportRegion& region = regions[entry];
        if (region.holds(row)) {
            ++region.endRow;
            for (int later = entry + 1; later <= RegionEntryCount; ++later)
                OffsetRegion(regions, later, 1);
            return;
        }
    }
}

void ShiftRegionsFromRow(store::RegionTable& regions, int row, int delta)
{
    for (int entry = 1; entry <= RegionEntryCount; ++entry) {
        if (regions[entry].endRow >= row) {
            for (int later = entry; later <= RegionEntryCount; ++later)
                OffsetRegion(regions, later, delta);
            return;
        }
    }
}

void ShrinkRegionsForRows(store::RegionTable& regions, int firstRow, int count)
{
    for (int entry = 1; entry <= RegionEntryCount; ++entry) {
        if (regions[entry].endRow >= firstRow) {
            regions[entry].endRow -= count;
            for (int later = entry + 1; later <= RegionEntryCount; ++later)
                OffsetRegion(regions, later, -count);
            return;
        }
    }
}

void CloseGroupGap(store::RegionTable& regions, int entry)
{
    using store::groupHeadEntry;
    using store::groupTailEntry;
    const bool level1 = entry == groupHeadEntry(1) || entry == groupTailEntry(1);
    const bool level2 = entry == groupHeadEntry(2) || entry == groupTailEntry(2);
    if (level1) {
        regions[groupHeadEntry(1)] = regions[groupHeadEntry(2)];
        regions[groupTailEntry(1)] = regions[groupTailEntry(2)];
    }
    if (level1 || level2) {
        regions[groupHeadEntry(2)] = regions[groupHeadEntry(3)];
        regions[groupTailEntry(2)] = regions[groupTailEntry(3)];
        ClearRegionEntry(regions, groupHeadEntry(3));
        ClearRegionEntry(regions, groupTailEntry(3));
    }
}

void ClearRegionEntry(store::RegionTable& regions, int entry)
{
    regions[entry] = ReportRegion {};
}

int ReducedCount(int count, int first, int last)
{
    if (first > count)
        return count;
    return count - (std::min(last, count) - first + 1);
}

void ShiftRegions(store::RegionTable& regions, int from, int to)
{
    for (int entry = from; entry <= to; ++entry)
        OffsetRegion(regions, entry, 1);
}

void SetRegion(store::RegionTable& regions, int entry, int beginRow, int endRow)
{
    regions[entry] = ReportRegion { true, beginRow, endRow };
}

int RowAfterRegions(const store::RegionTable& regions, int from, int to, int step)
{
    for (int entry = from; step > 0 ? entry <= to : entry >= to; entry += step) {
        if (regions[entry].present)
            return regions[entry].endRow + 1;
    }
    return 0;
}

int GetFreeGroupLevel(const store::RegionTable& regions)
{
    for (int level = 1; level <= store::MaxGroupLevel; ++level) {
        if (!regions[store::groupHeadEntry(level)].present)
            return level;
    }
    return 0;
}

} // namespace designer
