#pragma once

#include <QString>

// Totals of the stored column widths and row heights of the current report (the COLWIDTH and ROWHEIGHT
// lists of report_format: items "@" + column or row + "|2|" + size in twips). Rows and columns whose
// size was never stored count as 0. A size or index that is no number throws platform::Error.
namespace engine
{

// All stored column widths (32-bit twips).
int LoadColWidths();
// The widths of one stored list.
int ParseColWidths(const QString& list);

// The fixed rows: every stored row height outside the detail band (32-bit twips).
int LoadRowHeights();
// The heights of one stored list whose rows lie outside the detail band.
int ParseRowHeights(const QString& list);

// One detail block: the stored heights of the detail band's rows (16-bit twips). A list that does not
// read adds nothing.
int GetRowsHeight();
// The heights of one stored list whose rows lie inside the detail band.
int GetRowHeightValue(const QString& list);

} // namespace engine
