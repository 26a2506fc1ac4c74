#include "output/ReportPrinter.h"

#include "engine/EngineState.h"
#include "engine/PageSheet.h"
#include "output/PrintRange.h"
#include "platform/Error.h"
#include "platform/grid/print/GridPrinter.h"
#include "platform/grid/print/PrintRun.h"
#include "platform/grid/Sheet.h"
#include "platform/ui/Printers.h"
#include "store/ReportDefinition.h"

#include <QPrinter>

namespace output
{

bool PrinterInstalled()
{
    try {
        return !platform::ui::installedPrinters().isEmpty();
    } catch (const platform::Error&) {
        return false;
    }
}

void TurnPrinterToReport(const store::ReportDefinition& definition)
{
    platform::ui::setDefaultPrinterOrientation(definition.page.PageLandscape
            ? platform::ui::PrinterOrientation::Landscape
            : platform::ui::PrinterOrientation::Portrait);
}

void SetBlankFormPrintSetup(const engine::DataReportRun& report, platform::grid::Sheet& sheet)
{
    engine::SetGridPageSetup(report, sheet);
}

void SetStatisticsPrintSetup(
    const engine::DataReportRun& report, platform::grid::Sheet& sheet, const QVector<int>& pageStarts)
{
    engine::SetGridPageSetup(report, sheet);
    PageSelection everyPage;
    for (int page = 1; page <= pageStarts.size(); ++page)
        everyPage.listedPages.append(page);
    const PageRowMap pages = PageRowMap::startingRows(pageStarts, sheet.maxRow());
    sheet.setPrintArea(PagesToRanges(everyPage, pages, sheet.maxCol()).value_or(QString()));
}

int PrintOnDefaultPrinter(const platform::grid::Sheet& sheet, bool withDialog)
{
    return platform::grid::GridPrinter(sheet).print(platform::ui::defaultPrinterName(), withDialog);
}

std::unique_ptr<platform::grid::PrintRun> OneDocumentRun()
{
    std::unique_ptr<QPrinter> printer = platform::ui::makePrinter(platform::ui::defaultPrinterName());
    if (printer->outputFormat() != QPrinter::PdfFormat)
        return nullptr;
    return std::make_unique<platform::grid::PrintRun>(std::move(printer));
}

} // namespace output
