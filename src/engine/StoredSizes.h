#pragma once

namespace store
{
struct ReportDefinition;
}

// Totals of the stored column widths and row heights of a definition (the items of its COLWIDTH and
// ROWHEIGHT lists), each item rounded to whole twips (halves to the even one). Rows and columns whose
// size was never stored count as 0; an item beyond the design sheet is left out, as the definition check
// says.
namespace engine
{

// All stored column widths (32-bit twips).
int LoadColWidths(const store::ReportDefinition& definition);

// The fixed rows: every stored row height outside the detail band (32-bit twips).
int LoadRowHeights(const store::ReportDefinition& definition);

// One detail block: the stored heights of the detail band's rows (16-bit twips).
int GetRowsHeight(const store::ReportDefinition& definition);

} // namespace engine
