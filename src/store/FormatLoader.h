#pragma once

#include <QString>

namespace platform::db
{
class Recordset;
}

namespace platform::grid
{
class Sheet;
}

// The report_format rows of the current report applied to a design grid.
namespace store
{

// Every kind in turn: FONT, ALIGNMENT, BORDER, INPUTFORMAT, WRAPTEXT, ROWHEIGHT, COLWIDTH, and MERGE last,
// after every other format and size.
void LoadAllFormats(platform::grid::Sheet& grid);
// The rows of one kind, in the order they were written.
void LoadFormatType(platform::grid::Sheet& grid, const QString& kind);
// Applies each row to its rectangle (size lists to their rows or columns). A row that cannot be applied
// (a rectangle outside the sheet, a merge that would cut another) is skipped and the next one goes on.
void ApplyFormatRows(platform::grid::Sheet& grid, const QString& kind, platform::db::Recordset& rows);

} // namespace store
