#pragma once

#include <QIODevice>

namespace platform::grid
{
class Sheet;
}

namespace platform::grid::io
{

// Writes the sheet as tab-separated UTF-8 text: one line per row from row 1 to the last row with
// data, each line ended by "\n", holding what every cell shows up to the last column with data.
// Tabs and line breaks inside a cell become blanks, so each line stays one row.
void writeText(const Sheet& sheet, QIODevice& out);

} // namespace platform::grid::io
