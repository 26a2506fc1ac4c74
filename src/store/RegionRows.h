#pragma once

#include <QString>

namespace platform::grid
{
class Sheet;
}

// The region rows of a data report (REPORT_HEAD ... REPORT_TAIL in report_info, "begin:end") read into
// the state's region table and written back from it.
namespace store
{

// Clears the region table, fills it from the current report's region rows and has the designer repaint
// its region-marker column on `grid`. A malformed region text throws platform::Error.
void LoadRegions(platform::grid::Sheet& grid);
void ClearRegions();

// Fills the entry of one stored region row; group heads and tails go by level (1 to 3), anything else
// changes nothing. A malformed region text throws platform::Error.
void ParseRegionInfo(const QString& infoType, const QString& regionText, int level);

// Replaces the current report's region rows by the present entries of the region table whose begin row
// is not after their end row. Throws platform::Error when a statement fails.
void SaveRegionInfo();

} // namespace store
