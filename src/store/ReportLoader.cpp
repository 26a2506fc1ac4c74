#include "store/ReportLoader.h"

#include "platform/db/Recordset.h"
#include "store/CellContentStore.h"
#include "store/FormatLoader.h"
#include "store/OrderRewrite.h"
#include "store/PageSettings.h"
#include "store/RegionRows.h"
#include "store/ReportLookups.h"
#include "store/ReportState.h"
#include "store/SqlPieces.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"

namespace store
{

bool ReportRowsExist(const QString& table)
{
    return openStoreSql(selectReportRows(trimBlanks(table)))->recordCount() != 0;
}

bool ReportInfoExists()
{
    return ReportRowsExist(QStringLiteral("report_info"));
}

void OpenReportInDesigner(platform::grid::Sheet& grid, const LoadProgress& progress)
{
    const auto report = [&](int value) {
        if (progress)
            progress(value);
    };
    ReportState& state = reportState();
    ReadRptIndex();
    const bool dataReport = state.ReportType == DataReport;
    if (dataReport)
        GetSqlInfo();
    LoadPageSettings();
    report(10);
    if (dataReport) {
        CheckReportTables(state.TablesName);
        DealSQlOrder(state.SqlOrder);
        report(20);
    }
    report(30);
    LoadAllFormats(grid);
    report(40);
    LoadRptData(grid);
    report(50);
    if (dataReport)
        LoadRegions(grid);
}

} // namespace store
