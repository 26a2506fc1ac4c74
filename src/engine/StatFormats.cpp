#include "engine/StatFormats.h"

#include "engine/MarginTwips.h"
#include "engine/PaperSizes.h"
#include "engine/StatisticsRun.h"
#include "engine/WholeNumbers.h"
#include "platform/grid/Sheet.h"
#include "platform/outside/FailureLog.h"
#include "store/ReportDefinition.h"

#include <algorithm>

namespace engine
{

void SetRptFormat(StatisticsRun& run, DataReportRun& report, platform::grid::Sheet& grid)
{
    run.StatColCount = 0;
    run.StatRowCount = 0;
    platform::outside::runLogged(
        "SetRptFormat", [&] { ApplyStatFormats(run, grid, CurrentTemplateRows(report).formats); });
}

void ApplyStatFormats(
    StatisticsRun& run, platform::grid::Sheet& grid, const QList<TemplateFormatRow>& formats)
{
    for (const TemplateFormatRow& row : formats) {
        platform::outside::runLogged("ApplyStatFormats", [&] {
            if (row.kind == store::keywords::RowHeight)
                ApplyStatRowHeights(run, grid, row.sizes);
            else if (row.kind == store::keywords::ColWidth)
                ApplyStatColWidths(run, grid, row.sizes);
            else
                grid.applyFormat({ row.beginRow, row.beginCol, row.endRow, row.endCol }, row.format);
        });
    }
}

void ApplyStatColWidths(StatisticsRun& run, platform::grid::Sheet& grid, const QList<SizeItem>& widths)
{
    for (const SizeItem& item : widths) {
        grid.setColWidth(item.index, roundInt16(item.twips * run.StatWidthFactor));
        run.StatColCount = std::max(run.StatColCount, item.index);
    }
}

void ApplyStatRowHeights(StatisticsRun& run, platform::grid::Sheet& grid, const QList<SizeItem>& heights)
{
    for (const SizeItem& item : heights) {
        grid.setRowHeight(item.index, roundInt16(item.twips));
        run.StatRowCount = std::max(run.StatRowCount, item.index);
    }
}

void FitStatColumns(StatisticsRun& run, const DataReportRun& report, platform::grid::Sheet& grid)
{
    try {
        grid.insertCols(1, 1);
        grid.setColWidth(1, marginTwips(report.definition().page.LeftMarge));
        ++run.StatColCount;
        long long used = 0;
        for (int col = 1; col <= run.StatColCount; ++col)
            used += grid.colWidth(col);
        ++run.StatColCount;
        grid.setMaxCol(run.StatColCount);
        const long long rest = printerPageInReportOrientation(report.definition()).width() - used;
        grid.setColWidth(run.StatColCount, rest > 0 ? fitInt16(rest) : 0);
    } catch (const std::exception&) {
        // The sheet keeps the columns it has; the pages are still laid out by row.
    }
}

} // namespace engine
