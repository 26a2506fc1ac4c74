#pragma once

#include <QString>

namespace platform::grid
{
class Sheet;
}

// The four page margins of a data report as sheet sizes: the height of a page's first row (top) and
// last row (bottom), the width of its first column (left) and last column (right), from the margins
// stored in inches.
namespace engine
{

struct DataReportRun;

// Sets row 1, row PageSheetRows, column 1 and column PageSheetCols from the definition's margins (top,
// bottom, left, right in that order). A size beyond 16 bits throws platform::Error, leaving the margins
// after it as they were.
void LoadPageMargins(const DataReportRun& run, platform::grid::Sheet& grid);

// Without fitting to the paper, the last column takes the printer's width that the other columns leave
// (0 when they leave none).
void SetFillerColWidth(const DataReportRun& run, platform::grid::Sheet& grid);

} // namespace engine
