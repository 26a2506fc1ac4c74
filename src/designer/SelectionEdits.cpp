#include "designer/SelectionEdits.h"

#include "designer/DesignSelection.h"
#include "designer/GridRefusals.h"
#include "designer/RegionArithmetic.h"
#include "platform/grid/Sheet.h"
#include "platform/ui/MessageBox.h"
#include "store/ReportState.h"

#include <algorithm>
#include <cmath>

namespace designer
{

using platform::grid::CellRange;
using platform::grid::Sheet;

namespace
{

// Sizes are whole twips; halves go to the even neighbour.
int wholeTwips(double twips)
{
    return int(std::nearbyint(std::clamp(twips, 0.0, double(platform::grid::kMaxSizeTwips))));
}

// The cell's content as it stands: a formula stays a formula, any other value keeps its type.
void copyContent(Sheet& grid, int fromRow, int fromCol, int toRow, int toCol)
{
    if (grid.hasFormula(fromRow, fromCol))
        grid.setFormula(toRow, toCol, grid.formula(fromRow, fromCol));
    else
        grid.setValue(toRow, toCol, grid.value(fromRow, fromCol));
}

// The range a cell edit of a data report works on: from column 2 when it starts in the marker column;
// none when it lies in the marker column alone.
bool leaveMarkerColumn(CellRange& range)
{
    if (!isDataReport())
        return true;
    if (range.col2 <= MarkerColumn)
        return false;
    range.col1 = std::max(range.col1, MarkerColumn + 1);
    return true;
}

} // namespace

bool ClearSelection(Sheet& grid, ClearMode mode)
{
    CellRange range = selectionWithinSheet(grid);
    if (!leaveMarkerColumn(range)) {
        platform::ui::msgBox(QStringLiteral("区域标志区的格式不可清除！"));
        return false;
    }
    const auto what
        = mode == ClearMode::Formats ? platform::grid::ClearWhat::Formats : platform::grid::ClearWhat::Values;
    return runGridEdit(grid,
        { QStringLiteral("所选区域涉及合并单元格，不能清除该区域的格式信息！"), {},
            platform::ui::DefaultTitle },
        [&] { grid.clearRange(range, what); });
}

bool MergeSelection(Sheet& grid)
{
    if (SelectionCrossesRegion(grid)) {
        platform::ui::msgBox(QStringLiteral("不可合并报表中两个或两个以上不同区域内的单元格！"));
        return false;
    }
    CellRange range = selectionWithinSheet(grid);
    if (!leaveMarkerColumn(range))
        return false;
    // The active cell gives the merged cell its text only when it is one of the merged cells: dragged from
    // the marker column, it holds a region label. Merging keeps the covered cells' values, so it is read
    // afterwards.
    const int activeRow = grid.activeRow();
    const int activeCol = grid.activeCol();
    return runGridEdit(grid, {}, [&] {
        platform::grid::CellFormat merged;
        merged.mergeCells = true;
        grid.applyFormat(range, merged);
        grid.select(CellRange::cell(range.row1, range.col1));
        if (range.contains(activeRow, activeCol))
            copyContent(grid, activeRow, activeCol, range.row1, range.col1);
        UpdateUsedRange(grid);
    });
}

void SetSelRowHeight(Sheet& grid, double twips)
{
    const CellRange range = selectionWithinSheet(grid);
    grid.setRowHeights(range.row1, range.row2, wholeTwips(twips));
}

void SetSelColWidth(Sheet& grid, double twips)
{
    CellRange range = selectionWithinSheet(grid);
    if (leaveMarkerColumn(range))
        grid.setColWidths(range.col1, range.col2, wholeTwips(twips));
}

bool SelectionCrossesRegion(const Sheet& grid)
{
    const CellRange range = grid.selection().normalized();
    return isDataReport() && RowsCrossRegion(store::reportState().RegionTable, range.row1, range.row2);
}

bool SelectionIsWholeRegion(const Sheet& grid)
{
    const CellRange range = grid.selection().normalized();
    return isDataReport() && RowsAreWholeRegion(store::reportState().RegionTable, range.row1, range.row2);
}

void UpdateUsedRange(const Sheet& grid)
{
    const CellRange range = selectionWithinSheet(grid);
    store::ReportState& state = store::reportState();
    state.DesignRowCount = std::max(state.DesignRowCount, range.row2);
    state.DesignColCount = std::max(state.DesignColCount, range.col2);
}

} // namespace designer
