#include "engine/PageRowHeights.h"

#include "engine/EngineState.h"
#include "engine/MarginTwips.h"
#include "engine/PageLayout.h"
#include "engine/TemplateFormats.h"
#include "engine/TemplateRows.h"
#include "platform/grid/Sheet.h"
#include "platform/outside/FailureLog.h"
#include "store/ReportDefinition.h"

#include <algorithm>

namespace engine
{

void SetMarginRows(const DataReportRun& run, platform::grid::Sheet& grid, int firstRow, int lastRow)
{
    const store::PageSettings& page = run.definition().page;
    grid.setRowHeight(firstRow, marginTwips(page.TopMarge));
    grid.setRowHeight(lastRow, run.FillerRowHeight.value_or(marginTwips(page.BottomMarge)));
}

void SetMarginRowHeights(const DataReportRun& run, platform::grid::Sheet& grid, int page)
{
    const bool listed = page >= 1 && page <= run.PageRowRanges.size();
    const int lastRow = listed ? run.PageRowRanges[page - 1].lastRow : page * run.PageSheetRows;
    SetMarginRows(run, grid, PageOffset(run, page - 1) + 1, lastRow);
}

void SetRptRowHeight(DataReportRun& run, platform::grid::Sheet& grid, int page)
{
    platform::outside::runLogged("SetRptRowHeight", [&] {
        for (const TemplateFormatRow& row : CurrentTemplateRows(run).formats) {
            if (row.kind == store::keywords::RowHeight)
                ApplyRowHeights(run, grid, row.sizes, page, true);
        }
    });
}

int FillerHeightLeft(const DataReportRun& run, const platform::grid::Sheet& grid)
{
    long long used = 0;
    for (int row = 1; row < run.PageSheetRows; ++row)
        used += grid.rowHeight(row);
    // A page taller than the paper has no height left for the filler, however tall it is.
    return int(std::max(run.PrinterPaperHeight - used, 0LL));
}

void SetFillerRowHeight(DataReportRun& run, platform::grid::Sheet& grid)
{
    run.FillerRowHeight = FillerHeightLeft(run, grid);
    grid.setRowHeight(run.PageSheetRows, *run.FillerRowHeight);
}

} // namespace engine
