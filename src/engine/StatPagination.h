#pragma once

#include <QVector>

namespace platform::grid
{
class Sheet;
}
namespace engine
{
struct DataReportRun;
struct StatisticsRun;
}

// Dividing a built statistics sheet into pages by accumulated row height, and the blank top-margin
// and closing rows that frame its pages.
namespace engine
{

// The first sheet row of each page for rows of the given heights (entry i-1 is the height of sheet row
// i) on pages of `available` twips. A page runs until the row whose height makes the sum exceed the
// page; the last row that still fitted opens the next page, which leaves every page a row's height of
// room. A page always advances by at least one row: a row taller than the page, alone or with the next,
// gets a page of its own. Rows that all fit give one page starting at row 1, as does an empty list.
QVector<int> StatPageStarts(const QVector<int>& rowHeights, int available);

// The page (from 1) that holds sheet row `row`.
int StatPageOfRow(const QVector<int>& pageStarts, int row);

// The page starts the grid's rows 1 to StatRowCount will have once the top-margin row stands above
// them: what SetPageBreak is going to lay out, known before the cells are written.
QVector<int> PlannedStatPageStarts(const StatisticsRun& run, const platform::grid::Sheet& grid);

// Inserts the top-margin row (StatTopMargin high) above the sheet, fills the run's PageStartArray and
// StatPageCount with the pages of rows 1 to StatRowCount on the printer's page less the bottom margin,
// and adds the closing row (StatBottomMargin high) below the last row. StatRowCount grows by the two
// rows. A closing row that would cut a merged block is made by growing the sheet instead. Any other
// failure is logged under "SetPageBreak" and leaves the pages found so far (at least page 1 at row 1).
void SetPageBreak(StatisticsRun& run, platform::grid::Sheet& grid);

// Removes the left, right and inner lines of `row` from `firstCol` to `lastCol`, so that a margin row
// shows no borders; the lines above and below it belong to the rows beside it and stay.
void ClearBreakRowBorders(platform::grid::Sheet& grid, int row, int firstCol, int lastCol);

// Page `page` (from 1) starts at `row`; the run's PageStartArray grows to hold it.
void SetPageStartRow(StatisticsRun& run, int page, int row);

// Sets the printer's paper to the report's PAGE_SIZE (a printer that refuses keeps its own) and pads
// the last page: the closing row takes the height that makes the rows of the last page add up to
// StatPageHeight less the bottom margin less 10 twips, or 0 when the page is already that full.
void FillLastPage(const StatisticsRun& run, const DataReportRun& report, platform::grid::Sheet& grid);

} // namespace engine
