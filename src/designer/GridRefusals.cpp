#include "designer/GridRefusals.h"

#include "platform/Error.h"
#include "platform/grid/Sheet.h"
#include "platform/ui/Refusal.h"
#include "store/ReportState.h"

namespace designer
{

namespace
{

QString messageFor(const GridRefusals& refusals, int number)
{
    switch (number) {
    case platform::errors::WouldCutMergedCell:
        return refusals.mergedCell;
    case platform::errors::DeletionRefused:
        return refusals.deletionRefused;
    default:
        return {};
    }
}

} // namespace

bool runGridEdit(platform::grid::Sheet& grid, const GridRefusals& refusals, const std::function<void()>& edit)
{
    store::ReportState& state = store::reportState();
    const platform::grid::Sheet gridBefore = grid;
    const store::RegionTable regionsBefore = state.RegionTable;
    const int rowsBefore = state.DesignRowCount;
    const int colsBefore = state.DesignColCount;
    try {
        edit();
        return true;
    } catch (const platform::Error& error) {
        grid = gridBefore;
        state.RegionTable = regionsBefore;
        state.DesignRowCount = rowsBefore;
        state.DesignColCount = colsBefore;
        platform::ui::showRefusal(platform::ui::Refusal<platform::ui::NoControl> {
            messageFor(refusals, error.number()), {}, {}, refusals.title });
    }
    return false;
}

} // namespace designer
