#pragma once

namespace platform::grid
{
class Sheet;
}
namespace engine
{
struct DataReportRun;
struct StatisticsRun;
}
namespace store
{
struct ReportDefinition;
}

// Building a statistics report (a free sheet of texts, values, formulas and pictures without records)
// into the grid of the print, print-progress or preview window, divided into pages by row height.
//
// Every step works on the StatisticsRun of its caller, which owns it for the whole build, and reads the
// report from the caller's DataReportRun (its definition, laid-out template and designed paper).
// Calling orders: print-progress window CanPrintReport, PrepareStatisticsPrint, CreateStatisticsReport,
// ApplyPageSetup, then printing; print window CanPrintReport and PrepareStatisticsPrint when it loads,
// CreateStatisticsReport when it builds, ApplyPageSetup or ApplyPaperAndOrientation before printing,
// UnloadStatPictures when it closes; preview window CanPrintReport, then PreviewStatisticsReport.
//
// After a build the sheet holds a blank top-margin row (row 1) and left-margin column (column 1), the
// designed cells one row down and one column right, a filler column that takes the rest of the paper's
// width, and a closing row that pads the last page. The run's PageStartArray holds the first row of
// each page and StatPageCount their number.
namespace engine
{

// True when the report of the run can be built: it has a report id and
// rows in the report tables, its definition passes its check, and its columns fit the designed paper and,
// unless it fits itself to the paper (SELF_FIT), the printer's page. A refusal tells the user
// (ErrorMessage; a box unless in silent web mode).
bool CanPrintReport(StatisticsRun& run, DataReportRun& report);

// True, after telling the user, when the stored columns and side margins are wider than the designed
// paper (its height in landscape); the run keeps the designed paper's size. Sets the printer's paper to the
// report's.
bool IsWiderThanDesignPaper(DataReportRun& report);

// Under SELF_FIT true at once. Otherwise reads the printer's page in the report's orientation into
// StatPageWidth and StatPageHeight and gives false, after telling the user, when the columns are wider.
bool FitsPrinterPaper(StatisticsRun& run, const store::ReportDefinition& definition);

// Margins and page metrics, every cell of the report loaded, the picture list emptied.
void PrepareStatisticsPrint(StatisticsRun& run, DataReportRun& report);

// StatTopMargin and StatBottomMargin from TOP_MARGE and BOTTOM_MARGE. Beyond 16 bits throws.
void MarginsToTwips(StatisticsRun& run, const store::ReportDefinition& definition);

// StatPageHeight and StatPageWidth from the printer's page in the report's orientation, and
// StatWidthFactor (1 unless SELF_FIT). A failure ends the step without a message.
void ComputePageMetrics(StatisticsRun& run, const store::ReportDefinition& definition);

// The whole build for printing into `grid`, which is emptied first: formats, cells (the report
// parameters asked once, never in silent web mode), margin and filler columns, pages, last page padded;
// the sheet ends at StatRowCount and StatColCount.
void CreateStatisticsReport(StatisticsRun& run, DataReportRun& report, platform::grid::Sheet& grid);

// The build for the preview: prepares itself and writes only the text and picture cells.
void PreviewStatisticsReport(StatisticsRun& run, DataReportRun& report, platform::grid::Sheet& grid);

// The grid's page setup for printing: the report's paper, orientation and four margins, no header or
// footer (nor room for them), no grid lines or headings.
void ApplyPageSetup(const store::ReportDefinition& definition, platform::grid::Sheet& grid);
// Only the report's paper and orientation.
void ApplyPaperAndOrientation(const store::ReportDefinition& definition, platform::grid::Sheet& grid);

// Releases the pictures read by the last build; StatPictureCount stays.
void UnloadStatPictures(StatisticsRun& run);

} // namespace engine
