#include "engine/PageLayout.h"

#include "engine/EngineState.h"
#include "engine/PageGeometry.h"
#include "engine/TemplateRows.h"
#include "store/ReportDefinition.h"

namespace engine
{

bool IsAutoRows()
{
    return reportDefinition().page.DataRows == store::keywords::DataRowsAutoMode;
}

int PageOffset(int page)
{
    const DataEngineState& engine = dataEngine();
    if (page >= 0 && page < engine.PageRowRanges.size())
        return engine.PageRowRanges[page].firstRow - 1;
    return page * engine.PageSheetRows;
}

int DetailBlocksOnPage(int page)
{
    const DataEngineState& engine = dataEngine();
    if (!IsAutoRows() || page < 0 || page >= engine.PageRowRanges.size())
        return engine.RecordsPerPage;
    const PageRowRange& range = engine.PageRowRanges[page];
    const int extraRows = range.lastRow - range.firstRow + 1 - engine.PageSheetRows;
    return engine.RecordsPerPage + extraRows / GetDetailRowCount();
}

int SheetRowOfPageRow(int page, int pageRow)
{
    const DataEngineState& engine = dataEngine();
    const DetailBand band = CurrentDetailBand();
    const int blockRows = GetDetailRowCount();
    const int lastLaidDetailRow = band.endRow + 1 + (engine.RecordsPerPage - 1) * blockRows;
    const bool belowBand = band.present && pageRow > lastLaidDetailRow;
    const int moved = belowBand ? (DetailBlocksOnPage(page) - engine.RecordsPerPage) * blockRows : 0;
    return PageOffset(page) + pageRow + moved;
}

int SheetRowOfTemplateRow(int page, int templateRow)
{
    return SheetRowOfPageRow(page, PageRowOfTemplateRow(templateRow));
}

int DetailSheetRow(int page, int block, int firstBlockPageRow)
{
    return PageOffset(page) + firstBlockPageRow + (block - 1) * GetDetailRowCount();
}

} // namespace engine
