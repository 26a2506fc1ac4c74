#include "output/ReportPrinter.h"

#include "platform/Error.h"
#include "platform/grid/print/GridPrinter.h"
#include "platform/ui/Printers.h"
#include "store/ReportState.h"

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

void TurnPrinterToReport()
{
    platform::ui::setDefaultPrinterOrientation(store::reportState().PageLandscape
            ? platform::ui::PrinterOrientation::Landscape
            : platform::ui::PrinterOrientation::Portrait);
}

int PrintOnDefaultPrinter(const platform::grid::Sheet& sheet, bool withDialog)
{
    return platform::grid::GridPrinter(sheet).print(platform::ui::defaultPrinterName(), withDialog);
}

} // namespace output
