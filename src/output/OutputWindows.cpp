#include "output/OutputWindows.h"

#include "output/Frmprocess.h"
#include "output/ReportPrinterRoad.h"
#include "output/frmPreview.h"
#include "output/frmPrint.h"
#include "output/frmPrintMSG.h"
#include "platform/ui/ModalDialog.h"
#include "store/WindowSeams.h"

namespace output
{

namespace
{

// Each window is made for its showing and goes when it closes: its load starts from nothing.
template <class Window> void showModally()
{
    Window window;
    platform::ui::showModal(window);
}

// The print window is shown for a preview and only loaded for the silent web export (its load builds
// and exports the report); either way it unloads again.
void openPrintWindow(store::PrintWindowUse use)
{
    frmPrint window;
    if (window.Form_Load() && use == store::PrintWindowUse::ShowModal)
        platform::ui::showModal(window);
}

} // namespace

void installOutputWindows()
{
    auto& seams = store::windowSeams();
    seams.frmPrintMSG = showModally<frmPrintMSG>;
    seams.frmPreview = showModally<frmPreview>;
    seams.frmPrint = openPrintWindow;
    seams.ShowWordReport = ShowWordReport;
    seams.RunReportPrinter = RunReportPrinter;
}

} // namespace output
