#include "engine/TemplateFormats.h"

#include "engine/EngineState.h"
#include "engine/PageGeometry.h"
#include "engine/WholeNumbers.h"
#include "platform/grid/Sheet.h"
#include "platform/outside/FailureLog.h"
#include "store/ReportDefinition.h"

#include <algorithm>

namespace engine
{

namespace
{

struct RowSpan {
    int first = 0;
    int last = 0;
};

bool isCellFormat(const TemplateFormatRow& row)
{
    return row.format != platform::grid::CellFormat {} && row.beginRow > 0 && row.endRow >= row.beginRow
        && row.beginCol > 0 && row.endCol >= row.beginCol;
}

int pageOffset(const DataReportRun& run, bool atSheetTop)
{
    return atSheetTop ? 0 : run.PageFirstRow;
}

// A failing rectangle (one that would cut a merged block) is logged and the others still apply.
void applyFormat(platform::grid::Sheet& grid, const platform::grid::CellRange& range,
    const platform::grid::CellFormat& format, const char* procedure)
{
    platform::outside::runLogged(procedure, [&] { grid.applyFormat(range, format); });
}

// First sheet row of page `page` (from 1) of the build, less one.
int buildPageOffset(const DataReportRun& run, int page)
{
    if (run.definition().page.DataRows != store::keywords::DataRowsAutoMode)
        return (page - 1) * run.PageSheetRows;
    const int previous = page - 2;
    return previous >= 0 && previous < run.PageRowRanges.size() ? run.PageRowRanges[previous].lastRow : 0;
}

} // namespace

void LoadColWidthFormat(DataReportRun& run, platform::grid::Sheet& grid)
{
    const double scale = run.ScaleX;
    for (const TemplateFormatRow& row : CurrentTemplateRows(run).formats) {
        if (row.kind != store::keywords::ColWidth)
            continue;
        for (const SizeItem& item : row.sizes) {
            if (item.index >= 1)
                grid.setColWidth(item.index, roundInt16(item.twips * scale));
        }
    }
}

void LoadOuterFormats(DataReportRun& run, platform::grid::Sheet& grid, bool atSheetTop)
{
    const DetailBand band = CurrentDetailBand(run);
    const int offset = pageOffset(run, atSheetTop);
    for (const TemplateFormatRow& row : CurrentTemplateRows(run).formats) {
        if (!isCellFormat(row))
            continue;
        QList<RowSpan> parts;
        if (!band.present) {
            parts.append({ row.beginRow, row.endRow });
        } else {
            if (row.beginRow < band.beginRow)
                parts.append({ row.beginRow, std::min(row.endRow, band.beginRow - 1) });
            if (row.endRow > band.endRow)
                parts.append({ std::max(row.beginRow, band.endRow + 1), row.endRow });
        }
        for (const RowSpan& part : parts) {
            applyFormat(grid,
                { PageRowOfTemplateRow(run, part.first) + offset, row.beginCol,
                    PageRowOfTemplateRow(run, part.last) + offset, row.endCol },
                row.format, "LoadOuterFormats");
        }
    }
}

void LoadRegionFormats(DataReportRun& run, platform::grid::Sheet& grid, bool atSheetTop)
{
    const DetailBand band = CurrentDetailBand(run);
    if (!band.present)
        return;
    QList<const TemplateFormatRow*> inBand;
    for (const TemplateFormatRow& row : CurrentTemplateRows(run).formats) {
        if (isCellFormat(row) && row.beginRow <= band.endRow && row.endRow >= band.beginRow)
            inBand.append(&row);
    }
    const int blockRows = GetDetailRowCount(run);
    const int offset = pageOffset(run, atSheetTop);
    for (int block = 0; block < run.RecordsPerPage; ++block) {
        const int shift = 1 + block * blockRows + offset;
        for (const TemplateFormatRow* row : inBand) {
            applyFormat(grid,
                { std::max(row->beginRow, band.beginRow) + shift, row->beginCol,
                    std::min(row->endRow, band.endRow) + shift, row->endCol },
                row->format, "LoadRegionFormats");
        }
    }
}

void ApplyRowHeights(const DataReportRun& run, platform::grid::Sheet& grid, const QList<SizeItem>& items,
    int page, bool totalRowsShown)
{
    const DetailBand band = CurrentDetailBand(run);
    const int blockRows = GetDetailRowCount(run);
    const int offset = buildPageOffset(run, page);
    for (const SizeItem& item : items) {
        if (item.index < 1)
            continue;
        if (band.contains(item.index)) {
            const int height = roundInt16(item.twips * run.DetailScale);
            for (int block = 0; block < run.RecordsPerPage; ++block)
                grid.setRowHeight(item.index + 1 + offset + block * blockRows, height);
            continue;
        }
        const int pageRow = PageRowOfTemplateRow(run, item.index);
        const bool hidden = !totalRowsShown && IsRowInCellList(run, pageRow);
        grid.setRowHeight(pageRow + offset, hidden ? 0 : roundInt16(item.twips * run.ScaleY));
    }
}

bool IsRowInCellList(const DataReportRun& run, int pageRow)
{
    const auto& totals = run.TotalCells;
    return std::any_of(
        totals.begin(), totals.end(), [pageRow](const ReportCellItem& cell) { return cell.row == pageRow; });
}

} // namespace engine
