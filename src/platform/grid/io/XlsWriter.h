#pragma once

#include <QIODevice>

namespace platform::grid
{
class Sheet;
}

namespace platform::grid::io
{

// Column widths are stored in 1/256 of the width of the digit "0" in the workbook's first font
// (宋体 10.5 pt): half of its 210-twip em, 105 twips.
constexpr int kXlsTwipsPerDigit = 105;

// Writes the sheet as an Excel 97-2003 workbook (BIFF8 inside a compound file). A worksheet holds
// at most 65,536 rows and 256 columns: further rows continue on worksheets "Sheet2", "Sheet3"...
// (merged blocks cut at a worksheet's border are clipped to it), further columns are left out.
// Formula cells are written as their computed values; pictures are not written.
void writeXls(const Sheet& sheet, QIODevice& out);

} // namespace platform::grid::io
