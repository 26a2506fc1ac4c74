#pragma once

#include <memory>
#include <QVector>

namespace engine
{
struct DataReportRun;
}
namespace platform::grid
{
class PrintRun;
class Sheet;
}
namespace store
{
struct ReportDefinition;
}

// Printing a built report on the default printer (the host may have chosen it; the PDF printer when the
// machine has none).
namespace output
{

// False when no printer is installed or the printer system does not answer.
bool PrinterInstalled();

// Turns the default printer to the report's orientation.
void TurnPrinterToReport(const store::ReportDefinition& definition);

// A built report carries its margins as rows and columns of its sheet and fills the paper's width with
// a filler column, so it goes to paper without the printer's margins; the printer's margins on top would
// push its last columns and rows onto sheets of their own.
//
// The blank form of a data report: one page, the report's paper and orientation.
void SetBlankFormPrintSetup(const engine::DataReportRun& report, platform::grid::Sheet& sheet);
// A statistics report: each page as its build divided them (the first sheet row of each page) on a
// sheet of its own.
void SetStatisticsPrintSetup(
    const engine::DataReportRun& report, platform::grid::Sheet& sheet, const QVector<int>& pageStarts);

// Prints the sheet with its page setup and print area, after the printer dialog when asked; returns the
// pages printed (0 when the dialog was cancelled). Throws platform::Error when the printer fails.
int PrintOnDefaultPrinter(const platform::grid::Sheet& sheet, bool withDialog);

// A print run of several batches on the default printer as one document, when that printer writes a
// file (the PDF printer): one file for the run. None for a real printer, which takes one job per batch
// so that paper comes out while the next batch is built.
std::unique_ptr<platform::grid::PrintRun> OneDocumentRun();

} // namespace output
