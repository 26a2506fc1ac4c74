#pragma once

namespace platform::grid
{
class Sheet;
}

// The blank form of a data report: one page of its template on the designed paper, with the fixed
// texts, the texts of every detail block and the pictures, but no data.
namespace engine
{

struct DataReportRun;

// Builds the blank form into the grid (after PrepareReportData); PageRowRanges lists its one page.
void CreateBlankReport(DataReportRun& run, platform::grid::Sheet& grid);

// DetailCells := the text cells ("A") of the detail band; a failure is logged under "GetRptDetailText"
// and the list stays as it was.
void GetRptDetailText(DataReportRun& run);

} // namespace engine
