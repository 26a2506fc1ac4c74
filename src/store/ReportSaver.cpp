#include "store/ReportSaver.h"

#include "platform/outside/FailureLog.h"
#include "platform/ui/FailureBox.h"
#include "store/CellContentStore.h"
#include "store/GridScan.h"
#include "store/PageSettings.h"
#include "store/RegionRows.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"

namespace store
{

namespace
{

void deleteReportRows(const char* table)
{
    executeStoreSql(
        QStringLiteral("delete from %1 where report_id = ?").arg(QLatin1String(table)), { reportState().ReportId });
}

// Runs the whole save in one transaction: committed when it runs to its end, rolled back and logged
// under `procedure` when anything in it fails, its description kept in `failure` when one is given.
template <class F> bool inOneTransaction(const char* procedure, QString* failure, F&& save)
{
    try {
        runInTransaction(save);
        return true;
    } catch (const std::exception& error) {
        platform::outside::reportFailure(procedure, error);
        if (failure)
            *failure = platform::ui::failureText(error);
    }
    return false;
}

void saveFormatsAndContents(const platform::grid::Sheet& grid, int firstRow, int firstCol, int lastRow,
    int lastCol, const QList<std::pair<int, int>>& bands)
{
    deleteReportRows("report_format");
    FormatRowWriter writer;
    SaveColWidth(writer, grid, firstCol, lastCol);
    for (const auto& [bandFirst, bandLast] : bands)
        SaveFormat(writer, grid, bandFirst, firstCol, bandLast, lastCol);
    deleteReportRows("report_data");
    GetRptDataInfo(grid, firstRow, firstCol, lastRow, lastCol);
}

// The row bands of a data report: above the detail band, the detail band, below it.
QList<std::pair<int, int>> dataReportBands(int firstRow, int lastRow)
{
    const ReportRegion& detail = reportState().RegionTable[RegionEntry::DataDetail];
    if (!detail.present)
        return { { firstRow, lastRow } };
    return { { firstRow, detail.beginRow - 1 }, { detail.beginRow, detail.endRow },
        { detail.endRow + 1, lastRow } };
}

} // namespace

void UpdateReportIndex()
{
    const ReportState& state = reportState();
    const int type = state.ReportType;
    const int updated = executeStoreSql(
        QStringLiteral("update report_index set report_name = ?, report_type = ?, report_group_id = ? "
                       "where report_id = ?"),
        { state.ReportName, type, state.ReportGroupId, state.ReportId });
    if (updated > 0)
        return;
    executeStoreSql(QStringLiteral("insert into report_index(report_id,report_name,report_type,report_group_id) "
                                   "values(?,?,?,?)"),
        { state.ReportId, state.ReportName, type, state.ReportGroupId });
}

bool SaveDataReport(
    const platform::grid::Sheet& grid, int firstRow, int firstCol, int lastRow, int lastCol, QString* failure)
{
    return inOneTransaction("SaveDataReport", failure, [&] {
        UpdateReportIndex();
        SavePageInfo();
        SaveRegionInfo();
        saveFormatsAndContents(
            grid, firstRow, firstCol, lastRow, lastCol, dataReportBands(firstRow, lastRow));
    });
}

bool SaveStatReport(
    const platform::grid::Sheet& grid, int firstRow, int firstCol, int lastRow, int lastCol, QString* failure)
{
    return inOneTransaction("SaveStatReport", failure, [&] {
        UpdateReportIndex();
        SavePageInfo();
        saveFormatsAndContents(grid, firstRow, firstCol, lastRow, lastCol, { { firstRow, lastRow } });
    });
}

} // namespace store
