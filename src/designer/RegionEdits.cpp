#include "designer/RegionEdits.h"

#include "designer/DesignSelection.h"
#include "designer/GridRefusals.h"
#include "designer/RegionArithmetic.h"
#include "designer/RegionMarkers.h"
#include "platform/grid/Sheet.h"
#include "platform/ui/MessageBox.h"
#include "store/ReportState.h"

#include <algorithm>

namespace designer
{

using platform::grid::Sheet;
using store::RegionEntry;
using store::RegionTable;

namespace
{

const GridRefusals DeletionRefusals { QStringLiteral("合并单元格中的行不可删除"), {} };
const GridRefusals InsertionRefusals { QStringLiteral("不可向合并单元格中插入行!"), {} };

int entryOf(RegionEntry entry)
{
    return int(entry);
}

// Deletes the rows of a present region, empties its entry and moves the regions below up.
void DeleteRegionRows(Sheet& grid, int entry)
{
    store::ReportState& state = store::reportState();
    const store::ReportRegion region = state.RegionTable[entry];
    if (!region.present)
        return;
    const int count = region.endRow - region.beginRow + 1;
    const int lastRow = grid.maxRow();
    grid.deleteRows(region.beginRow, count);
    grid.setMaxRow(lastRow - count);
    state.DesignRowCount -= count;
    ClearRegionEntry(state.RegionTable, entry);
    ShiftRegionsFromRow(state.RegionTable, region.beginRow, -count);
}

// A new region row at `row`: the rows from there move down. A cleared row has no format beside the
// marker column.
void InsertRegionRow(Sheet& grid, int row, bool cleared)
{
    grid.insertRows(row, 1);
    if (cleared)
        grid.clearRange({ row, MarkerColumn + 1, row, grid.maxCol() }, platform::grid::ClearWhat::Formats);
}

// Every add: the pair's two rows counted in the used size and the sheet, the markers painted again.
bool addPair(Sheet& grid, const std::function<void(RegionTable&)>& insertRows)
{
    if (!isDataReport())
        return false;
    store::ReportState& state = store::reportState();
    const int lastRow = grid.maxRow();
    return runGridEdit(grid, InsertionRefusals, [&] {
        insertRows(state.RegionTable);
        state.DesignRowCount += 2;
        grid.setMaxRow(lastRow + 2);
        PaintRegionMarkers(grid);
    });
}

void InsertGroupRegionRows(Sheet& grid, RegionTable& regions, int headRow, int tailRow, int level)
{
    InsertRegionRow(grid, headRow, true);
    SetRegion(regions, store::groupHeadEntry(level), headRow, headRow);
    ShiftRegions(regions, store::groupHeadEntry(level) + 1, store::RegionEntryCount);
    InsertRegionRow(grid, tailRow, true);
    const int firstBelow = level == 1 ? entryOf(RegionEntry::GroupTail2) : entryOf(RegionEntry::GroupTail3);
    ShiftRegions(regions, firstBelow, store::RegionEntryCount);
    SetRegion(regions, store::groupTailEntry(level), tailRow, tailRow);
}

} // namespace

bool DeleteRegion(Sheet& grid)
{
    if (!isDataReport())
        return false;
    // A deletion that will be refused is refused at once, without first asking whether to delete.
    store::ReportState& state = store::reportState();
    const platform::grid::CellRange selection = grid.selection().normalized();
    if (RowsCrossRegion(state.RegionTable, selection.row1, selection.row2)) {
        platform::ui::msgBox(QStringLiteral("请选择一个区域进行删除!"));
        return false;
    }
    const int entry = RegionHoldingRows(state.RegionTable, selection.row1, selection.row2);
    if (entry == entryOf(RegionEntry::DataDetail)) {
        platform::ui::msgBox(QStringLiteral("细节区不可删除!"));
        return false;
    }
    if (!platform::ui::askYesNo(QStringLiteral("确定要删除该区域吗？")))
        return false;
    return runGridEdit(grid, DeletionRefusals, [&] {
        if (entry != 0) {
            DeleteRegionRows(grid, entry);
            DeleteRegionRows(grid, store::partnerEntry(entry));
            CloseGroupGap(state.RegionTable, entry);
        }
        PaintRegionMarkers(grid);
    });
}

RegionOptions EnableRegionOptions(const RegionTable& regions)
{
    return { !regions[RegionEntry::ReportHead].present, !regions[RegionEntry::PageHead].present, true };
}

bool AddRegion(Sheet& grid, RegionPair pair)
{
    switch (pair) {
    case RegionPair::ReportHeadTail:
        return AddReportHeadTail(grid);
    case RegionPair::PageHeadTail:
        return AddPageHeadTail(grid);
    case RegionPair::GroupHeadTail:
        return AddGroupHeadTail(grid);
    }
    return false;
}

bool AddReportHeadTail(Sheet& grid)
{
    if (!EnableRegionOptions(store::reportState().RegionTable).reportHeadTail)
        return false;
    return addPair(grid, [&](RegionTable& regions) {
        InsertRegionRow(grid, 1, false);
        ShiftRegions(regions, entryOf(RegionEntry::PageHead), store::RegionEntryCount);
        int lowest = 0;
        for (int entry = entryOf(RegionEntry::DataDetail); entry <= entryOf(RegionEntry::PageTail); ++entry)
            lowest = std::max(lowest, regions[entry].endRow);
        const int tailRow = lowest + 1;
        InsertRegionRow(grid, tailRow, true);
        SetRegion(regions, entryOf(RegionEntry::ReportHead), 1, 1);
        SetRegion(regions, entryOf(RegionEntry::ReportTail), tailRow, tailRow);
    });
}

bool AddPageHeadTail(Sheet& grid)
{
    if (!EnableRegionOptions(store::reportState().RegionTable).pageHeadTail)
        return false;
    return addPair(grid, [&](RegionTable& regions) {
        const store::ReportRegion& reportHead = regions[RegionEntry::ReportHead];
        const int headRow = reportHead.present ? reportHead.endRow + 1 : 1;
        InsertRegionRow(grid, headRow, true);
        ShiftRegions(regions, entryOf(RegionEntry::GroupHead1), store::RegionEntryCount);
        SetRegion(regions, entryOf(RegionEntry::PageHead), headRow, headRow);
        int tailRow = RowAfterRegions(
            regions, entryOf(RegionEntry::GroupTail1), entryOf(RegionEntry::GroupTail3), -1);
        if (tailRow == 0)
            tailRow = regions[RegionEntry::DataDetail].endRow + 1;
        // The page tail row keeps the look the grid gives a new row.
        InsertRegionRow(grid, tailRow, false);
        ShiftRegions(regions, entryOf(RegionEntry::ReportTail), entryOf(RegionEntry::ReportTail));
        SetRegion(regions, entryOf(RegionEntry::PageTail), tailRow, tailRow);
    });
}

bool AddGroupHeadTail(Sheet& grid)
{
    if (!isDataReport())
        return false;
    const RegionTable& current = store::reportState().RegionTable;
    const int level = GetFreeGroupLevel(current);
    if (level == 0) {
        platform::ui::msgBox(QStringLiteral("报表已有三级分组，不可再添加分组区域！"));
        return false;
    }
    // Rows as the regions stand before the insertion; the tail row counts the head row inserted above it.
    int headRow = 0;
    int tailRow = 0;
    if (level == 1) {
        headRow
            = RowAfterRegions(current, entryOf(RegionEntry::PageHead), entryOf(RegionEntry::ReportHead), -1);
        if (headRow == 0)
            headRow = 1;
        tailRow = current[RegionEntry::DataDetail].endRow + 2;
    } else {
        headRow = current[store::groupHeadEntry(level - 1)].endRow + 1;
        tailRow = current[store::groupTailEntry(level - 1)].beginRow + 1;
    }
    return addPair(
        grid, [&](RegionTable& regions) { InsertGroupRegionRows(grid, regions, headRow, tailRow, level); });
}

} // namespace designer
