#include "engine/ReportPageSetup.h"

#include "platform/grid/PageSetup.h"
#include "store/ReportState.h"

namespace engine
{

void SetReportMargins(platform::grid::PageSetup& setup)
{
    const store::ReportState& state = store::reportState();
    setup.topMargin = state.TopMarge;
    setup.bottomMargin = state.BottomMarge;
    setup.leftMargin = state.LeftMarge;
    setup.rightMargin = state.RightMarge;
}

void ClearHeaderAndFooter(platform::grid::PageSetup& setup)
{
    setup.header.clear();
    setup.footer.clear();
    setup.headerMargin = 0;
    setup.footerMargin = 0;
}

} // namespace engine
