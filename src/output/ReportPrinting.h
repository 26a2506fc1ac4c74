#pragma once

#include "output/PrintRange.h"

#include <QString>

namespace platform::grid
{
class PrintRun;
class Sheet;
}

// Printing the pages of a built report from the working sheet. The pages carry their margins as rows
// and columns of the sheet, so the sheet's page setup must leave the paper's margins at 0; every page is
// a piece of the print area of its own, so that each starts a new sheet of paper exactly as built.
namespace output
{

// The print area of pages 1 to pageCount, one piece per page.
QString AllPagesArea(const PageRowMap& pages, int pageCount, int columnCount);

// Prints the print area's pieces on the named printer, `copies` times, and returns the pages of one
// copy printed. The sheet's print area is set for the job only. Throws platform::Error when the printer
// fails or the area names no range.
int PrintArea(platform::grid::Sheet& sheet, const QString& area, int copies, const QString& printerName);
// The same as pages added to a print run under way (one copy).
int PrintArea(platform::grid::Sheet& sheet, const QString& area, platform::grid::PrintRun& run);

} // namespace output
