#pragma once

namespace platform::grid
{
class Sheet;
}

// The report_format rows of a report's definition applied to a design grid.
namespace store
{

struct ReportDefinition;

// Every kind in turn: FONT, ALIGNMENT, BORDER, INPUTFORMAT, WRAPTEXT, ROWHEIGHT, COLWIDTH, and MERGE last,
// after every other format and size; the rows of a kind in format_order. A row that cannot be applied (a
// rectangle outside the sheet, a merge that would cut another) is skipped and the next one goes on.
void LoadAllFormats(platform::grid::Sheet& grid, const ReportDefinition& definition);

} // namespace store
