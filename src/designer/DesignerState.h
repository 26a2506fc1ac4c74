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

// Lays the report's stored region rows over the state's region table; an entry without a stored row
// keeps its value.
void LoadRegionTable();

// The state of the report open in the designer (identity, SQL pieces, page settings, sheet counts and
// region table), kept while something else loads the stored report into the state, such as the
// preview, and put back afterwards, so that unsaved changes are still what the next save writes.
class DesignedReportState
{
public:
    DesignedReportState();
    void restore() const;

private:
    store::ReportState saved_;
};

} // namespace designer
