#pragma once

// Where the rows of the template land on the pages of the batch being built. A page lays out the
// template once with its detail band repeated once per detail block; its first row is the top margin and
// its last the bottom margin (filler). Pages lie one under the other from the sheet's first row, as
// PageRowRanges lists them. Under "AUTO" a page holds as many blocks as records fit, so the rows below
// the band move with the page's block count; otherwise every page holds RecordsPerPage blocks.
namespace engine
{

struct DataReportRun;

// True under DATA_ROWS "AUTO".
bool IsAutoRows(const DataReportRun& run);

// The sheet row above page `page` (0-based within the batch): its first row less one.
int PageOffset(const DataReportRun& run, int page);

// The detail blocks page `page` holds now: RecordsPerPage, or under "AUTO" as many as its rows make.
int DetailBlocksOnPage(const DataReportRun& run, int page);

// The sheet row of a page row (1 = the page's top margin) as the template lays it out with
// RecordsPerPage blocks (the rows the cell lists hold), on page `page` as it is laid out now.
int SheetRowOfPageRow(const DataReportRun& run, int page, int pageRow);

// The sheet row of a template row outside the detail band on page `page`.
int SheetRowOfTemplateRow(const DataReportRun& run, int page, int templateRow);

// The sheet row of a page row of the first detail block (template row + 1) in block `block` (from 1).
int DetailSheetRow(const DataReportRun& run, int page, int block, int firstBlockPageRow);

} // namespace engine
