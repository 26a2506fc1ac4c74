#include "engine/ReportPageSetup.h"

#include "engine/EngineState.h"
#include "platform/grid/PageSetup.h"
#include "store/ReportDefinition.h"

namespace engine
{

void SetReportMargins(const store::ReportDefinition& definition, platform::grid::PageSetup& setup)
{
    const store::PageSettings& page = definition.page;
    setup.topMargin = page.TopMarge;
    setup.bottomMargin = page.BottomMarge;
    setup.leftMargin = page.LeftMarge;
    setup.rightMargin = page.RightMarge;
}

void ClearHeaderAndFooter(platform::grid::PageSetup& setup)
{
    setup.header.clear();
    setup.footer.clear();
    setup.headerMargin = 0;
    setup.footerMargin = 0;
}

} // namespace engine
