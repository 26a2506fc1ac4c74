#include "engine/StatPagination.h"

#include "engine/StatisticsRun.h"
#include "platform/Error.h"
#include "platform/grid/Sheet.h"
#include "platform/outside/FailureLog.h"
#include "platform/ui/Printers.h"
#include "store/ReportDefinition.h"

#include <algorithm>

namespace engine
{

namespace
{

// Room left free at the foot of the padded last page.
constexpr int LastPageSlackTwips = 10;

QVector<int> rowHeights(const platform::grid::Sheet& grid, int firstRow, int lastRow)
{
    QVector<int> heights;
    heights.reserve(std::max(lastRow - firstRow + 1, 0));
    for (int row = firstRow; row <= lastRow; ++row)
        heights.append(grid.rowHeight(row));
    return heights;
}

int pageAvailableHeight(const StatisticsRun& run)
{
    return run.StatPageHeight - run.StatBottomMargin;
}

int lastColumn(const StatisticsRun& run)
{
    return std::max(run.StatColCount, 1);
}

void insertTopMarginRow(StatisticsRun& run, platform::grid::Sheet& grid)
{
    grid.insertRows(1, 1);
    grid.setRowHeight(1, run.StatTopMargin);
    ClearBreakRowBorders(grid, 1, 1, lastColumn(run));
    ++run.StatRowCount;
}

void addClosingRow(StatisticsRun& run, platform::grid::Sheet& grid)
{
    const int row = run.StatRowCount + 1;
    try {
        grid.insertRows(row, 1);
        ClearBreakRowBorders(grid, row, 1, lastColumn(run));
    } catch (const platform::Error& error) {
        if (error.number() != platform::errors::WouldCutMergedCell)
            throw;
        grid.setMaxRow(row);
    }
    grid.setRowHeight(row, run.StatBottomMargin);
    run.StatRowCount = row;
}

} // namespace

QVector<int> StatPageStarts(const QVector<int>& rowHeights, int available)
{
    QVector<int> starts { 1 };
    const int rowCount = int(rowHeights.size());
    int start = 1;
    for (;;) {
        long long sum = 0;
        int overflowRow = 0;
        for (int row = start; row <= rowCount; ++row) {
            sum += rowHeights[row - 1];
            if (sum > available) {
                overflowRow = row;
                break;
            }
        }
        if (overflowRow == 0)
            break;
        const int next = std::max(overflowRow - 1, start + 1);
        if (next > rowCount)
            break;
        starts.append(next);
        start = next;
    }
    return starts;
}

int StatPageOfRow(const QVector<int>& pageStarts, int row)
{
    return std::max(int(std::upper_bound(pageStarts.begin(), pageStarts.end(), row) - pageStarts.begin()), 1);
}

QVector<int> PlannedStatPageStarts(const StatisticsRun& run, const platform::grid::Sheet& grid)
{
    QVector<int> heights { run.StatTopMargin };
    heights += rowHeights(grid, 1, run.StatRowCount);
    return StatPageStarts(heights, pageAvailableHeight(run));
}

void SetPageBreak(StatisticsRun& run, platform::grid::Sheet& grid)
{
    run.PageStartArray = QVector<int>(10, 0);
    int pages = 0;
    platform::outside::runLogged("SetPageBreak", [&] {
        insertTopMarginRow(run, grid);
        for (const int row : StatPageStarts(rowHeights(grid, 1, run.StatRowCount), pageAvailableHeight(run)))
            SetPageStartRow(run, ++pages, row);
        addClosingRow(run, grid);
    });
    if (pages == 0)
        SetPageStartRow(run, ++pages, 1);
    run.StatPageCount = pages;
    run.PageStartArray.resize(pages);
}

void ClearBreakRowBorders(platform::grid::Sheet& grid, int row, int firstCol, int lastCol)
{
    using platform::grid::BorderSide;
    platform::grid::CellFormat noLines;
    for (const BorderSide side :
        { BorderSide::Left, BorderSide::Right, BorderSide::InnerVertical, BorderSide::InnerHorizontal })
        noLines.border(side) = platform::grid::Border {};
    grid.select(row, firstCol, row, lastCol);
    grid.applyFormatToSelection(noLines);
}

void SetPageStartRow(StatisticsRun& run, int page, int row)
{
    QVector<int>& starts = run.PageStartArray;
    if (page > starts.size())
        starts.resize(page);
    starts[page - 1] = row;
}

void FillLastPage(const StatisticsRun& run, const DataReportRun& report, platform::grid::Sheet& grid)
{
    try {
        platform::ui::setDefaultPrinterPaperCode(report.definition().page.PageSize);
    } catch (const std::exception&) {
        // The printer keeps its paper; the pages were measured on it.
    }
    long long pageRows = 0;
    for (int row = run.PageStartArray.last(); row <= run.StatRowCount; ++row)
        pageRows += grid.rowHeight(row);
    const long long rest = run.StatPageHeight - pageRows - LastPageSlackTwips;
    grid.setRowHeight(run.StatRowCount, int(std::clamp<long long>(rest, 0, platform::grid::kMaxSizeTwips)));
}

} // namespace engine
