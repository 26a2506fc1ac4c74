#include "PagePlan.h"

#include "platform/Error.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/view/AxisLayout.h"

#include <algorithm>

namespace platform::grid
{

namespace
{

Error badRange(const QString& what, const QString& text)
{
    return Error(errors::InvalidArgument, QStringLiteral("GridPrinter"),
        QStringLiteral("%1“%2”不是有效的区域").arg(what, text));
}

qint64 sizeOf(const AxisLayout& axis, int first, int last)
{
    return axis.offset(last + 1) - axis.offset(first);
}

// How far a run of rows or columns may reach past its page and still print on it: one pixel at 100 %,
// no more than a cell's text keeps from its edges, so that what lies beyond the edge is a rounding
// remainder, a cell's padding or part of a border line, never a text.
constexpr qint64 kOverhangTwips = 15;

// Runs of indices first..last whose sizes add up to no more than the room that roomFrom(start)
// gives for a run beginning at start and kOverhangTwips; an index larger than that goes alone.
template <typename RoomFrom>
QList<std::pair<int, int>> sizeBands(const AxisLayout& axis, int first, int last, RoomFrom roomFrom)
{
    QList<std::pair<int, int>> bands;
    int start = first;
    while (start <= last) {
        const qint64 room = roomFrom(start) + kOverhangTwips;
        int end = start;
        while (end < last && sizeOf(axis, start, end + 1) <= room)
            ++end;
        bands.append({ start, end });
        start = end + 1;
    }
    return bands;
}

} // namespace

QList<PrintPage> planPages(const SheetLayout& layout, const QList<CellRange>& pieces,
    std::optional<TitleRows> titles, QSizeF room, bool acrossThenDown)
{
    const qint64 height = qint64(room.height());
    const qint64 width = qint64(room.width());
    const qint64 titleHeight = titles ? sizeOf(layout.rows, titles->first, titles->last) : 0;
    auto repeatsTitles = [&](int startRow) { return titles && startRow > titles->last; };
    QList<PrintPage> pages;
    for (const CellRange& piece : pieces) {
        const auto rowBands = sizeBands(layout.rows, piece.row1, piece.row2,
            [&](int start) { return repeatsTitles(start) ? height - titleHeight : height; });
        const auto colBands = sizeBands(layout.cols, piece.col1, piece.col2, [&](int) { return width; });
        auto add = [&](const std::pair<int, int>& rows, const std::pair<int, int>& cols) {
            PrintPage page { CellRange { rows.first, cols.first, rows.second, cols.second }, std::nullopt };
            if (repeatsTitles(rows.first))
                page.titles = titles;
            pages.append(page);
        };
        if (acrossThenDown) {
            for (const auto& rows : rowBands)
                for (const auto& cols : colBands)
                    add(rows, cols);
        } else {
            for (const auto& cols : colBands)
                for (const auto& rows : rowBands)
                    add(rows, cols);
        }
    }
    return pages;
}

QList<CellRange> printPieces(const Sheet& sheet)
{
    const int usedRows = std::min(sheet.lastUsedRow(), sheet.maxRow());
    const int usedCols = std::min(sheet.lastUsedCol(), sheet.maxCol());
    const QString area = sheet.printArea().trimmed();
    if (area.isEmpty()) {
        if (usedRows == 0 || usedCols == 0)
            return {};
        return { CellRange { 1, 1, usedRows, usedCols } };
    }
    QList<CellRange> pieces;
    for (const QString& text : area.split(u',', Qt::SkipEmptyParts)) {
        const std::optional<CellRange> parsed = parseRangeText(text);
        if (!parsed)
            throw badRange(QStringLiteral("打印区域"), text);
        CellRange piece = *parsed;
        if (piece.col2 == kWholeRowLastCol && piece.col1 == 1)
            piece.col2 = std::max(1, usedCols);
        if (piece.row2 == kWholeColLastRow && piece.row1 == 1)
            piece.row2 = std::max(1, usedRows);
        piece.row2 = std::min(piece.row2, sheet.maxRow());
        piece.col2 = std::min(piece.col2, sheet.maxCol());
        if (piece.row1 <= piece.row2 && piece.col1 <= piece.col2)
            pieces.append(piece);
    }
    return pieces;
}

std::optional<TitleRows> printTitleRows(const Sheet& sheet)
{
    const QString text = sheet.printTitles().trimmed();
    if (text.isEmpty())
        return std::nullopt;
    const std::optional<CellRange> parsed = parseRangeText(text);
    if (!parsed)
        throw badRange(QStringLiteral("打印标题"), text);
    if (parsed->row1 > sheet.maxRow())
        return std::nullopt;
    return TitleRows { parsed->row1, std::min(parsed->row2, sheet.maxRow()) };
}

} // namespace platform::grid
