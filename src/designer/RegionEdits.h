#pragma once

namespace platform::grid
{
class Sheet;
}

namespace store
{
class RegionTable;
}

// Adding and deleting regions of a data report's design grid: rows inserted or deleted in the grid, the
// state's region table, DesignRowCount, the grid's last row and the marker column changed together.
// Nothing happens for a statistics report.
namespace designer
{

// Deletes the region that holds the selected rows together with its partner (a head with its tail), after
// asking "确定要删除该区域吗？". Refused: a selection across regions, and the detail band. Deleting a group
// level moves the inner levels one level outward. True when the designer is to mark its report modified
// (also when the selection lay in no region and nothing was deleted).
bool DeleteRegion(platform::grid::Sheet& grid);

// The pairs the add-region dialog offers, numbered as its options.
enum class RegionPair { ReportHeadTail = 0, PageHeadTail = 1, GroupHeadTail = 2 };

// Which pairs can still be added: a report or page head that exists cannot be added again; a group can
// always be asked for (the fourth level is refused with a message).
struct RegionOptions {
    bool reportHeadTail = true;
    bool pageHeadTail = true;
    bool groupHeadTail = true;
};
RegionOptions EnableRegionOptions(const store::RegionTable& regions);

// Adds one head row and one tail row: the report head at row 1 and its tail below everything; the page
// head below the report head and its tail below the outermost group tail (or the detail band); a new
// innermost group level inside the others. A fourth group level is refused ("报表已有三级分组，不可再添加分
// 组区域！"). True when the pair was added.
bool AddRegion(platform::grid::Sheet& grid, RegionPair pair);
bool AddReportHeadTail(platform::grid::Sheet& grid);
bool AddPageHeadTail(platform::grid::Sheet& grid);
bool AddGroupHeadTail(platform::grid::Sheet& grid);

} // namespace designer
