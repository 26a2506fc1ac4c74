#include "store/GridScan.h"

#include "platform/grid/Sheet.h"
#include "store/FormatProperties.h"
#include "store/ReportKeywords.h"
#include "store/ReportState.h"
#include "store/SizeLists.h"
#include "store/StoreSql.h"

#include <vector>

namespace store
{

using platform::grid::CellRange;

namespace
{

// The done flag of every cell of the block, so that a merged area is handled once.
class DoneCells
{
public:
    explicit DoneCells(const CellRange& block)
        : block_(block)
        , done_(size_t(block.rowCount()) * size_t(block.colCount()), false)
    {
    }
    bool isDone(int row, int col) const { return done_[index(row, col)]; }
    void markDone(const CellRange& range)
    {
        for (int row = std::max(range.row1, block_.row1); row <= std::min(range.row2, block_.row2); ++row) {
            for (int col = std::max(range.col1, block_.col1); col <= std::min(range.col2, block_.col2); ++col)
                done_[index(row, col)] = true;
        }
    }

private:
    size_t index(int row, int col) const
    {
        return size_t(row - block_.row1) * size_t(block_.colCount()) + size_t(col - block_.col1);
    }
    CellRange block_;
    std::vector<bool> done_;
};

} // namespace

QList<CellRange> scanRanges(
    const platform::grid::Sheet& grid, int firstRow, int firstCol, int lastRow, int lastCol)
{
    QList<CellRange> ranges;
    if (firstRow > lastRow || firstCol > lastCol)
        return ranges;
    const CellRange block { firstRow, firstCol, lastRow, lastCol };
    DoneCells done(block);
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int col = firstCol; col <= lastCol; ++col) {
            if (done.isDone(row, col))
                continue;
            const CellRange range = grid.mergedBlockAt(row, col).value_or(CellRange::cell(row, col));
            ranges.append(range);
            done.markDone(range);
        }
    }
    return ranges;
}

void FormatRowWriter::UpdateFormatToDB(const CellRange& range, const QString& kind, const QString& text)
{
    if (text.isEmpty())
        return;
    executeStoreSql(QStringLiteral("insert into report_format(report_id,format_order,begin_row_no,begin_col_no,"
                                   "end_row_no,end_col_no,format_type,format_description) values(?,?,?,?,?,?,?,?)"),
        { reportState().ReportId, FormatOrderCounter, range.row1, range.col1, range.row2, range.col2, kind, text });
    ++FormatOrderCounter;
}

void FormatRowWriter::InsertRowFormat(const QString& kind, const QString& list, int beginRow, int endRow)
{
    executeStoreSql(QStringLiteral("insert into report_format(report_id,format_order,format_type,"
                                   "format_description,begin_row_no,end_row_no) values(?,?,?,?,?,?)"),
        { reportState().ReportId, FormatOrderCounter, kind, list, beginRow, endRow });
    ++FormatOrderCounter;
}

void FormatRowWriter::InsertColFormat(const QString& kind, const QString& list)
{
    executeStoreSql(QStringLiteral("insert into report_format(report_id,format_order,format_type,"
                                   "format_description) values(?,?,?,?)"),
        { reportState().ReportId, FormatOrderCounter, kind, list });
    ++FormatOrderCounter;
}

void SaveColWidth(FormatRowWriter& writer, const platform::grid::Sheet& grid, int firstCol, int lastCol)
{
    for (const SizeListChunk& chunk :
        sizeListChunks(firstCol, lastCol, [&](int col) { return grid.colWidth(col); }))
        writer.InsertColFormat(keywords::ColWidth, chunk.list);
}

void SaveRowHeight(FormatRowWriter& writer, const platform::grid::Sheet& grid, int firstRow, int lastRow)
{
    for (const SizeListChunk& chunk :
        sizeListChunks(firstRow, lastRow, [&](int row) { return grid.rowHeight(row); }))
        writer.InsertRowFormat(keywords::RowHeight, chunk.list, chunk.first, chunk.last);
}

void GetFormatProperty(FormatRowWriter& writer, const platform::grid::Sheet& grid, const QString& kind,
    const QList<CellRange>& ranges)
{
    for (const CellRange& range : ranges)
        writer.UpdateFormatToDB(range, kind, GetFormatString(kind, grid.rangeFormat(range)));
}

void ScanMerge(FormatRowWriter& writer, const platform::grid::Sheet& grid, const QList<CellRange>& ranges)
{
    GetFormatProperty(writer, grid, keywords::Merge, ranges);
}

void SaveFormat(FormatRowWriter& writer, const platform::grid::Sheet& grid, int firstRow, int firstCol,
    int lastRow, int lastCol)
{
    SaveRowHeight(writer, grid, firstRow, lastRow);
    const QList<CellRange> ranges = scanRanges(grid, firstRow, firstCol, lastRow, lastCol);
    for (const QString* kind : { &keywords::Font, &keywords::Alignment, &keywords::Border,
             &keywords::InputFormat, &keywords::WrapText })
        GetFormatProperty(writer, grid, *kind, ranges);
    ScanMerge(writer, grid, ranges);
}

} // namespace store
