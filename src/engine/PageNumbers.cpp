#include "engine/PageNumbers.h"

#include "engine/EngineState.h"
#include "platform/outside/FailureLog.h"
#include "store/ReportDefinition.h"

namespace engine
{

void CountPageNumber(int& groupIndex)
{
    platform::outside::runLogged("CountPageNumber", [&] {
        DataEngineState& engine = dataEngine();
        if (reportDefinition().page.PageRecount && engine.GroupBreak) {
            engine.PageNumber = 1;
            GetGroupPageCount(groupIndex);
        } else {
            ++engine.PageNumber;
        }
        ++engine.AbsolutePage;
    });
}

void GetGroupPageCount(int& groupIndex)
{
    DataEngineState& engine = dataEngine();
    if (groupIndex < 1 || groupIndex > engine.GroupCount || groupIndex > engine.GroupPageCounts.size()) {
        engine.GroupPageTotal = engine.TotalPages;
        return;
    }
    engine.GroupPageTotal = engine.GroupPageCounts[groupIndex - 1];
    ++groupIndex;
}

} // namespace engine
