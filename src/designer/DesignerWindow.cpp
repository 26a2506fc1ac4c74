#include "designer/DesignerWindow.h"

#include "designer/frmReportDesigner.h"
#include "platform/ui/ModalDialog.h"
#include "store/WindowSeams.h"

namespace designer
{

namespace
{

// The designer is made for its showing and goes when it closes: each opening loads afresh.
void showDesigner()
{
    frmReportDesigner window;
    window.Form_Load();
    platform::ui::showModal(window);
}

} // namespace

void installDesignerWindow()
{
    store::windowSeams().frmReportDesigner = showDesigner;
}

} // namespace designer
