#include "engine/StatPagination.h"

#include "engine/StatEngineState.h"
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

int pageAvailableHeight()
{
    const StatEngineState& stat = statEngine();
    return stat.StatPageHeight - stat.StatBottomMargin;
}

int lastColumn()
{
    return std::max(statEngine().StatColCount, 1);
}

void insertTopMarginRow(platform::grid::Sheet& grid)
{
    StatEngineState& stat = statEngine();
    grid.insertRows(1, 1);
    grid.setRowHeight(1, stat.StatTopMargin);
    ClearBreakRowBorders(grid, 1, 1, lastColumn());
    ++stat.StatRowCount;
}

void addClosingRow(platform::grid::Sheet& grid)
{
    StatEngineState& stat = statEngine();
    const int row = stat.StatRowCount + 1;
    try {
        grid.insertRows(row, 1);
        ClearBreakRowBorders(grid, row, 1, lastColumn());
    } catch (const platform::Error& error) {
        if (error.number() != platform::errors::WouldCutMergedCell)
            throw;
        grid.setMaxRow(row);
    }
    grid.setRowHeight(row, stat.StatBottomMargin);
    stat.StatRowCount = row;
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

QVector<int> PlannedStatPageStarts(const platform::grid::Sheet& grid)
{
    const StatEngineState& stat = statEngine();
    QVector<int> heights { stat.StatTopMargin };
    heights += rowHeights(grid, 1, stat.StatRowCount);
    return StatPageStarts(heights, pageAvailableHeight());
}

void SetPageBreak(platform::grid::Sheet& grid)
{
    StatEngineState& stat = statEngine();
    stat.PageStartArray = QVector<int>(10, 0);
    int pages = 0;
    platform::outside::runLogged("SetPageBreak", [&] {
        insertTopMarginRow(grid);
        for (const int row : StatPageStarts(rowHeights(grid, 1, stat.StatRowCount), pageAvailableHeight()))
            SetPageStartRow(++pages, row);
        addClosingRow(grid);
    });
    if (pages == 0)
        SetPageStartRow(++pages, 1);
    stat.StatPageCount = pages;
    stat.PageStartArray.resize(pages);
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

void SetPageStartRow(int page, int row)
{
    QVector<int>& starts = statEngine().PageStartArray;
    if (page > starts.size())
        starts.resize(page);
    starts[page - 1] = row;
}

void FillLastPage(const DataReportRun& report, platform::grid::Sheet& grid)
{
    try {
        platform::ui::setDefaultPrinterPaperCode(report.definition().page.PageSize);
    } catch (const std::exception&) {
        // The printer keeps its paper; the pages were measured on it.
    }
    const StatEngineState& stat = statEngine();
    long long pageRows = 0;
    for (int row = stat.PageStartArray.last(); row <= stat.StatRowCount; ++row)
        pageRows += grid.rowHeight(row);
    const long long rest = stat.StatPageHeight - pageRows - LastPageSlackTwips;
    grid.setRowHeight(stat.StatRowCount, int(std::clamp<long long>(rest, 0, platform::grid::kMaxSizeTwips)));
}

} // namespace engine
