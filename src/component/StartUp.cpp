#include "component/StartUp.h"

#include "designer/DesignerWindow.h"
#include "designer/RegionMarkers.h"
#include "dialogs/frmPageSetup.h"
#include "output/OutputWindows.h"
#include "wizard/WizardSeams.h"

#include <mutex>

namespace component
{

void installWindowHooks()
{
    output::installOutputWindows();
    dialogs::installPageSetupDialog();
    designer::installDesignerWindow();
    designer::installRegionMarkerSeam();
    wizard::installWizardSeams();
}

void startUp()
{
    static std::once_flag started;
    std::call_once(started, installWindowHooks);
}

} // namespace component
