#include "engine/PagePipeline.h"

#include "engine/DataRecords.h"
#include "engine/EngineState.h"
#include "engine/FitScale.h"
#include "engine/GroupBreaks.h"
#include "engine/PageCounts.h"
#include "engine/PageGeometry.h"
#include "engine/PaperChecks.h"
#include "engine/PaperSizes.h"
#include "engine/TemplateCells.h"
#include "engine/TemplatePictures.h"
#include "engine/TemplateRows.h"
#include "platform/db/ReadOnlyReads.h"
#include "platform/db/Recordset.h"
#include "platform/outside/FailureLog.h"
#include "store/DefinitionCheck.h"
#include "store/OrderRewrite.h"
#include "store/ReportDefinition.h"
#include "store/ReportState.h"

namespace engine
{

namespace
{

void countPages(DataReportRun& run)
{
    if (run.usesHostRecordset()) {
        if (run.GroupCells.isEmpty())
            GetRecordPageCount(run);
        else
            GetRecordsetPageCountByGroup(run);
    } else if (run.StaticReport) {
        run.TotalPages = 1;
        run.DataRecordCount = 1;
    } else if (!run.definition().regions[store::RegionEntry::GroupHead1].present) {
        GetRecordPageCount(run);
    } else if (!run.DistinctSource) {
        GetRecordPageCountByGroup(run);
    } else {
        GetSqlDataSourcePageCountByGroup(run);
    }
}

// The host's record set is listed whole, whatever record the host left it on.
void startHostDataAtFirstRecord(const DataReportRun& run)
{
    platform::db::Recordset& data = *run.ReportDataRs;
    if (run.usesHostRecordset() && data.isOpen() && data.recordCount() > 0)
        data.moveFirst();
}

// After the page geometry: the data opened, the cell lists built, the records and pages counted.
void openData(DataReportRun& run)
{
    GetPageRowCount(run);
    run.FirstBuild = true;
    run.AbsolutePage = 0;
    CalcPrintScale(run);
    GetDataRecord(run);
    startHostDataAtFirstRecord(run);
    LoadOuterCellData(run);
    GetRptDetailData(run);
    GetRptPicture(run);
    countPages(run);
    run.GroupIndex = 1;
    run.GroupBreak = true;
}

} // namespace

void CheckReportSortOrder(DataReportRun& run)
{
    auto checked = std::make_shared<store::ReportDefinition>(run.definition());
    store::DealSQlOrder(checked->sql.SqlOrder);
    run.useDefinition(std::move(checked));
}

bool CanPrintDataReport(DataReportRun& run)
{
    return CanPreviewDataReport(run) && IsOverPrinterPaper(run);
}

bool CanPreviewDataReport(DataReportRun& run)
{
    return CheckReportDataExists(run.definition()) && store::AcceptReportDefinition(run.definition())
        && !IsOverDesignPaper(run);
}

void PrepareReportData(DataReportRun& run)
{
    platform::db::ReadOnlyReads reads(store::reportState().Connection.get());
    run.resetForPreparation();
    CheckReportSortOrder(run);
    GetPrinterPageSize(run);
    GetRptRowHeight(run);
    if (GetDataCountInPage(run))
        openData(run);
    reads.finish();
}

void GetRptRowHeight(DataReportRun& run)
{
    platform::outside::runLogged("GetRptRowHeight", [&run] { CurrentTemplateRows(run); });
}

void ClearReportData(DataReportRun& run)
{
    if (run.ReportDataRs && run.ReportDataRsIsOwned && run.ReportDataRs->isOpen())
        run.ReportDataRs->close();
    run.ReportDataRs.reset();
    if (run.RecordBufferRs) {
        run.RecordBufferRs->cancelBatch();
        run.RecordBufferRs->close();
    }
    run.TotalCells.clear();
    run.TotalCellColumns.clear();
    for (auto it = run.CellRecordsets.rbegin(); it != run.CellRecordsets.rend(); ++it) {
        if (*it && (*it)->isOpen())
            (*it)->close();
    }
    run.CellRecordsets.clear();
}

} // namespace engine
