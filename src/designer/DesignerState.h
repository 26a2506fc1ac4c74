#pragma once

#include "store/ReportState.h"

// What the designer changes in the report state around the report it shows.
namespace designer
{

// Before a report is loaded: the region table, the SQL pieces and the page settings that a report may
// lack rows for go back to empty values, so that nothing of the previous report stays.
void ClearReportGlobals();

// When the window closes: the report's identity is emptied (ReportId, TABLENAME, ReportGroupId,
// ReportName).
void ClearReportIdentity();

} // namespace designer
