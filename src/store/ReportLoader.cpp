#include "store/ReportLoader.h"

#include "platform/db/Recordset.h"
#include "platform/Error.h"
#include "store/CellContentStore.h"
#include "store/DefinitionCheck.h"
#include "store/DefinitionReader.h"
#include "store/DesignGrid.h"
#include "store/FormatLoader.h"
#include "store/OrderRewrite.h"
#include "store/PageSettings.h"
#include "store/RegionRows.h"
#include "store/ReportDefinition.h"
#include "store/ReportState.h"
#include "store/SqlPieces.h"
#include "store/StoreSql.h"

namespace store
{

namespace
{

bool reportHasRows(const QString& table)
{
    return openReportRows(table, reportState().ReportId)->recordCount() != 0;
}

} // namespace

bool ReportInfoExists()
{
    return reportHasRows(QStringLiteral("report_info"));
}

bool ReportIndexExists()
{
    return reportHasRows(QStringLiteral("report_index"));
}

std::shared_ptr<const ReportDefinition> OpenReportInDesigner(
    platform::grid::Sheet& grid, const LoadProgress& progress)
{
    const auto report = [&](int value) {
        if (progress)
            progress(value);
    };
    ReportState& state = reportState();
    const auto definition = ReadReportDefinition(state.ReportId);
    if (!definition->indexed)
        return nullptr;
    if (!definition->unreadable.isEmpty())
        throw platform::Error(platform::errors::InvalidArgument, QStringLiteral("OpenReportInDesigner"),
            definition->unreadable.first());
    ApplyReportIdentity(*definition);
    const bool dataReport = isDataReport();
    if (dataReport)
        static_cast<SqlPieces&>(state) = definition->sql;
    LoadPageSettings(*definition);
    report(10);
    if (dataReport) {
        CheckReportTables(state.TablesName);
        DealSQlOrder(state.SqlOrder);
        report(20);
    }
    report(30);
    LoadAllFormats(grid, *definition);
    report(40);
    LoadRptData(grid, *definition);
    report(50);
    if (dataReport) {
        LogUnknownRegionLevels(*definition);
        LoadRegions(grid, *definition);
    }
    return definition;
}

} // namespace store
