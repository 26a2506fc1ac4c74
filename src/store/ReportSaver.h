#pragma once

#include <QString>

namespace platform::grid
{
class Sheet;
}

// Writing the report open in the design grid back into the four report tables. The block saved is the
// used design sheet: rows firstRow..lastRow and columns firstCol..lastCol (a data report from column 2,
// as column 1 holds the region markers; a statistics report from column 1). Pass the design size, not
// the sheet's whole extent: every cell of the block gets its own format rows.
namespace store
{

// A data report: index row, page-setting rows, region rows, column widths, the formats in three row
// bands (above, inside and below the detail band, so that no stored rectangle crosses its edges) and the
// cell contents. One transaction: any failure rolls everything back, is logged, and gives false, with
// its description in `failure` when one is given.
bool SaveDataReport(const platform::grid::Sheet& grid, int firstRow, int firstCol, int lastRow, int lastCol,
    QString* failure = nullptr);

// A statistics report: the same without region rows, its formats as one block. One transaction too.
bool SaveStatReport(const platform::grid::Sheet& grid, int firstRow, int firstCol, int lastRow, int lastCol,
    QString* failure = nullptr);

// The index row from the state (name, type, group); a report without one gets one.
void UpdateReportIndex();

} // namespace store
