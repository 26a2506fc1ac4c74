#pragma once

// The data-report engine's entry points around a build: the definition it works on, the checks that
// decide whether a report can be built at all, the preparation that opens its data, and the clean-up when
// the print window closes. Each road creates its run (EngineState.h) on the definition it read, then runs a
// check (the window stops when it fails), PrepareReportData, then the builders (DataReportBuilder.h) or the
// blank form (BlankReport.h).
namespace engine
{

struct DataReportRun;

// The definition's sort order checked against the metadata (store::DealSQlOrder): a sort column that is
// gone is given up, and the user is told once. The definition in use becomes the checked one.
void CheckReportSortOrder(DataReportRun& run);

// The report's rows exist, its definition passes its check (store::AcceptReportDefinition), and its
// columns fit the designed paper and, unless it is fitted to the paper, the printer's page. A failed
// check has told the user.
bool CanPrintDataReport(DataReportRun& run);

// The same without the printer's page: a preview never looks at the printer.
bool CanPreviewDataReport(DataReportRun& run);

// Checks the sort order, works out the page geometry on the printer's paper and the fit factors, lays
// the template out once, opens the data and the record buffer, builds the cell lists and counts the
// records and pages (per group where the report has groups, also for the host's record set). The run
// starts afresh; a page that can hold no record stops the preparation before the data is opened (the
// user has been told), so nothing can be built.
void PrepareReportData(DataReportRun& run);

// Lays the definition's template rows (row heights among them) out into the run, once per
// preparation; a failure is logged under "GetRptRowHeight" and the rows stay as they were.
void GetRptRowHeight(DataReportRun& run);

// Closes the data (unless it is the host's record set), the record buffer and the sub-query record sets
// of the detail band, and empties the column totals. The page list, counters and other cell lists stay.
void ClearReportData(DataReportRun& run);

} // namespace engine
