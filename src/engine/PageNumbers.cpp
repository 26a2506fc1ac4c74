#include "engine/PageNumbers.h"

#include "engine/EngineState.h"
#include "platform/outside/FailureLog.h"
#include "store/ReportDefinition.h"

namespace engine
{

void CountPageNumber(DataReportRun& run)
{
    platform::outside::runLogged("CountPageNumber", [&] {
        if (run.definition().page.PageRecount && run.GroupBreak) {
            run.PageNumber = 1;
            GetGroupPageCount(run);
        } else {
            ++run.PageNumber;
        }
        ++run.AbsolutePage;
    });
}

void GetGroupPageCount(DataReportRun& run)
{
    const int groupIndex = run.GroupIndex;
    if (groupIndex < 1 || groupIndex > run.GroupCount || groupIndex > run.GroupPageCounts.size()) {
        run.GroupPageTotal = run.TotalPages;
        return;
    }
    run.GroupPageTotal = run.GroupPageCounts[groupIndex - 1];
    ++run.GroupIndex;
}

} // namespace engine
