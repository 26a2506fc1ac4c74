#include "engine/StoredSizes.h"

#include "engine/EngineState.h"
#include "engine/WholeNumbers.h"
#include "store/DefinitionCheck.h"
#include "store/ReportDefinition.h"

#include <functional>

namespace engine
{

namespace
{

// The sum of the items on the design sheet (below `limit`) for which `counts` holds. A list is read item
// by item, so one whose rows straddle the detail band's edge still adds each row to its own side.
long long sumOfSizes(
    const QList<store::SizeItem>& items, int limit, const std::function<bool(int index)>& counts)
{
    long long total = 0;
    for (const store::SizeItem& item : items) {
        if (item.index >= 1 && item.index <= limit && counts(item.index))
            total += roundInt16(item.twips);
    }
    return total;
}

bool inDetailBand(int row)
{
    const store::ReportRegion& band = reportDefinition().regions[store::RegionEntry::DataDetail];
    return row >= band.beginRow && row <= band.endRow;
}

store::DesignSheetBounds bounds()
{
    return store::definitionSheetBounds(reportDefinition());
}

} // namespace

int LoadColWidths()
{
    return fitInt32(sumOfSizes(reportDefinition().colWidths(), bounds().cols, [](int) { return true; }));
}

int LoadRowHeights()
{
    return fitInt32(sumOfSizes(
        reportDefinition().rowHeights(), bounds().rows, [](int row) { return !inDetailBand(row); }));
}

int GetRowsHeight()
{
    return fitInt16(sumOfSizes(reportDefinition().rowHeights(), bounds().rows, inDetailBand));
}

} // namespace engine
