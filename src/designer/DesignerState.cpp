#include "designer/DesignerState.h"

#include "store/RegionRows.h"
#include "store/ReportKeywords.h"
#include "store/SqlPieces.h"

namespace designer
{

void ClearReportGlobals()
{
    store::ClearRegions();
    store::ClearSqlInfo();
    store::ReportState& state = store::reportState();
    state.BottomMarge = 0;
    state.LeftMarge = 0;
    state.PageLandscape = false;
    state.DataRows = 0;
    state.ColCount = 0;
    state.PageSize = store::keywords::defaults::PageSize;
}

void ClearReportIdentity()
{
    store::ReportState& state = store::reportState();
    state.ReportId.clear();
    state.TABLENAME.clear();
    state.ReportGroupId.clear();
    state.ReportName.clear();
}

} // namespace designer
