#include "engine/PageGeometry.h"

#include "engine/EngineState.h"
#include "engine/StoredSizes.h"
#include "engine/WholeNumbers.h"
#include "platform/outside/FailureLog.h"
#include "store/ReportDefinition.h"
#include "store/UserNotice.h"

#include <algorithm>

namespace engine
{

namespace
{

const QString NoRecordOnPage
    = QStringLiteral("报表每页容纳的记录数小于1（明细行高于纸张或纸张大小为0），不能生成报表！");

} // namespace

bool GetDataCountInPage()
{
    platform::outside::runLogged("GetDataCountInPage", [] {
        const store::PageSettings& page = reportDefinition().page;
        DataEngineState& engine = dataEngine();
        if (page.DataRows != store::keywords::DataRowsFixMode
            && page.DataRows != store::keywords::DataRowsAutoMode) {
            engine.RecordsPerPage = fitInt16(page.DataRows);
            return;
        }
        constexpr double TwipsPerInch = 1440.0;
        const double available = engine.DesignPaperHeight - page.TopMarge * TwipsPerInch
            - page.BottomMarge * TwipsPerInch - LoadRowHeights();
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
    const store::PageSettings& page = reportDefinition().page;
    DataEngineState& engine = dataEngine();
    engine.PageSheetCols = fitInt16(page.ColCount + 1LL);
    engine.PageSheetRows = fitInt16((engine.RecordsPerPage - 1LL) * GetDetailRowCount() + page.RowCount + 2);
}

int GetDetailRowCount()
{
    const store::ReportRegion& band = reportDefinition().regions[store::RegionEntry::DataDetail];
    return std::max(band.endRow - band.beginRow + 1, 1);
}

} // namespace engine
