#include "engine/PageLayout.h"

#include "engine/EngineState.h"
#include "engine/PageGeometry.h"
#include "engine/TemplateRows.h"
#include "store/ReportDefinition.h"

namespace engine
{

bool IsAutoRows(const DataReportRun& run)
{
    return run.definition().page.DataRows == store::keywords::DataRowsAutoMode;
}

int PageOffset(const DataReportRun& run, int page)
{
    if (page >= 0 && page < run.PageRowRanges.size())
        return run.PageRowRanges[page].firstRow - 1;
    return page * run.PageSheetRows;
}

int DetailBlocksOnPage(const DataReportRun& run, int page)
{
    if (!IsAutoRows(run) || page < 0 || page >= run.PageRowRanges.size())
        return run.RecordsPerPage;
    const PageRowRange& range = run.PageRowRanges[page];
    const int extraRows = range.lastRow - range.firstRow + 1 - run.PageSheetRows;
    return run.RecordsPerPage + extraRows / GetDetailRowCount(run);
}

int SheetRowOfPageRow(const DataReportRun& run, int page, int pageRow)
{
    const DetailBand band = CurrentDetailBand(run);
    const int blockRows = GetDetailRowCount(run);
    const int lastLaidDetailRow = band.endRow + 1 + (run.RecordsPerPage - 1) * blockRows;
    const bool belowBand = band.present && pageRow > lastLaidDetailRow;
    const int moved = belowBand ? (DetailBlocksOnPage(run, page) - run.RecordsPerPage) * blockRows : 0;
    return PageOffset(run, page) + pageRow + moved;
}

int SheetRowOfTemplateRow(const DataReportRun& run, int page, int templateRow)
{
    return SheetRowOfPageRow(run, page, PageRowOfTemplateRow(run, templateRow));
}

int DetailSheetRow(const DataReportRun& run, int page, int block, int firstBlockPageRow)
{
    return PageOffset(run, page) + firstBlockPageRow + (block - 1) * GetDetailRowCount(run);
}

} // namespace engine
