#include "store/RegionRows.h"

#include "store/ReportDefinition.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"
#include "store/WindowSeams.h"

namespace store
{

namespace
{

const QString RegionTypes = QStringLiteral("('REPORT_HEAD', 'REPORT_TAIL', 'PAGE_HEAD', 'PAGE_TAIL',"
                                           "'GROUP_HEAD', 'GROUP_TAIL', 'DATA_DETAIL')");

void InsertRegionInfo(const ReportRegion& region, const StoredRegionKey& key)
{
    if (!region.present || region.beginRow > region.endRow)
        return;
    executeStoreSql(
        QStringLiteral("insert into report_info(report_id,info_type,info_order,info_description) values(?,?,?,?)"),
        { reportState().ReportId, key.infoType, key.infoOrder, formatRegionText(region.beginRow, region.endRow) });
}

} // namespace

void ClearRegions()
{
    reportState().RegionTable.clear();
}

void LoadRegions(platform::grid::Sheet& grid, const ReportDefinition& definition)
{
    reportState().RegionTable = definition.regions;
    if (const auto& paint = windowSeams().PaintRegionMarkers)
        paint(grid);
}

void SaveRegionInfo()
{
    executeStoreSql(QStringLiteral("delete from report_info where report_id = ? and info_type in ") + RegionTypes,
        { reportState().ReportId });
    const RegionTable& regions = reportState().RegionTable;
    for (const RegionEntry entry : regionSaveOrder())
        InsertRegionInfo(regions[entry], storedKeyOf(entry));
}

} // namespace store
