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
void clearHeadAndTail(const DataReportRun& run, platform::grid::Sheet& grid, bool reportFirstPage,
    bool reportLastPage, RowOf sheetRow)
{
    const store::RegionTable& regions = run.definition().regions;
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

void fillDetailBlocks(DataReportRun& run, platform::grid::Sheet& grid, int page)
{
    const platform::db::Recordset& data = *run.ReportDataRs;
    for (int block = 1; block <= run.RecordsPerPage; ++block) {
        ReadNextRecord(run);
        AddUpRecordTotals(run, grid, FillDetailBlock(run, grid, page, block));
        PlaceDetailPictures(run, grid, page, block);
        ++run.RecordCounter;
        if (data.eof() || run.GroupBreak)
            break;
    }
}

bool inRegion(const DataReportRun& run, const ReportCellItem& cell, store::RegionEntry entry)
{
    const store::ReportRegion& region = run.definition().regions[entry];
    return region.present && cell.row >= PageRowOfTemplateRow(run, region.beginRow)
        && cell.row <= PageRowOfTemplateRow(run, region.endRow);
}

// A statement of the report tail that does not depend on the record shows on the report's last page
// only: it is evaluated there, once the page knows it is the last.
bool shownAtReportEnd(const DataReportRun& run, const ReportCellItem& cell)
{
    return IsRecordFreeStatement(cell) && inRegion(run, cell, store::RegionEntry::ReportTail);
}

// Such a statement of the report head shows on the report's first page only.
bool shownAtReportStart(const DataReportRun& run, const ReportCellItem& cell)
{
    return IsRecordFreeStatement(cell) && inRegion(run, cell, store::RegionEntry::ReportHead);
}

} // namespace

void FillPageData(DataReportRun& run, platform::grid::Sheet& grid, int page)
{
    const platform::db::Recordset& data = *run.ReportDataRs;
    for (const ReportCellItem& cell : run.HeadCells) {
        if (!shownAtReportEnd(run, cell) && (run.FirstBuild || !shownAtReportStart(run, cell)))
            FillHeadFieldCell(run, cell, grid, page, data);
    }
    PlaceRptPictures(run, grid, page);
    if (!run.GroupCells.isEmpty()) {
        run.GroupValues = QStringList(run.GroupCells.size());
        for (int i = 0; i < run.GroupCells.size(); ++i) {
            FillHeadFieldCell(run, run.GroupCells[i], grid, page, data);
            StoreGroupValue(run, i);
        }
    }
    if (run.GroupBreak)
        run.RecordCounter = 1;
    if (IsAutoRows(run))
        FillDetailRowsAuto(run, grid, page);
    else
        fillDetailBlocks(run, grid, page);
    if (!data.eof())
        return;
    for (const ReportCellItem& cell : run.HeadCells) {
        if (shownAtReportEnd(run, cell))
            FillHeadFieldCell(run, cell, grid, page, data);
    }
}

void FillHeadFieldCell(DataReportRun& run, const ReportCellItem& cell, platform::grid::Sheet& grid, int page,
    const platform::db::Recordset& record)
{
    if (!writesSomething(cell))
        return;
    const int row = SheetRowOfPageRow(run, page, cell.row);
    grid.select(row, cell.col, row, cell.col);
    SetCellDataValue(run, grid, cell, CellContext { &record, page, 0 });
}

void BufferCurrentRecord(DataReportRun& run)
{
    const platform::db::Recordset& data = *run.ReportDataRs;
    if (!run.RecordBufferRs)
        CopyRecordsetStructure(run, data);
    run.RecordBufferRs->setAbsolutePosition(data.absolutePosition());
}

void ReadNextRecord(DataReportRun& run)
{
    BufferCurrentRecord(run);
    platform::db::Recordset& data = *run.ReportDataRs;
    data.moveNext();
    CheckGroupBreak(run, data);
}

int FillDetailBlock(DataReportRun& run, platform::grid::Sheet& grid, int page, int block)
{
    // The block's place on the page is worked out once for all its cells: a cell's sheet row is its page
    // row moved down by `rowOffset`.
    const int rowOffset = DetailSheetRow(run, page, block, 0);
    const int recordPosition = IsAutoRows(run) ? rowOffset + CurrentDetailBand(run).beginRow + 1 : block;
    const CellContext context { run.RecordBufferRs.get(), page, recordPosition };
    int row = 0;
    for (const ReportCellItem& cell : run.DetailCells) {
        if (cell.row <= 0 || cell.col <= 0)
            continue;
        const int sheetRow = rowOffset + cell.row;
        grid.select(sheetRow, cell.col, sheetRow, cell.col);
        SetCellDataValue(run, grid, cell, context);
        GatherTotalRow(run, cell.col, sheetRow);
        row = sheetRow;
    }
    return row;
}

void AddUpRecordTotals(DataReportRun& run, const platform::grid::Sheet& grid, int row)
{
    for (int t = 0; t < run.TotalCells.size(); ++t)
        AddUpColumnTotals(run, grid, t, row);
}

void HandleRptHeadTail(const DataReportRun& run, platform::grid::Sheet& grid, int page, bool reportFirstPage,
    bool reportLastPage)
{
    clearHeadAndTail(run, grid, reportFirstPage, reportLastPage,
        [&run, page](int templateRow) { return SheetRowOfTemplateRow(run, page, templateRow); });
}

void ClearTemplateHeadTail(
    const DataReportRun& run, platform::grid::Sheet& grid, bool reportFirstPage, bool reportLastPage)
{
    clearHeadAndTail(run, grid, reportFirstPage, reportLastPage,
        [&run](int templateRow) { return PageRowOfTemplateRow(run, templateRow); });
}

void PasteFormat(DataReportRun& run, int page)
{
    platform::outside::runLogged("PasteFormat",
        [&run, page] { run.PageFirstRow = page == 0 ? 0 : run.PageRowRanges.at(page - 1).lastRow; });
}

void ClearBatchSheet(platform::grid::Sheet& grid)
{
    for (const int id : grid.objectIds())
        grid.deleteObject(id);
    grid.setMaxRow(1);
    grid.clearRange({ 1, 1, 1, grid.maxCol() }, platform::grid::ClearWhat::All);
}

void SetPagePrintArea(const DataReportRun& run, platform::grid::Sheet& grid)
{
    QStringList pieces;
    QList<int> pageStarts;
    for (const PageRowRange& range : run.PageRowRanges) {
        pieces.append(
            platform::grid::rangeText({ range.firstRow, 1, range.lastRow, run.PageSheetCols }, true));
        pageStarts.append(range.firstRow);
    }
    grid.setPrintArea(pieces.join(u','));
    grid.setRowPageBreaks(pageStarts);
}

} // namespace engine
