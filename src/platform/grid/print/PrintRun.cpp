#include "PrintRun.h"

#include "GridPrinter.h"

#include <QFile>
#include <QPrinter>

namespace platform::grid
{

PrintRun::PrintRun(std::unique_ptr<QPrinter> printer)
    : printer_(std::move(printer))
{
}

PrintRun::~PrintRun()
{
    if (!painter_.isActive())
        return;
    painter_.end();
    if (printer_->outputFormat() == QPrinter::PdfFormat)
        QFile::remove(printer_->outputFileName());
}

int PrintRun::add(const Sheet& sheet)
{
    return GridPrinter(sheet).printInto(*printer_, painter_);
}

void PrintRun::finish()
{
    if (painter_.isActive())
        GridPrinter::endJob(*printer_, painter_);
}

} // namespace platform::grid
