#pragma once

namespace platform::grid
{
class Sheet;
}

// The heights of the rows of an output page: the stored template heights, the top and bottom margin
// rows, and the filler row that makes a page as tall as the printer's paper.
namespace engine
{

struct DataReportRun;

// Sheet row `firstRow` gets the top margin, `lastRow` the bottom margin, or the filler height once the
// first page has worked it out (SetFillerRowHeight).
void SetMarginRows(const DataReportRun& run, platform::grid::Sheet& grid, int firstRow, int lastRow);

// SetMarginRows on the first and last row of page `page` (from 1) of the build.
void SetMarginRowHeights(const DataReportRun& run, platform::grid::Sheet& grid, int page);

// The stored row heights (ROWHEIGHT lists), with the fit factors, on page `page` (from 1). A failure is
// logged under "SetRptRowHeight".
void SetRptRowHeight(DataReportRun& run, platform::grid::Sheet& grid, int page);

// The height the printer's paper leaves under rows 1 to PageSheetRows - 1 of the grid (0 when none).
int FillerHeightLeft(const DataReportRun& run, const platform::grid::Sheet& grid);

// Gives the first page's last row the height the paper leaves (FillerHeightLeft) and keeps it in the
// run as the bottom row of every later page. The report's stored bottom margin stays as it is.
void SetFillerRowHeight(DataReportRun& run, platform::grid::Sheet& grid);

} // namespace engine
