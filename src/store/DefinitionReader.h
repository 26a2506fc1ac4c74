#pragma once

#include <memory>
#include <QString>

// The one reader of a report's definition: the four report tables (report_index, report_info,
// report_format, report_data) read in one read transaction on the state's connection, so that a report
// saved meanwhile is seen whole, before or after its save, never half of each.
namespace store
{

struct ReportDefinition;

// The report's definition; a report without rows gives a definition without rows (indexed false). A
// failing statement throws platform::Error.
std::shared_ptr<const ReportDefinition> ReadReportDefinition(const QString& reportId);

// The definition's index row becomes the state's report identity: ReportName, ReportGroupId (the
// report's own group replaces the host's) and ReportType. Without an index row the three stay.
void ApplyReportIdentity(const ReportDefinition& definition);

// The definition of the state's report (its ReportId), its identity and page settings applied to the
// state, as a print, a preview or a print without preview leaves them: the page setup then shows the
// settings of the report they built.
std::shared_ptr<const ReportDefinition> ReadCurrentReportDefinition();

// The state's report's index row alone, applied as ApplyReportIdentity does.
void ReadRptIndex();

} // namespace store
