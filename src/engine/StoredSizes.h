#pragma once

namespace store
{
struct ReportDefinition;
}

// Totals of the stored column widths and row heights of a definition (the items of its COLWIDTH and
// ROWHEIGHT lists), each item times `scale` rounded to whole twips (halves to the even one), as a page
// fitted by that scale lays it out. Rows and columns whose size was never stored count as 0. Every stored
// item counts, also one beyond ROW_COUNT or COL_COUNT: a designer stores the sizes of all its grid's rows
// and columns while those counts stay its working size, and the stored reports were fitted to the paper
// with those items in their totals.
namespace engine
{

// All stored column widths (32-bit twips).
int LoadColWidths(const store::ReportDefinition& definition, double scale = 1.0);

// The fixed rows: every stored row height outside the detail band (32-bit twips).
int LoadRowHeights(const store::ReportDefinition& definition, double scale = 1.0);

// One detail block: the stored heights of the detail band's rows (16-bit twips).
int GetRowsHeight(const store::ReportDefinition& definition, double scale = 1.0);

} // namespace engine
