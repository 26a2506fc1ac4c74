#include "SheetImpl.h"

#include <algorithm>
#include <unordered_map>

namespace platform::grid
{

using internal::Cell;

// Cells keep their formats as indexes into `formats`, so a clip pastes into any sheet. Merged blocks
// and picture anchors are offsets from the source's first cell.
struct SheetClip::Impl {
    CellRange source;
    std::vector<std::vector<Cell>> rows
        = std::vector<std::vector<Cell>>(1); // an empty clip is one blank cell
    std::vector<CellFormat> formats { internal::StylePool::defaultFormat() };
    QList<CellRange> merges;
    std::vector<std::optional<int>> rowHeights; // whole rows only; nullopt where the default applied
    std::vector<std::optional<int>> colWidths; // whole columns only
    QList<DrawingObject> objects;
};

SheetClip::SheetClip()
    : d(std::make_unique<Impl>())
{
}
SheetClip::~SheetClip() = default;
SheetClip::SheetClip(const SheetClip& other)
    : d(std::make_unique<Impl>(*other.d))
{
}
SheetClip& SheetClip::operator=(const SheetClip& other)
{
    if (this != &other)
        d = std::make_unique<Impl>(*other.d);
    return *this;
}
int SheetClip::rowCount() const
{
    return d->source.rowCount();
}
int SheetClip::colCount() const
{
    return d->source.colCount();
}
CellRange SheetClip::source() const
{
    return d->source;
}

namespace
{

CellRange offsetBy(const CellRange& r, int rows, int cols)
{
    return { r.row1 + rows, r.col1 + cols, r.row2 + rows, r.col2 + cols };
}

std::optional<int> sizeOf(const internal::SizeList& sizes, int index)
{
    return sizes.isSet(index) ? std::optional<int>(sizes.size(index)) : std::nullopt;
}

void pasteSize(internal::SizeList& sizes, int index, const std::optional<int>& size)
{
    if (size)
        sizes.set(index, index, *size);
    else
        sizes.unset(index, index);
}

bool holdsNothing(const internal::CellStore::Row* row)
{
    return !row || row->empty();
}

bool holdsFormula(const std::vector<Cell>& cells)
{
    return std::any_of(cells.begin(), cells.end(), [](const Cell& cell) { return cell.formula(); });
}

// A clip's row as the cells of a sheet's row that held nothing (a report pastes each page's layout
// below the pages before it): its cells from column `col`, texts shared, in the sheet's styles.
internal::CellStore::Row rowIn(const std::vector<Cell>& cells, int col, const std::vector<quint32>& styleIds)
{
    internal::CellStore::Row filled(col - 1 + cells.size());
    for (size_t j = 0; j < cells.size(); ++j) {
        Cell& cell = filled[col - 1 + j];
        cell = cells[j];
        cell.setStyle(styleIds[cells[j].style()]);
    }
    return filled;
}

} // namespace

SheetClip Sheet::copy(const CellRange& range) const
{
    const CellRange r = d->withinSheet(range);
    SheetClip clip;
    SheetClip::Impl& c = *clip.d;
    c.source = r;

    std::unordered_map<quint32, quint32> clipFormat { { 0, 0 } };
    c.rows.resize(r.rowCount());
    for (int row = r.row1; row <= r.row2; ++row) {
        const internal::CellStore::Row* stored = d->cells.row(row);
        if (!stored)
            continue;
        auto& cells = c.rows[row - r.row1];
        for (int col = r.col1; col <= std::min(r.col2, int(stored->size())); ++col) {
            d->valueAt(row, col); // a formula carries its value as it is now
            Cell cell = (*stored)[col - 1];
            auto [found, added] = clipFormat.try_emplace(cell.style(), quint32(c.formats.size()));
            if (added)
                c.formats.push_back(d->styles.format(cell.style()));
            cell.setStyle(found->second);
            cells.push_back(std::move(cell));
        }
    }
    for (const auto& block : d->merges.blocksIntersecting(r)) {
        if (r.contains(block))
            c.merges.append(offsetBy(block, -r.row1, -r.col1));
    }
    if (r.col1 == 1 && r.col2 >= d->maxCol) {
        for (int row = r.row1; row <= r.row2; ++row)
            c.rowHeights.push_back(sizeOf(d->rowHeights, row));
    }
    if (r.row1 == 1 && r.row2 >= d->maxRow) {
        for (int col = r.col1; col <= r.col2; ++col)
            c.colWidths.push_back(sizeOf(d->colWidths, col));
    }
    for (int id : d->objects.ids()) {
        DrawingObject object = *d->objects.find(id);
        if (r.contains(object.anchor)) {
            object.anchor = offsetBy(object.anchor, -r.row1, -r.col1);
            c.objects.append(object);
        }
    }
    return clip;
}

void Sheet::paste(const SheetClip& clip, int row, int col, PasteWhat what)
{
    const SheetClip::Impl& c = *clip.d;
    const CellRange target { row, col, row + c.source.rowCount() - 1, col + c.source.colCount() - 1 };
    Impl::checkCell(target.row1, target.col1);
    Impl::checkCell(target.row2, target.col2);
    if (d->merges.cuts(target))
        throwSheetError(errors::WouldCutMergedCell, QStringLiteral("粘贴区域会拆开合并单元格"));

    const bool values = what != PasteWhat::Formats;
    const bool formats = what != PasteWhat::Values;
    std::vector<quint32>& styleIds = d->pastedStyleIds;
    if (formats) {
        styleIds.resize(c.formats.size());
        for (size_t i = 0; i < c.formats.size(); ++i)
            styleIds[i] = d->styles.intern(c.formats[i], styleIds[i]);
        d->merges.removeIntersecting(target);
    }
    const Cell blank;
    const int rowOffset = row - c.source.row1, colOffset = col - c.source.col1;
    for (int i = 0; i < c.source.rowCount(); ++i) {
        const auto& cells = c.rows[i];
        if (what == PasteWhat::All && holdsNothing(d->cells.row(row + i)) && !holdsFormula(cells)) {
            d->cells.setRow(row + i, rowIn(cells, col, styleIds));
            continue;
        }
        if (formats && !cells.empty())
            d->cells.at(row + i, col + int(cells.size()) - 1); // the row grows once, not cell by cell
        for (int j = 0; j < c.source.colCount(); ++j) {
            const Cell& from = j < int(cells.size()) ? cells[j] : blank;
            const int r = row + i, k = col + j;
            const auto* f = from.formula();
            if (what == PasteWhat::All && f)
                d->writeFormula(r, k, f->formula.movedBy(rowOffset, colOffset));
            else if (values && (f || !from.hasValue()))
                d->writeValue(r, k, from.value());
            else if (values)
                d->copyValue(r, k, from);
            if (formats && (from.style() != 0 || d->cells.find(r, k)))
                d->cells.at(r, k).setStyle(styleIds[from.style()]);
        }
        d->cells.tidy(row + i);
    }
    if (formats) {
        for (const auto& block : c.merges)
            d->merges.add(offsetBy(block, row, col));
        for (size_t i = 0; i < c.rowHeights.size(); ++i)
            pasteSize(d->rowHeights, row + int(i), c.rowHeights[i]);
        for (size_t j = 0; j < c.colWidths.size(); ++j)
            pasteSize(d->colWidths, col + int(j), c.colWidths[j]);
    }
    if (what == PasteWhat::All) {
        for (const auto& object : c.objects)
            d->objects.add({ 0, offsetBy(object.anchor, row, col), object.image, object.sourcePath });
    }
    d->growTo(target.row2, target.col2);
    d->valuesChanged();
}

void Sheet::copyRowFormats(int sourceRow, int firstTargetRow, int lastTargetRow)
{
    const CellRange targets = CellRange { firstTargetRow, 1, lastTargetRow, 1 }.normalized();
    Impl::checkCell(targets.row1, 1);
    Impl::checkCell(targets.row2, 1);
    for (int target = targets.row1; target <= targets.row2; ++target) {
        if (d->merges.cuts(CellRange { target, 1, target, d->maxCol }))
            throwSheetError(errors::WouldCutMergedCell, QStringLiteral("目标行涉及合并单元格"));
    }
    const SheetClip row = copy(CellRange { sourceRow, 1, sourceRow, d->maxCol });
    for (int target = targets.row1; target <= targets.row2; ++target)
        paste(row, target, 1, PasteWhat::Formats);
}

} // namespace platform::grid
