#include "CellEdges.h"
#include "SheetImpl.h"

#include <array>
#include <unordered_map>

namespace platform::grid
{

using internal::CellEdges;
using internal::Edge;

namespace
{

// The changes that one cell of a range takes: the range's outer sides on its edge cells, the inner
// sides between its cells, nothing inside a merged block.
CellFormat changesForCell(const CellFormat& changes, CellEdges e)
{
    CellFormat f = changes;
    f.mergeCells.reset();
    auto side = [&](Edge edge, BorderSide outer, BorderSide inner) -> std::optional<Border> {
        switch (edge) {
        case Edge::Outer:
            return changes.border(outer);
        case Edge::Inner:
            return changes.border(inner);
        case Edge::InsideBlock:
            return std::nullopt;
        }
        return std::nullopt;
    };
    f.border(BorderSide::Top) = side(e.top, BorderSide::Top, BorderSide::InnerHorizontal);
    f.border(BorderSide::Bottom) = side(e.bottom, BorderSide::Bottom, BorderSide::InnerHorizontal);
    f.border(BorderSide::Left) = side(e.left, BorderSide::Left, BorderSide::InnerVertical);
    f.border(BorderSide::Right) = side(e.right, BorderSide::Right, BorderSide::InnerVertical);
    f.border(BorderSide::InnerVertical).reset();
    f.border(BorderSide::InnerHorizontal).reset();
    return f;
}

bool changesStyle(const CellFormat& changes)
{
    CellFormat withoutMerge = changes;
    withoutMerge.mergeCells.reset();
    return !(withoutMerge == CellFormat {});
}

// Style ids met while walking a range, each kept once.
class StyleIds
{
public:
    void add(quint32 id)
    {
        if (ids_.empty() || ids_.back() != id)
            ids_.push_back(id);
    }
    bool isEmpty() const { return ids_.empty(); }
    const std::vector<quint32>& distinct()
    {
        std::sort(ids_.begin(), ids_.end());
        ids_.erase(std::unique(ids_.begin(), ids_.end()), ids_.end());
        return ids_;
    }

private:
    std::vector<quint32> ids_;
};

template <typename T> void keepShared(std::optional<T>& kept, const std::optional<T>& other)
{
    if (kept != other)
        kept.reset();
}

CellFormat sharedProperties(const internal::StylePool& pool, StyleIds& ids)
{
    const auto& distinct = ids.distinct();
    CellFormat f = pool.format(distinct.front());
    for (size_t i = 1; i < distinct.size(); ++i) {
        const CellFormat& o = pool.format(distinct[i]);
        keepShared(f.numberFormat, o.numberFormat);
        keepShared(f.hAlign, o.hAlign);
        keepShared(f.vAlign, o.vAlign);
        keepShared(f.wrapText, o.wrapText);
        keepShared(f.shrinkToFit, o.shrinkToFit);
        keepShared(f.fontName, o.fontName);
        keepShared(f.fontSize, o.fontSize);
        keepShared(f.fontBold, o.fontBold);
        keepShared(f.fontItalic, o.fontItalic);
        keepShared(f.fontUnderline, o.fontUnderline);
        keepShared(f.fontStrikeOut, o.fontStrikeOut);
        keepShared(f.fontColor, o.fontColor);
        keepShared(f.pattern, o.pattern);
        keepShared(f.patternForeground, o.patternForeground);
        keepShared(f.patternBackground, o.patternBackground);
    }
    return f;
}

std::optional<Border> sharedBorder(const internal::StylePool& pool, StyleIds& ids, BorderSide side)
{
    if (ids.isEmpty())
        return Border {};
    const auto& distinct = ids.distinct();
    std::optional<Border> border = pool.format(distinct.front()).border(side);
    for (size_t i = 1; i < distinct.size(); ++i)
        keepShared(border, pool.format(distinct[i]).border(side));
    return border;
}

} // namespace

const CellFormat& Sheet::Impl::styleAt(int row, int col) const
{
    const internal::Cell* cell = cells.find(row, col);
    return styles.format(cell ? cell->style() : 0);
}

void Sheet::Impl::applyStyles(const CellRange& range, const CellFormat& changes)
{
    if (!changesStyle(changes))
        return;
    std::array<std::optional<CellFormat>, internal::kEdgeCodes> changesByEdges;
    std::unordered_map<quint64, quint32> newIds;
    quint64 lastKey = ~quint64(0);
    quint32 lastId = 0;
    bool unformatted = false;
    internal::forEachCellWithEdges(
        range, merges.blocksIntersecting(range), [&](int r, int c, CellEdges e, const CellRange*) {
            internal::Cell* cell = cells.find(r, c);
            const quint32 old = cell ? cell->style() : 0;
            const quint64 key = (quint64(e.code()) << 32) | old;
            if (key != lastKey) {
                auto found = newIds.find(key);
                if (found == newIds.end()) {
                    auto& cellChanges = changesByEdges[e.code()];
                    if (!cellChanges)
                        cellChanges = changesForCell(changes, e);
                    found = newIds.emplace(key, styles.withChanges(old, *cellChanges)).first;
                }
                lastKey = key;
                lastId = found->second;
            }
            if (lastId == old)
                return;
            if (!cell)
                cell = &cells.at(r, c);
            cell->setStyle(lastId);
            unformatted = unformatted || lastId == 0;
        });
    if (unformatted) {
        for (int r = range.row2; r >= range.row1; --r)
            cells.tidy(r);
    }
}

void Sheet::Impl::clearStyles(const CellRange& range)
{
    cells.forEachIn(range, [](int, int, internal::Cell& cell) { cell.setStyle(0); });
    for (int r = std::min(range.row2, cells.rowCount()); r >= range.row1; --r)
        cells.tidy(r);
}

void Sheet::Impl::mergeRange(const CellRange& range)
{
    if (merges.cuts(range))
        throwSheetError(errors::WouldCutMergedCell, QStringLiteral("不能合并：区域与已合并的单元格部分重叠"));
    merges.removeIntersecting(range);
    if (range.rowCount() > 1 || range.colCount() > 1)
        merges.add(range);
}

CellFormat Sheet::format(int row, int col) const
{
    Impl::checkCell(row, col);
    CellFormat f = d->styleAt(row, col);
    f.mergeCells = d->merges.blockAt(row, col).has_value();
    return f;
}

const CellFormat& Sheet::cellStyle(int row, int col) const
{
    Impl::checkCell(row, col);
    return d->styleAt(row, col);
}

CellFormat Sheet::rangeFormat(const CellRange& range) const
{
    const CellRange r = d->withinSheet(range);
    StyleIds shown, top, left, bottom, right, innerVertical, innerHorizontal;
    int inBlocks = 0, single = 0;
    internal::forEachCellWithEdges(
        r, d->merges.blocksIntersecting(r), [&](int row, int col, CellEdges e, const CellRange* b) {
            const internal::Cell* cell = d->cells.find(row, col);
            const quint32 id = cell ? cell->style() : 0;
            if (!b || (b->row1 == row && b->col1 == col)) {
                shown.add(id);
                ++(b ? inBlocks : single);
            }
            if (e.top == Edge::Outer)
                top.add(id);
            if (e.left == Edge::Outer)
                left.add(id);
            if (e.bottom == Edge::Outer)
                bottom.add(id);
            else if (e.bottom == Edge::Inner)
                innerHorizontal.add(id);
            if (e.right == Edge::Outer)
                right.add(id);
            else if (e.right == Edge::Inner)
                innerVertical.add(id);
        });
    CellFormat f = sharedProperties(d->styles, shown);
    f.border(BorderSide::Top) = sharedBorder(d->styles, top, BorderSide::Top);
    f.border(BorderSide::Left) = sharedBorder(d->styles, left, BorderSide::Left);
    f.border(BorderSide::Bottom) = sharedBorder(d->styles, bottom, BorderSide::Bottom);
    f.border(BorderSide::Right) = sharedBorder(d->styles, right, BorderSide::Right);
    f.border(BorderSide::InnerVertical) = sharedBorder(d->styles, innerVertical, BorderSide::Right);
    f.border(BorderSide::InnerHorizontal) = sharedBorder(d->styles, innerHorizontal, BorderSide::Bottom);
    if (inBlocks == 0)
        f.mergeCells = false;
    else if (single == 0)
        f.mergeCells = true;
    else
        f.mergeCells.reset();
    return f;
}

void Sheet::applyFormat(const CellRange& range, const CellFormat& format)
{
    const CellRange r = d->withinSheet(range);
    if (format.mergeCells) {
        if (*format.mergeCells)
            d->mergeRange(r);
        else
            d->merges.removeIntersecting(r);
    }
    d->applyStyles(r, format);
    d->growTo(r.row2, r.col2);
    d->changed();
}

CellFormat Sheet::selectionFormat() const
{
    return rangeFormat(d->selectionWithinSheet().front());
}

void Sheet::applyFormatToSelection(const CellFormat& format)
{
    const QList<CellRange> ranges = d->selectionWithinSheet();
    if (format.mergeCells.value_or(false)) {
        for (const auto& range : ranges) {
            if (d->merges.cuts(range))
                throwSheetError(
                    errors::WouldCutMergedCell, QStringLiteral("不能合并：区域与已合并的单元格部分重叠"));
        }
    }
    for (const auto& range : ranges)
        applyFormat(range, format);
}

QString Sheet::numberFormat(int row, int col) const
{
    Impl::checkCell(row, col);
    return *d->styleAt(row, col).numberFormat;
}

int Sheet::styleCount() const
{
    return d->styles.size();
}

quint64 Sheet::stylesSerial() const
{
    return d->styles.serial();
}

int Sheet::styleId(int row, int col) const
{
    Impl::checkCell(row, col);
    const internal::Cell* cell = d->cells.find(row, col);
    return cell ? int(cell->style()) : 0;
}

void Sheet::Impl::checkStyleId(int id) const
{
    if (id < 0 || id >= styles.size())
        throwSheetError(errors::InvalidArgument, QStringLiteral("没有编号为 %1 的单元格格式").arg(id));
}

CellFormat Sheet::styleFormat(int id) const
{
    d->checkStyleId(id);
    return d->styles.format(quint32(id));
}

int Sheet::addStyle(const CellFormat& format)
{
    return int(d->styles.withChanges(0, format));
}

void Sheet::setStyleId(int row, int col, int id)
{
    Impl::checkCell(row, col);
    d->checkStyleId(id);
    if (id != 0) {
        d->cells.at(row, col).setStyle(quint32(id));
    } else if (internal::Cell* cell = d->cells.find(row, col)) {
        cell->setStyle(0);
        d->cells.tidy(row);
    }
    d->growTo(row, col);
    d->changed();
}

// --- merged blocks -------------------------------------------------------------------------------

void Sheet::merge(const CellRange& range)
{
    const CellRange r = d->withinSheet(range);
    d->mergeRange(r);
    d->growTo(r.row2, r.col2);
    d->changed();
}

void Sheet::unmerge(const CellRange& range)
{
    d->merges.removeIntersecting(d->withinSheet(range));
    d->changed();
}

std::optional<CellRange> Sheet::mergedBlockAt(int row, int col) const
{
    Impl::checkCell(row, col);
    return d->merges.blockAt(row, col);
}

QList<CellRange> Sheet::mergedBlocks() const
{
    return d->merges.all();
}

QList<CellRange> Sheet::mergedBlocksIn(const CellRange& range) const
{
    return d->merges.blocksIntersecting(d->withinSheet(range));
}

} // namespace platform::grid
