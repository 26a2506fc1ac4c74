#include "engine/PageRowHeights.h"

#include "engine/EngineState.h"
#include "engine/PageLayout.h"
#include "engine/TemplateFormats.h"
#include "engine/TemplateRows.h"
#include "engine/WholeNumbers.h"
#include "platform/grid/Sheet.h"
#include "platform/outside/FailureLog.h"
#include "store/ReportDefinition.h"

#include <algorithm>

namespace engine
{

namespace
{

constexpr double TwipsPerInch = 1440.0;

} // namespace

void SetMarginRows(platform::grid::Sheet& grid, int firstRow, int lastRow)
{
    const store::PageSettings& page = reportDefinition().page;
    grid.setRowHeight(firstRow, roundInt16(page.TopMarge * TwipsPerInch));
    grid.setRowHeight(
        lastRow, dataEngine().FillerRowHeight.value_or(roundInt16(page.BottomMarge * TwipsPerInch)));
}

void SetMarginRowHeights(platform::grid::Sheet& grid, int page)
{
    const DataEngineState& engine = dataEngine();
    const bool listed = page >= 1 && page <= engine.PageRowRanges.size();
    const int lastRow = listed ? engine.PageRowRanges[page - 1].lastRow : page * engine.PageSheetRows;
    SetMarginRows(grid, PageOffset(page - 1) + 1, lastRow);
}

void SetRptRowHeight(platform::grid::Sheet& grid, int page)
{
    platform::outside::runLogged("SetRptRowHeight", [&] {
        for (const TemplateFormatRow& row : CurrentTemplateRows().formats) {
            if (row.kind == store::keywords::RowHeight)
                ApplyRowHeights(grid, row.sizes, page, true);
        }
    });
}

int FillerHeightLeft(const platform::grid::Sheet& grid)
{
    const DataEngineState& engine = dataEngine();
    long long used = 0;
    for (int row = 1; row < engine.PageSheetRows; ++row)
        used += grid.rowHeight(row);
    return std::max(engine.PrinterPaperHeight - fitInt16(used), 0);
}

void SetFillerRowHeight(platform::grid::Sheet& grid)
{
    DataEngineState& engine = dataEngine();
    engine.FillerRowHeight = FillerHeightLeft(grid);
    grid.setRowHeight(engine.PageSheetRows, *engine.FillerRowHeight);
}

} // namespace engine
