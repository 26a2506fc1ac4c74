#pragma once

#include <functional>
#include <QString>

namespace platform::grid
{
class Sheet;
}

// Reading a stored report (report_index, report_info, report_format, report_data) into the report state
// and a design grid. Every procedure works on the report named by the state's ReportId.
namespace store
{

// True when `table` holds at least one row of the current report.
bool ReportRowsExist(const QString& table);
// The designer opens only a report that has report_info rows.
bool ReportInfoExists();

// Progress of a load, as the values 10, 20 (data reports only), 30, 40 and 50.
using LoadProgress = std::function<void(int value)>;

// Loads the whole report into the design grid, which the designer has cleared: index row (ReadRptIndex),
// (data reports) SQL pieces, page settings, (data reports) the check of the report's tables and of its
// sort order, formats, cell contents and (data reports) regions with the designer's region-marker column.
// A failure (a malformed region text or page setting) throws platform::Error to the caller.
void OpenReportInDesigner(platform::grid::Sheet& grid, const LoadProgress& progress = {});

} // namespace store
