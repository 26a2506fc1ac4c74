#include "engine/PageBuilder.h"

#include "engine/AutoRows.h"
#include "engine/CellValues.h"
#include "engine/ColumnTotals.h"
#include "engine/DataRecords.h"
#include "engine/EngineState.h"
#include "engine/GroupBreaks.h"
#include "engine/PageLayout.h"
#include "engine/PagePictures.h"
#include "engine/TemplateRows.h"
#include "platform/db/Recordset.h"
#include "platform/grid/Sheet.h"
#include "platform/outside/FailureLog.h"
#include "store/ReportDefinition.h"

#include <QStringList>

namespace engine
{

namespace
{

bool writesSomething(const ReportCellItem& cell)
{
    return !cell.text.isEmpty() && cell.row > 0 && cell.col > 0;
}

// Clears (values and formats, columns 2 on) the report head unless the page is the report's first,
// and the report tail unless it is its last; `sheetRow` places a template row on the page.
template <class RowOf>
void clearHeadAndTail(platform::grid::Sheet& grid, bool reportFirstPage, bool reportLastPage, RowOf sheetRow)
{
    const store::RegionTable& regions = reportDefinition().regions;
    const auto clear = [&](store::RegionEntry entry) {
        const store::ReportRegion& region = regions[entry];
        if (!region.present)
            return;
        platform::outside::runLogged("HandleRptHeadTail", [&] {
            grid.clearRange({ sheetRow(region.beginRow), 2, sheetRow(region.endRow), grid.maxCol() },
                platform::grid::ClearWhat::All);
        });
    };
    if (!reportFirstPage)
        clear(store::RegionEntry::ReportHead);
    if (!reportLastPage)
        clear(store::RegionEntry::ReportTail);
}

void fillDetailBlocks(platform::grid::Sheet& grid, int page)
{
    DataEngineState& engine = dataEngine();
    const platform::db::Recordset& data = *engine.ReportDataRs;
    for (int block = 1; block <= engine.RecordsPerPage; ++block) {
        ReadNextRecord();
        AddUpRecordTotals(grid, FillDetailBlock(grid, page, block));
        PlaceDetailPictures(grid, page, block);
        ++engine.RecordCounter;
        if (data.eof() || engine.GroupBreak)
            break;
    }
}

bool inRegion(const ReportCellItem& cell, store::RegionEntry entry)
{
    const store::ReportRegion& region = reportDefinition().regions[entry];
    return region.present && cell.row >= PageRowOfTemplateRow(region.beginRow)
        && cell.row <= PageRowOfTemplateRow(region.endRow);
}

// A statement of the report tail that does not depend on the record shows on the report's last page
// only: it is evaluated there, once the page knows it is the last.
bool shownAtReportEnd(const ReportCellItem& cell)
{
    return IsRecordFreeStatement(cell) && inRegion(cell, store::RegionEntry::ReportTail);
}

// Such a statement of the report head shows on the report's first page only.
bool shownAtReportStart(const ReportCellItem& cell)
{
    return IsRecordFreeStatement(cell) && inRegion(cell, store::RegionEntry::ReportHead);
}

} // namespace

void FillPageData(platform::grid::Sheet& grid, int page)
{
    DataEngineState& engine = dataEngine();
    const platform::db::Recordset& data = *engine.ReportDataRs;
    for (const ReportCellItem& cell : engine.HeadCells) {
        if (!shownAtReportEnd(cell) && (engine.FirstBuild || !shownAtReportStart(cell)))
            FillHeadFieldCell(cell, grid, page, data);
    }
    PlaceRptPictures(grid, page);
    if (!engine.GroupCells.isEmpty()) {
        engine.GroupValues = QStringList(engine.GroupCells.size());
        for (int i = 0; i < engine.GroupCells.size(); ++i) {
            FillHeadFieldCell(engine.GroupCells[i], grid, page, data);
            StoreGroupValue(i);
        }
    }
    if (engine.GroupBreak)
        engine.RecordCounter = 1;
    if (IsAutoRows())
        FillDetailRowsAuto(grid, page);
    else
        fillDetailBlocks(grid, page);
    if (!data.eof())
        return;
    for (const ReportCellItem& cell : engine.HeadCells) {
        if (shownAtReportEnd(cell))
            FillHeadFieldCell(cell, grid, page, data);
    }
}

void FillHeadFieldCell(
    const ReportCellItem& cell, platform::grid::Sheet& grid, int page, const platform::db::Recordset& record)
{
    if (!writesSomething(cell))
        return;
    const int row = SheetRowOfPageRow(page, cell.row);
    grid.select(row, cell.col, row, cell.col);
    SetCellDataValue(grid, cell, CellContext { &record, page, 0 });
}

void FillDetailCell(const ReportCellItem& cell, platform::grid::Sheet& grid, int page, int block,
    const platform::db::Recordset& record, int& row)
{
    if (cell.row <= 0 || cell.col <= 0)
        return;
    const int sheetRow = DetailSheetRow(page, block, cell.row);
    grid.select(sheetRow, cell.col, sheetRow, cell.col);
    const int firstBlockRow = CurrentDetailBand().beginRow + 1;
    const int recordPosition = IsAutoRows() ? DetailSheetRow(page, block, firstBlockRow) : block;
    SetCellDataValue(grid, cell, CellContext { &record, page, recordPosition });
    row = sheetRow;
}

void BufferCurrentRecord()
{
    DataEngineState& engine = dataEngine();
    const platform::db::Recordset& data = *engine.ReportDataRs;
    if (!engine.RecordBufferRs)
        CopyRecordsetStructure(data);
    engine.RecordBufferRs->setAbsolutePosition(data.absolutePosition());
}

void ReadNextRecord()
{
    BufferCurrentRecord();
    platform::db::Recordset& data = *dataEngine().ReportDataRs;
    data.moveNext();
    CheckGroupBreak(data);
}

int FillDetailBlock(platform::grid::Sheet& grid, int page, int block)
{
    const DataEngineState& engine = dataEngine();
    const QVector<int> totalColumns = TotalColumns();
    int row = 0;
    for (const ReportCellItem& cell : engine.DetailCells) {
        int written = 0;
        FillDetailCell(cell, grid, page, block, *engine.RecordBufferRs, written);
        if (written > 0) {
            GatherTotalRow(totalColumns, cell.col, written);
            row = written;
        }
    }
    return row;
}

void AddUpRecordTotals(const platform::grid::Sheet& grid, int row)
{
    for (int t = 0; t < dataEngine().TotalCells.size(); ++t)
        AddUpColumnTotals(grid, t, row);
}

void HandleRptHeadTail(platform::grid::Sheet& grid, int page, bool reportFirstPage, bool reportLastPage)
{
    clearHeadAndTail(grid, reportFirstPage, reportLastPage,
        [page](int templateRow) { return SheetRowOfTemplateRow(page, templateRow); });
}

void ClearTemplateHeadTail(platform::grid::Sheet& grid, bool reportFirstPage, bool reportLastPage)
{
    clearHeadAndTail(grid, reportFirstPage, reportLastPage, PageRowOfTemplateRow);
}

void PasteFormat(int page)
{
    platform::outside::runLogged("PasteFormat", [page] {
        DataEngineState& engine = dataEngine();
        engine.PageFirstRow = page == 0 ? 0 : engine.PageRowRanges.at(page - 1).lastRow;
        engine.PageLastRow = engine.PageFirstRow + engine.PageSheetRows;
    });
}

void ClearBatchSheet(platform::grid::Sheet& grid)
{
    for (const int id : grid.objectIds())
        grid.deleteObject(id);
    grid.setMaxRow(1);
    grid.clearRange({ 1, 1, 1, grid.maxCol() }, platform::grid::ClearWhat::All);
}

void SetPagePrintArea(platform::grid::Sheet& grid)
{
    const DataEngineState& engine = dataEngine();
    QStringList pieces;
    QList<int> pageStarts;
    for (const PageRowRange& range : engine.PageRowRanges) {
        pieces.append(
            platform::grid::rangeText({ range.firstRow, 1, range.lastRow, engine.PageSheetCols }, true));
        pageStarts.append(range.firstRow);
    }
    grid.setPrintArea(pieces.join(u','));
    grid.setRowPageBreaks(pageStarts);
}

} // namespace engine
