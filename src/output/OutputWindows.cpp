#include "output/OutputWindows.h"

#include "output/frmPreview.h"
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

const bool installedAtLoad = (installOutputWindows(), true);

} // namespace

void installOutputWindows()
{
    auto& seams = store::windowSeams();
    seams.frmPrintMSG = showModally<frmPrintMSG>;
    seams.frmPreview = showModally<frmPreview>;
}

} // namespace output
