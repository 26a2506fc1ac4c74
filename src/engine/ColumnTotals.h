#pragma once

#include <QVector>

namespace platform::grid
{
class Sheet;
}

// Column totals ("R" cells, TotalCells): the numbers written into a detail column are added up over the
// whole report, and the sums shown in the total cells of the report's last page.
namespace engine
{

struct DataReportRun;

// The column a total adds up: the column letters of its text ("G&" is column 7).
int TotalColumn(const DataReportRun& run, int totalIndex);

// The column of every total, in the order of TotalCells.
QVector<int> TotalColumns(const DataReportRun& run);

// Notes that a detail cell of column `col` was written on sheet row `row`, for every total of that column
// (TotalCellColumns, as TotalColumns gave them when the totals were loaded).
void GatherTotalRow(DataReportRun& run, int col, int row);

// Adds the numbers of the rows gathered for total `totalIndex` (or of `row` when none was) in its column
// to the total's value, and forgets the rows. Texts that are no number are skipped.
void AddUpColumnTotals(DataReportRun& run, const platform::grid::Sheet& grid, int totalIndex, int row);

// Writes every total's value into its cell on the last page built (page CurrentPage - 1), the report's
// last page.
void FillTotalRow(const DataReportRun& run, platform::grid::Sheet& grid);

// Hides (height 0) the rows of page `page` that hold a column total: the totals show on the report's
// last page only. Gives the height the page lost.
int HideTotalRows(const DataReportRun& run, platform::grid::Sheet& grid, int page);

} // namespace engine
