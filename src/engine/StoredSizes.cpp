#include "engine/StoredSizes.h"

#include "engine/WholeNumbers.h"
#include "store/ReportDefinition.h"

#include <functional>

namespace engine
{

namespace
{

// The sum of the stored items for which `counts` holds, each times `scale` rounded to whole twips. A list
// is read item by item, so one whose rows straddle the detail band's edge still adds each row to its own
// side.
long long sumOfSizes(
    const QList<store::SizeItem>& items, double scale, const std::function<bool(int index)>& counts)
{
    long long total = 0;
    for (const store::SizeItem& item : items) {
        if (counts(item.index))
            total += roundInt16(item.twips * scale);
    }
    return total;
}

bool inDetailBand(const store::ReportDefinition& definition, int row)
{
    const store::ReportRegion& band = definition.regions[store::RegionEntry::DataDetail];
    return row >= band.beginRow && row <= band.endRow;
}

} // namespace

int LoadColWidths(const store::ReportDefinition& definition, double scale)
{
    return fitInt32(sumOfSizes(definition.colWidths(), scale, [](int) { return true; }));
}

int LoadRowHeights(const store::ReportDefinition& definition, double scale)
{
    return fitInt32(
        sumOfSizes(definition.rowHeights(), scale, [&](int row) { return !inDetailBand(definition, row); }));
}

int GetRowsHeight(const store::ReportDefinition& definition, double scale)
{
    return fitInt16(
        sumOfSizes(definition.rowHeights(), scale, [&](int row) { return inDetailBand(definition, row); }));
}

} // namespace engine
