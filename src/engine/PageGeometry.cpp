#include "engine/PageGeometry.h"

#include "engine/EngineState.h"
#include "engine/StoredSizes.h"
#include "engine/WholeNumbers.h"
#include "platform/grid/GridTypes.h"
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

RecordsOnPage recordsOnPage(const store::ReportDefinition& definition, int designPaperHeight)
{
    const store::PageSettings& page = definition.page;
    if (page.DataRows != store::keywords::DataRowsFixMode
        && page.DataRows != store::keywords::DataRowsAutoMode)
        return { fitInt16(page.DataRows), std::nullopt };
    using platform::grid::kTwipsPerInch;
    const double available = designPaperHeight - page.TopMarge * kTwipsPerInch
        - page.BottomMarge * kTwipsPerInch - LoadRowHeights(definition);
    const int recordsPerPage = fitInt16(wholeQuotient(roundInt32(available), GetRowsHeight(definition)));
    return { recordsPerPage, roundInt16(available) };
}

PageSheetSize pageSheetSize(const store::ReportDefinition& definition, int recordsPerPage)
{
    const store::PageSettings& page = definition.page;
    const int cols = fitInt16(page.ColCount + 1LL);
    return { fitInt16((recordsPerPage - 1LL) * detailRowCount(definition) + page.RowCount + 2), cols };
}

int detailRowCount(const store::ReportDefinition& definition)
{
    const store::ReportRegion& band = definition.regions[store::RegionEntry::DataDetail];
    return std::max(band.endRow - band.beginRow + 1, 1);
}

bool GetDataCountInPage(DataReportRun& run)
{
    platform::outside::runLogged("GetDataCountInPage", [&run] {
        const RecordsOnPage records = recordsOnPage(run.definition(), run.DesignPaperHeight);
        run.RecordsPerPage = records.recordsPerPage;
        if (records.freeHeight)
            run.FreeHeight = *records.freeHeight;
    });
    if (run.RecordsPerPage >= 1)
        return true;
    store::NoticeUser(NoRecordOnPage);
    return false;
}

void GetPageRowCount(DataReportRun& run)
{
    const PageSheetSize sheet = pageSheetSize(run.definition(), run.RecordsPerPage);
    run.PageSheetCols = sheet.cols;
    run.PageSheetRows = sheet.rows;
}

int GetDetailRowCount(const DataReportRun& run)
{
    return detailRowCount(run.definition());
}

} // namespace engine
