#include "engine/PageNumbers.h"

#include "engine/EngineState.h"
#include "platform/outside/FailureLog.h"
#include "store/ReportDefinition.h"

namespace engine
{

void CountPageNumber(DataReportRun& run, int& groupIndex)
{
    platform::outside::runLogged("CountPageNumber", [&] {
        if (run.definition().page.PageRecount && run.GroupBreak) {
            run.PageNumber = 1;
            GetGroupPageCount(run, groupIndex);
        } else {
            ++run.PageNumber;
        }
        ++run.AbsolutePage;
    });
}

void GetGroupPageCount(DataReportRun& run, int& groupIndex)
{
    if (groupIndex < 1 || groupIndex > run.GroupCount || groupIndex > run.GroupPageCounts.size()) {
        run.GroupPageTotal = run.TotalPages;
        return;
    }
    run.GroupPageTotal = run.GroupPageCounts[groupIndex - 1];
    ++groupIndex;
}

} // namespace engine
