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

void countPages()
{
    const store::ReportState& state = store::reportState();
    DataEngineState& engine = dataEngine();
    if (state.UseCallerRecordset) {
        if (engine.GroupCells.isEmpty())
            GetRecordPageCount();
        else
            GetRecordsetPageCountByGroup();
    } else if (engine.StaticReport) {
        engine.TotalPages = 1;
        engine.DataRecordCount = 1;
    } else if (!reportDefinition().regions[store::RegionEntry::GroupHead1].present) {
        GetRecordPageCount();
    } else if (!engine.DistinctSource) {
        GetRecordPageCountByGroup();
    } else {
        GetSqlDataSourcePageCountByGroup();
    }
}

// The host's record set is listed whole, whatever record the host left it on.
void startHostDataAtFirstRecord()
{
    platform::db::Recordset& data = *dataEngine().ReportDataRs;
    if (store::reportState().UseCallerRecordset && data.isOpen() && data.recordCount() > 0)
        data.moveFirst();
}

} // namespace

void UseReportDefinition(std::shared_ptr<const store::ReportDefinition> definition)
{
    DataEngineState& engine = dataEngine();
    engine.Definition = std::move(definition);
    engine.Template.reset();
}

void CheckReportSortOrder()
{
    auto checked = std::make_shared<store::ReportDefinition>(reportDefinition());
    store::DealSQlOrder(checked->sql.SqlOrder);
    UseReportDefinition(std::move(checked));
}

bool CanPrintDataReport()
{
    return CanPreviewDataReport() && IsOverPrinterPaper();
}

bool CanPreviewDataReport()
{
    return CheckReportDataExists() && store::AcceptReportDefinition(reportDefinition())
        && !IsOverDesignPaper();
}

void PrepareReportData()
{
    DataEngineState& engine = dataEngine();
    engine.resetForPreparation();
    CheckReportSortOrder();
    GetPrinterPageSize();
    GetRptRowHeight();
    if (!GetDataCountInPage())
        return;
    GetPageRowCount();
    engine.FirstBuild = true;
    engine.AbsolutePage = 0;
    CalcPrintScale();
    GetDataRecord();
    startHostDataAtFirstRecord();
    LoadOuterCellData();
    GetRptDetailData();
    GetRptPicture();
    countPages();
    engine.GroupIndex = 1;
    engine.GroupBreak = true;
}

void GetRptRowHeight()
{
    platform::outside::runLogged("GetRptRowHeight", [] { CurrentTemplateRows(); });
}

void ClearReportData()
{
    DataEngineState& engine = dataEngine();
    if (engine.ReportDataRs && engine.ReportDataRsIsOwned && engine.ReportDataRs->isOpen())
        engine.ReportDataRs->close();
    engine.ReportDataRs.reset();
    if (engine.RecordBufferRs) {
        engine.RecordBufferRs->cancelBatch();
        engine.RecordBufferRs->close();
    }
    engine.TotalCells.clear();
    for (auto it = engine.CellRecordsets.rbegin(); it != engine.CellRecordsets.rend(); ++it) {
        if (*it && (*it)->isOpen())
            (*it)->close();
    }
    engine.CellRecordsets.clear();
}

} // namespace engine
