#pragma once

namespace platform::grid
{
class Sheet;
}

// Laying out the template of a data report on an output grid, and the grid's page set-up.
namespace engine
{

struct DataReportRun;

// The grid's page set-up for pages that carry their margins as rows and columns of the sheet: the
// report's paper and orientation, no header or footer, every margin 0, scale 100 %, and one page across
// for spreadsheet programs that measure the columns a little wider.
void SetGridPageSetup(const DataReportRun& run, platform::grid::Sheet& grid);

// The same with the report's four margins: for a grid that is printed as it stands (the blank form).
void SetGridPrintSetup(const DataReportRun& run, platform::grid::Sheet& grid);

// Lays out the page that starts below PageFirstRow: page set-up, PageSheetCols columns, margins, column
// widths, formats, the filler column (unless fitted to the paper) and the fixed texts. A failing layout
// step leaves its part out and the others go on. The first page laid out at the top of the sheet is
// kept (PageLayout) and pasted onto the later pages of the preparation: every page has the same layout.
void InitPageSheet(DataReportRun& run, platform::grid::Sheet& grid);

// Lays out page `page` (from 1) of the batch built last as an empty page at the top of a grid of its
// own (the print window's page grid): its cells cleared, the template laid out, its margin and filler
// rows, and the report head and tail only where that page is the report's first or last page.
void InitWholeReportSheet(DataReportRun& run, platform::grid::Sheet& grid, int page = 1);

} // namespace engine
