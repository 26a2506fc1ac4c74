#include "engine/AutoRows.h"

#include "engine/CellTextFit.h"
#include "engine/ColumnTotals.h"
#include "engine/EngineState.h"
#include "engine/GrowingSearch.h"
#include "engine/PageBuilder.h"
#include "engine/PageGeometry.h"
#include "engine/PageLayout.h"
#include "engine/PagePictures.h"
#include "engine/TemplateRows.h"
#include "platform/db/Recordset.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/TextMeasure.h"
#include "store/UserNotice.h"

#include <algorithm>
#include <vector>

namespace engine
{

namespace
{

// Texts keep a little room from the sides of their cells.
constexpr int TextSideRoomTwips = 60;

struct CursorPlace {
    bool atEnd = false;
    int position = 0;
};

// What the look-ahead of one record changes besides the data's position: undone when the record is
// pushed back to the next page.
struct LookAhead {
    bool groupBreak = false;
    int rowPositionFlag = 0;
    std::vector<CursorPlace> subQueries;

    static LookAhead save(const DataReportRun& run)
    {
        LookAhead state { run.GroupBreak, run.RowPositionFlag, {} };
        for (const auto& rows : run.CellRecordsets)
            state.subQueries.push_back(rows && rows->isOpen()
                    ? CursorPlace { rows->eof(), rows->absolutePosition() }
                    : CursorPlace {});
        return state;
    }

    void restore(DataReportRun& run) const
    {
        run.GroupBreak = groupBreak;
        run.RowPositionFlag = rowPositionFlag;
        for (std::size_t i = 0; i < subQueries.size() && i < run.CellRecordsets.size(); ++i) {
            platform::db::Recordset* rows = run.CellRecordsets[i].get();
            if (!rows || !rows->isOpen() || rows->recordCount() == 0)
                continue;
            if (subQueries[i].atEnd) {
                rows->moveLast();
                rows->moveNext();
            } else if (subQueries[i].position > 0) {
                rows->setAbsolutePosition(subQueries[i].position);
            }
        }
    }
};

int firstBlockPageRow(const DataReportRun& run)
{
    return CurrentDetailBand(run).beginRow + 1;
}

void wrapRows(const DataReportRun& run, platform::grid::Sheet& grid, int firstRow, int lastRow)
{
    platform::grid::CellFormat wrap;
    wrap.wrapText = true;
    grid.applyFormat({ firstRow, 1, lastRow, run.PageSheetCols }, wrap);
}

// A further block below the last one, looking like the template's first block.
void insertBlock(DataReportRun& run, platform::grid::Sheet& grid, int page, int block)
{
    const int blockRows = GetDetailRowCount(run);
    const int firstRow = DetailSheetRow(run, page, block, firstBlockPageRow(run));
    const int modelRow = DetailSheetRow(run, page, 1, firstBlockPageRow(run));
    grid.insertRows(firstRow, blockRows);
    for (int i = 0; i < blockRows; ++i)
        grid.copyRowFormats(modelRow + i, firstRow + i, firstRow + i);
    run.PageRowRanges[page].lastRow += blockRows;
}

void fitBlockRows(const DataReportRun& run, platform::grid::Sheet& grid, int firstRow, int lastRow)
{
    for (int row = firstRow; row <= lastRow; ++row) {
        const int height = FittedRowHeight(run, grid, row);
        if (height > 0)
            grid.setRowHeight(row, height);
    }
}

long long rowsHeight(const platform::grid::Sheet& grid, int firstRow, int lastRow)
{
    long long height = 0;
    for (int row = firstRow; row <= lastRow; ++row)
        height += grid.rowHeight(row);
    return height;
}

void forgetGatheredTotals(DataReportRun& run)
{
    for (ReportCellItem& total : run.TotalCells)
        total.totalRows.clear();
}

void tellOversizedRecord(DataReportRun& run)
{
    if (run.OversizedRecordTold)
        return;
    run.OversizedRecordTold = true;
    store::WarnUser(
        QStringLiteral("报表第%1页的第一条记录超过纸张可容纳的高度，该页将超出纸张！").arg(run.AbsolutePage));
}

} // namespace

void FillDetailRowsAuto(DataReportRun& run, platform::grid::Sheet& grid, int page)
{
    platform::db::Recordset& data = *run.ReportDataRs;
    const int blockRows = GetDetailRowCount(run);
    const int detailTop = DetailSheetRow(run, page, 1, firstBlockPageRow(run));
    int blocks = run.RecordsPerPage;
    int placed = 0;
    while (!data.eof()) {
        const int block = placed + 1;
        if (block > blocks) {
            insertBlock(run, grid, page, block);
            ++blocks;
        }
        const int blockTop = DetailSheetRow(run, page, block, firstBlockPageRow(run));
        const int blockBottom = blockTop + blockRows - 1;
        const LookAhead before = LookAhead::save(run);
        wrapRows(run, grid, blockTop, blockBottom);
        ReadNextRecord(run);
        const int lastRow = FillDetailBlock(run, grid, page, block);
        fitBlockRows(run, grid, blockTop, blockBottom);
        if (rowsHeight(grid, detailTop, blockBottom) > run.FreeHeight) {
            if (placed > 0) {
                forgetGatheredTotals(run);
                data.movePrevious();
                before.restore(run);
                break;
            }
            tellOversizedRecord(run);
        }
        AddUpRecordTotals(run, grid, lastRow);
        PlaceDetailPictures(run, grid, page, block);
        ++run.RecordCounter;
        placed = block;
        if (data.eof() || run.GroupBreak)
            break;
    }
    if (blocks > placed) {
        const int emptyRows = (blocks - placed) * blockRows;
        grid.deleteRows(DetailSheetRow(run, page, placed + 1, firstBlockPageRow(run)), emptyRows);
        run.PageRowRanges[page].lastRow -= emptyRows;
    }
}

int FittedRowHeight(const DataReportRun& run, const platform::grid::Sheet& grid, int row)
{
    int height = 0;
    const int lastCol = std::max(run.PageSheetCols, 1);
    for (int col = 1; col <= lastCol; ++col) {
        const auto block = grid.mergedBlockAt(row, col);
        if (block && (block->row1 != row || block->col1 != col))
            continue;
        const QString text = grid.text(row, col);
        if (text.isEmpty())
            continue;
        const platform::grid::TextFont font = platform::grid::fontOf(grid.format(row, col));
        const int width = std::max(CellWidth(grid, row, col) - TextSideRoomTwips, 1);
        const int lineHeight = platform::grid::measureTextTwips(QStringLiteral("X"), font).height();
        height = std::max(height, WrappedLineCount(text, font, width) * lineHeight);
    }
    return height > 0 ? height + AutoRowPaddingTwips : 0;
}

int WrappedLineCount(const QString& text, const platform::grid::TextFont& font, int width)
{
    int lines = 0;
    for (const QString& paragraph :
        QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n')) {
        lines += WrappedParagraphLines(paragraph, width, [&](QStringView piece) {
            return platform::grid::measureTextTwips(piece.toString(), font).width();
        });
    }
    return std::max(lines, 1);
}

int WrappedParagraphLines(QStringView paragraph, int width, const std::function<int(QStringView)>& widthOf)
{
    int lines = 0;
    qsizetype start = 0;
    do {
        // The longest piece from `start` on that fits the width; at least one character.
        const qsizetype rest = paragraph.size() - start;
        const long long tooWide = FirstHolding(
            2, rest, [&](long long length) { return widthOf(paragraph.mid(start, length)) > width; });
        start += tooWide - 1;
        ++lines;
    } while (start < paragraph.size());
    return lines;
}

} // namespace engine
