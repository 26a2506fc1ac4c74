#include "designer/RowColumnEdits.h"

#include "designer/DesignSelection.h"
#include "designer/GridRefusals.h"
#include "designer/RegionArithmetic.h"
#include "designer/RegionEdits.h"
#include "designer/RegionMarkers.h"
#include "platform/Error.h"
#include "platform/grid/Sheet.h"
#include "platform/ui/MessageBox.h"
#include "store/ReportState.h"

#include <algorithm>

namespace designer
{

using platform::grid::CellRange;
using platform::grid::ClearWhat;

namespace
{

// A row (column) inserted at `at` raises the used count when it lands inside the used area, where it
// pushes used rows (columns) along; one added beyond stays outside.
void countInsertion(int& usedCount, int at)
{
    if (at <= usedCount)
        ++usedCount;
}

} // namespace

bool InsertRow(platform::grid::Sheet& grid, InsertPlace place)
{
    if (grid.maxRow() >= MaxDesignRows) {
        platform::ui::msgBox(QStringLiteral("报表行数已达到最大值,不可再插入行!"));
        return false;
    }
    const CellRange selection = selectionWithinSheet(grid);
    const bool above = place == InsertPlace::Before;
    const int at = above ? selection.row1 : selection.row2 + 1;
    const int lastRow = grid.maxRow();
    store::ReportState& state = store::reportState();
    return runGridEdit(grid, { QStringLiteral("不可向合并单元格中插入行!"), {} }, [&] {
        grid.insertRows(at, 1);
        grid.clearRange({ at, 1, at, grid.maxCol() }, ClearWhat::Formats);
        grid.setMaxRow(lastRow + 1);
        if (isDataReport()) {
            ExtendRegionAtRow(state.RegionTable, above ? selection.row1 : selection.row2);
            PaintRegionMarkers(grid);
            ++state.DesignRowCount;
        } else {
            countInsertion(state.DesignRowCount, at);
        }
    });
}

bool InsertColumn(platform::grid::Sheet& grid, InsertPlace place)
{
    if (grid.maxCol() >= MaxDesignCols) {
        platform::ui::msgBox(QStringLiteral("报表列数已达到最大值,不可再插入列!"));
        return false;
    }
    const CellRange selection = selectionWithinSheet(grid);
    const bool left = place == InsertPlace::Before;
    if (isDataReport() && left && selection.col1 == MarkerColumn) {
        platform::ui::msgBox(QStringLiteral("区域标志区不可向左插入列！"));
        return false;
    }
    const int at = left ? selection.col1 : selection.col2 + 1;
    const int lastCol = grid.maxCol();
    return runGridEdit(grid, { QStringLiteral("不可向合并单元格中插入列!"), {} }, [&] {
        grid.insertCols(at, 1);
        grid.setMaxCol(lastCol + 1);
        countInsertion(store::reportState().DesignColCount, at);
        // A column next to column 1 never takes on the marker column's look.
        if (at == MarkerColumn + 1)
            grid.clearRange({ 1, at, grid.maxRow(), at }, ClearWhat::Formats);
    });
}

bool DeleteRow(platform::grid::Sheet& grid)
{
    const CellRange selection = selectionWithinSheet(grid);
    const int count = selection.rowCount();
    // Refusals and the deletion of a whole region (which asks its own question) come before the question
    // about the rows, so that no question is answered only to be refused.
    store::ReportState& state = store::reportState();
    const bool regions = isDataReport();
    if (regions && RowsCrossRegion(state.RegionTable, selection.row1, selection.row2)) {
        platform::ui::msgBox(QStringLiteral("不可同时删除多个报表区域内的行！"));
        return false;
    }
    if (regions && RowsAreWholeRegion(state.RegionTable, selection.row1, selection.row2))
        return DeleteRegion(grid);
    if (!platform::ui::askYesNo(QStringLiteral("确定要删除当前行?")))
        return false;
    const int lastRow = grid.maxRow();
    return runGridEdit(grid,
        { QStringLiteral("合并单元格中的行不可删除"), QStringLiteral("报表区域的行不可全部删除!") }, [&] {
            grid.deleteRows(selection.row1, count);
            grid.setMaxRow(lastRow - count);
            state.DesignRowCount = ReducedCount(state.DesignRowCount, selection.row1, selection.row2);
            if (regions) {
                ShrinkRegionsForRows(state.RegionTable, selection.row1, count);
                PaintRegionMarkers(grid);
            }
        });
}

bool DeleteColumn(platform::grid::Sheet& grid)
{
    CellRange selection = selectionWithinSheet(grid);
    if (isDataReport()) {
        if (selection.col2 <= MarkerColumn) {
            platform::ui::msgBox(QStringLiteral("区域列不可删除!"));
            return false;
        }
        selection.col1 = std::max(selection.col1, MarkerColumn + 1);
    }
    if (!platform::ui::askYesNo(QStringLiteral("确定要删除当前列?")))
        return false;
    const int count = selection.colCount();
    const int lastCol = grid.maxCol();
    return runGridEdit(grid,
        { QStringLiteral("合并单元格中的列不可删除!"), QStringLiteral("报表区域的列不可全部删除！") }, [&] {
            // Beside the marker column a data report keeps at least one column of its own.
            if (isDataReport() && selection.col1 == MarkerColumn + 1 && selection.col2 >= lastCol)
                throw platform::Error(platform::errors::DeletionRefused, QStringLiteral("DeleteColumn"),
                    QStringLiteral("报表区域的列不可全部删除"));
            grid.deleteCols(selection.col1, count);
            grid.setMaxCol(lastCol - count);
            store::ReportState& state = store::reportState();
            state.DesignColCount = ReducedCount(state.DesignColCount, selection.col1, selection.col2);
        });
}

} // namespace designer
