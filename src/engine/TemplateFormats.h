#pragma once

#include "engine/TemplateRows.h"

#include <QList>
#include <QString>

namespace platform::grid
{
class Sheet;
}

// The look of an output page from the stored template: column widths, cell formats and row heights,
// with the fit factors of the page geometry. `atSheetTop` lays the page at the top of the sheet; else it
// lies below PageFirstRow (the page being filled).
namespace engine
{

struct DataReportRun;

// Every stored column width × ScaleX (rounded half to even).
void LoadColWidthFormat(DataReportRun& run, platform::grid::Sheet& grid);

// The cell formats of the rows outside the detail band, in format_order. A rectangle that reaches into
// the band is cut at its edges, so its parts above and below the band get the format there.
void LoadOuterFormats(DataReportRun& run, platform::grid::Sheet& grid, bool atSheetTop);

// The cell formats of the detail band, repeated on each of the page's RecordsPerPage blocks (block 1
// first). A rectangle reaching out of the band gives the band its part inside. Nothing without a band.
void LoadRegionFormats(DataReportRun& run, platform::grid::Sheet& grid, bool atSheetTop);

// Applies the items of a stored row-height list to page `page` (from 1) of the build; every item is placed
// by where its row lies: a detail-band row on each block of the page with DetailScale, any other row with
// ScaleY at its page row. Unless `totalRowsShown`, a row holding a column total gets height 0 (the totals
// show on the report's last page only). Heights are rounded half to even. Pages lie PageSheetRows apart,
// under "AUTO" each after the last row of the previous page in PageRowRanges.
void ApplyRowHeights(const DataReportRun& run, platform::grid::Sheet& grid, const QList<SizeItem>& items,
    int page, bool totalRowsShown);

// True when a column total (TotalCells) stands on this row of a page (1 = the page's first row).
bool IsRowInCellList(const DataReportRun& run, int pageRow);

} // namespace engine
