#include "engine/StatFormats.h"

#include "engine/PaperSizes.h"
#include "engine/StatEngineState.h"
#include "engine/WholeNumbers.h"
#include "platform/grid/Sheet.h"
#include "platform/outside/FailureLog.h"
#include "store/ReportDefinition.h"

#include <algorithm>

namespace engine
{

void SetRptFormat(DataReportRun& report, platform::grid::Sheet& grid)
{
    StatEngineState& stat = statEngine();
    stat.StatColCount = 0;
    stat.StatRowCount = 0;
    platform::outside::runLogged(
        "SetRptFormat", [&] { ApplyStatFormats(grid, CurrentTemplateRows(report).formats); });
}

void ApplyStatFormats(platform::grid::Sheet& grid, const QList<TemplateFormatRow>& formats)
{
    for (const TemplateFormatRow& row : formats) {
        platform::outside::runLogged("ApplyStatFormats", [&] {
            if (row.kind == store::keywords::RowHeight)
                ApplyStatRowHeights(grid, row.sizes);
            else if (row.kind == store::keywords::ColWidth)
                ApplyStatColWidths(grid, row.sizes);
            else
                grid.applyFormat({ row.beginRow, row.beginCol, row.endRow, row.endCol }, row.format);
        });
    }
}

void ApplyStatColWidths(platform::grid::Sheet& grid, const QList<SizeItem>& widths)
{
    StatEngineState& stat = statEngine();
    for (const SizeItem& item : widths) {
        grid.setColWidth(item.index, roundInt16(item.twips * stat.StatWidthFactor));
        stat.StatColCount = std::max(stat.StatColCount, item.index);
    }
}

void ApplyStatRowHeights(platform::grid::Sheet& grid, const QList<SizeItem>& heights)
{
    StatEngineState& stat = statEngine();
    for (const SizeItem& item : heights) {
        grid.setRowHeight(item.index, roundInt16(item.twips));
        stat.StatRowCount = std::max(stat.StatRowCount, item.index);
    }
}

void FitStatColumns(const DataReportRun& report, platform::grid::Sheet& grid)
{
    StatEngineState& stat = statEngine();
    try {
        grid.insertCols(1, 1);
        grid.setColWidth(1, roundInt16(report.definition().page.LeftMarge * platform::grid::kTwipsPerInch));
        ++stat.StatColCount;
        long long used = 0;
        for (int col = 1; col <= stat.StatColCount; ++col)
            used += grid.colWidth(col);
        ++stat.StatColCount;
        grid.setMaxCol(stat.StatColCount);
        const long long rest = printerPageInReportOrientation(report.definition()).width() - used;
        grid.setColWidth(stat.StatColCount, rest > 0 ? fitInt16(rest) : 0);
    } catch (const std::exception&) {
        // The sheet keeps the columns it has; the pages are still laid out by row.
    }
}

} // namespace engine
