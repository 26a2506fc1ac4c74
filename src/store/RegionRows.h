#pragma once

#include <QString>

namespace platform::grid
{
class Sheet;
}

// The region rows of a data report (REPORT_HEAD ... REPORT_TAIL in report_info, "begin:end"): the
// definition's regions become the state's region table, which is written back.
namespace store
{

struct ReportDefinition;

// The state's region table becomes the definition's regions, and the designer repaints its region-marker
// column on `grid`.
void LoadRegions(platform::grid::Sheet& grid, const ReportDefinition& definition);
void ClearRegions();

// Replaces the current report's region rows by the present entries of the region table whose begin row
// is not after their end row. Throws platform::Error when a statement fails.
void SaveRegionInfo();

} // namespace store
