#include "engine/PageGeometry.h"

#include "engine/EngineState.h"
#include "engine/StoredSizes.h"
#include "engine/WholeNumbers.h"
#include "platform/db/Recordset.h"
#include "platform/outside/FailureLog.h"
#include "store/RegionRows.h"
#include "store/ReportKeywords.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"
#include "store/UserNotice.h"

#include <algorithm>

namespace engine
{

namespace
{

const QString NoRecordOnPage
    = QStringLiteral("报表每页容纳的记录数小于1（明细行高于纸张或纸张大小为0），不能生成报表！");

} // namespace

void GetRptRegionInfo()
{
    platform::outside::runLogged("GetRptRegionInfo", [] {
        const auto rows = store::openStoreSql(QStringLiteral("select * from report_info where report_id =")
            + store::reportIdLiteral()
            + QStringLiteral(" and info_type in ('REPORT_HEAD', 'REPORT_TAIL', 'PAGE_HEAD', 'PAGE_TAIL',"
                             "'GROUP_HEAD', 'GROUP_TAIL', 'DATA_DETAIL')"));
        store::ClearRegions();
        for (rows->moveFirst(); !rows->eof(); rows->moveNext()) {
            store::ParseRegionInfo(rows->text(QStringLiteral("info_type")),
                rows->text(QStringLiteral("info_description")),
                storedInt16(rows->text(QStringLiteral("info_order"))));
        }
    });
}

bool GetDataCountInPage()
{
    platform::outside::runLogged("GetDataCountInPage", [] {
        const store::ReportState& state = store::reportState();
        DataEngineState& engine = dataEngine();
        if (state.DataRows != store::keywords::DataRowsFixMode
            && state.DataRows != store::keywords::DataRowsAutoMode) {
            engine.RecordsPerPage = fitInt16(state.DataRows);
            return;
        }
        constexpr double TwipsPerInch = 1440.0;
        const double available = engine.DesignPaperHeight - state.TopMarge * TwipsPerInch
            - state.BottomMarge * TwipsPerInch - LoadRowHeights();
        const int recordsPerPage = fitInt16(wholeQuotient(roundInt32(available), GetRowsHeight()));
        const int freeHeight = roundInt16(available);
        engine.RecordsPerPage = recordsPerPage;
        engine.FreeHeight = freeHeight;
    });
    if (dataEngine().RecordsPerPage >= 1)
        return true;
    store::NoticeUser(NoRecordOnPage);
    return false;
}

void GetPageRowCount()
{
    const store::ReportState& state = store::reportState();
    DataEngineState& engine = dataEngine();
    engine.PageSheetCols = fitInt16(state.ColCount + 1LL);
    engine.PageSheetRows = fitInt16((engine.RecordsPerPage - 1LL) * GetDetailRowCount() + state.RowCount + 2);
}

int GetDetailRowCount()
{
    const store::ReportRegion& band = store::reportState().RegionTable[store::RegionEntry::DataDetail];
    return std::max(band.endRow - band.beginRow + 1, 1);
}

} // namespace engine
