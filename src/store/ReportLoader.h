#pragma once

#include <functional>
#include <memory>
#include <QString>

namespace platform::grid
{
class Sheet;
}

// Loading a stored report into the report state and a design grid, from its definition read in one
// snapshot. Every procedure works on the report named by the state's ReportId.
namespace store
{

struct ReportDefinition;

// The designer opens only a report that has report_info rows.
bool ReportInfoExists();

// The archive holds the report of the state's ReportId (its report_index row). A host may hand the id of
// a report that another clerk has deleted since, or one that never was.
bool ReportIndexExists();

// What the clerk is told of a report id that the archive does not hold.
inline const QString ReportMissingMessage = QStringLiteral("报表不存在，可能已被删除！");

// Progress of a load, as the values 10, 20 (data reports only), 30, 40 and 50.
using LoadProgress = std::function<void(int value)>;

// Reads the report's definition and loads it into the design grid, which the designer has cleared: the
// report's identity, (data reports) SQL pieces, page settings, (data reports) the check of the report's
// tables and of its sort order, formats, cell contents and (data reports) regions with the designer's
// region-marker column. A definition with a region text or page setting that does not read is refused
// (platform::Error to the caller) before anything is loaded. Gives the definition loaded, or none when
// the archive holds no report of that id (nothing is loaded then).
std::shared_ptr<const ReportDefinition> OpenReportInDesigner(
    platform::grid::Sheet& grid, const LoadProgress& progress = {});

} // namespace store
