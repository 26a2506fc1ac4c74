#pragma once

#include "PageGeometry.h"
#include "PagePlan.h"

#include <QList>
#include <QString>

class QPainter;
class QPrinter;

namespace platform::grid
{

class Sheet;

// Prints a sheet: its print area (the used cells when none is set), each piece of the area starting
// a page, with the paper, orientation, margins, scale, header, footer, print titles, grid lines,
// headings, centring and page order of its page setup. Page breaks follow the row heights and column
// widths: what does not fit goes on the next page.
class GridPrinter
{
public:
    explicit GridPrinter(const Sheet& sheet);

    // Gives the printer the page setup's paper and orientation and plans the pages on it.
    QList<PrintPage> pages(QPrinter& printer) const;

    // Prints to the printer, after the printer dialog when asked (a cancelled dialog prints nothing).
    // The printer's page range and copies apply: copies are made here when the printer cannot make
    // them itself. Returns the number of pages of one copy printed, 0 when nothing was.
    // Throws platform::Error (errors::PrinterFault) when the printer fails, and
    // errors::InvalidArgument for a print area or print titles that name no range.
    int print(QPrinter& printer, bool showDialog = false) const;
    // The same on a printer that ui::installedPrinters lists; "PDF" writes a new file in the PDF folder.
    int print(const QString& printerName, bool showDialog = false) const;

    // Adds every page to a job under way on the printer: the painter begins the job with the first
    // page (the printer then gets the page setup's paper and orientation), later pages start new
    // sheets of paper. Returns the pages added; throws as print does.
    int printInto(QPrinter& printer, QPainter& painter) const;
    // Ends a job begun by printInto; throws platform::Error (errors::PrinterFault) when it failed.
    static void endJob(QPrinter& printer, QPainter& painter);

private:
    void applyPageSetup(QPrinter& printer) const;

    const Sheet& sheet_;
};

} // namespace platform::grid
