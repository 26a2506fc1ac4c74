#pragma once

#include <memory>
#include <QPainter>

class QPrinter;

namespace platform::grid
{

class Sheet;

// One print job that takes the pages of several sheets one after another, such as a report built and
// printed batch by batch: one document, and on a printer that writes a file, one file. The job takes
// the paper and orientation of its first sheet.
class PrintRun
{
public:
    explicit PrintRun(std::unique_ptr<QPrinter> printer);
    // Ends a job left open (a cancel, a failure): on a printer that writes a file the file goes, since
    // the pages added so far would pass for the whole document; a real printer has printed them.
    ~PrintRun();
    PrintRun(const PrintRun&) = delete;
    PrintRun& operator=(const PrintRun&) = delete;

    // Adds the pages of the sheet's print area as GridPrinter prints them; returns the pages added.
    // Throws platform::Error (errors::PrinterFault) when the printer fails.
    int add(const Sheet& sheet);
    // Ends the job, which keeps its file; a run without pages leaves nothing behind. Throws platform::Error
    // (errors::PrinterFault) when the printer fails.
    void finish();

    QPrinter& printer() { return *printer_; }

private:
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
};

} // namespace platform::grid
