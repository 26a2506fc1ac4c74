#pragma once

#include "engine/EngineState.h"

namespace platform::db
{
class Recordset;
}
namespace platform::grid
{
class Sheet;
}

// Filling one page of a data report: the head and group field cells from the record that opens the
// page, one detail block per record until the page is full or its group ends, the pictures, and the
// report head and tail kept only on the report's first and last page.
namespace engine
{

// Fills page `page` (0-based within the build) from the current record of ReportDataRs on; the data is
// left on the record that opens the next page.
void FillPageData(DataReportRun& run, platform::grid::Sheet& grid, int page);

// Writes a head or group field cell (a page row) on page `page`, evaluated against `record`.
void FillHeadFieldCell(DataReportRun& run, const ReportCellItem& cell, platform::grid::Sheet& grid, int page,
    const platform::db::Recordset& record);

// RecordBufferRs stands on the current record of ReportDataRs, whose rows it shares.
void BufferCurrentRecord(DataReportRun& run);

// Takes the next record: copies the current one into the record buffer, moves the data on and tests the
// record now current for a group break (CheckGroupBreak).
void ReadNextRecord(DataReportRun& run);

// Writes the record buffer into block `block` of page `page` and notes the rows of the columns that
// have a total; gives the sheet row written last (0 when the band has no cell).
int FillDetailBlock(DataReportRun& run, platform::grid::Sheet& grid, int page, int block);

// Adds the cells of the record just written (last row `row`) to the column totals.
void AddUpRecordTotals(DataReportRun& run, const platform::grid::Sheet& grid, int row);

// Clears (values and formats, columns 2 on) the report head of page `page` unless it is the report's
// first page, and the report tail unless it is the report's last. A failure is logged under
// "HandleRptHeadTail".
void HandleRptHeadTail(const DataReportRun& run, platform::grid::Sheet& grid, int page, bool reportFirstPage,
    bool reportLastPage);

// HandleRptHeadTail for a page laid out at the top of a grid with RecordsPerPage blocks.
void ClearTemplateHeadTail(
    const DataReportRun& run, platform::grid::Sheet& grid, bool reportFirstPage, bool reportLastPage);

// PageFirstRow for page `page` (0-based within the build), the next to be laid out. A
// failure is logged under "PasteFormat".
void PasteFormat(DataReportRun& run, int page);

// Empties the grid of the previous batch: its cells, formats, merged blocks, row heights and pictures.
void ClearBatchSheet(platform::grid::Sheet& grid);

// The print area of the grid: one piece per built page, so that every page prints on its own sheet of
// paper; and a page break at each page's first row, which the files a spreadsheet program prints keep.
void SetPagePrintArea(const DataReportRun& run, platform::grid::Sheet& grid);

} // namespace engine
