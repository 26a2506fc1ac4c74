#include "component/StartUp.h"

#include "designer/DesignerWindow.h"
#include "designer/RegionMarkers.h"
#include "dialogs/frmPageSetup.h"
#include "output/OutputWindows.h"
#include "platform/db/Connection.h"
#include "platform/ui/ModalDialog.h"
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
    // A build's reads never keep their transaction open while a window waits for the clerk.
    platform::ui::setBeforeWaiting(&platform::db::Connection::endEverySharedReads);
}

void startUp()
{
    static std::once_flag started;
    std::call_once(started, installWindowHooks);
}

} // namespace component
