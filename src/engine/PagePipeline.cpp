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
#include "store/PageSettings.h"
#include "store/ReportLookups.h"
#include "store/ReportState.h"
#include "store/SqlPieces.h"

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
    } else if (!state.RegionTable[store::RegionEntry::GroupHead1].present) {
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

bool CanPrintDataReport()
{
    return CanPreviewDataReport() && IsOverPrinterPaper();
}

bool CanPreviewDataReport()
{
    if (!CheckReportDataExists() || !store::AcceptReportDefinition())
        return false;
    store::LoadPageSettings();
    return !IsOverDesignPaper();
}

void PrepareReportData()
{
    DataEngineState& engine = dataEngine();
    store::ReportState& state = store::reportState();
    engine.resetForPreparation();
    store::ReadRptIndex();
    store::GetSqlInfo();
    GetRptRegionInfo();
    store::DealSQlOrder(state.SqlOrder);
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
