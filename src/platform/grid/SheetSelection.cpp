#include "SheetImpl.h"

namespace platform::grid
{

namespace
{

bool isWholeRows(const CellRange& r)
{
    return r.col1 == 1 && r.col2 >= kWholeRowLastCol;
}
bool isWholeCols(const CellRange& r)
{
    return r.row1 == 1 && r.row2 >= kWholeColLastRow;
}

} // namespace

QList<CellRange> Sheet::Impl::selectionWithinSheet() const
{
    QList<CellRange> ranges;
    for (const auto& range : selection)
        ranges.append(withinSheet(range));
    return ranges;
}

// A selected range grows over the merged blocks it touches until no block sticks out of it; whole
// rows and whole columns stay as they are.
CellRange Sheet::Impl::selectable(const CellRange& range) const
{
    CellRange r = range.normalized();
    checkCell(r.row1, r.col1);
    checkCell(r.row2, r.col2);
    if (isWholeRows(r) || isWholeCols(r) || merges.isEmpty())
        return r;
    for (bool grown = true; grown;) {
        grown = false;
        // Read through a const list: an empty one would otherwise allocate to detach.
        const QList<CellRange> blocks = merges.blocksIntersecting(r);
        for (const auto& block : blocks) {
            if (!r.contains(block)) {
                r = { std::min(r.row1, block.row1), std::min(r.col1, block.col1),
                    std::max(r.row2, block.row2), std::max(r.col2, block.col2) };
                grown = true;
            }
        }
    }
    return r;
}

void Sheet::select(const CellRange& range)
{
    const CellRange r = d->selectable(range);
    // Selecting one cell after another, as the report builders do, keeps the list it has.
    if (d->selection.size() == 1)
        d->selection.first() = r;
    else
        d->selection = { r };
    d->activeRow = r.row1;
    d->activeCol = r.col1;
    d->changed();
}

void Sheet::addSelection(const CellRange& range)
{
    const CellRange r = d->selectable(range);
    d->selection.append(r);
    d->activeRow = r.row1;
    d->activeCol = r.col1;
    d->changed();
}

void Sheet::selectRows(int row1, int row2)
{
    select(CellRange { row1, 1, row2, kWholeRowLastCol });
}
void Sheet::selectCols(int col1, int col2)
{
    select(CellRange { 1, col1, kWholeColLastRow, col2 });
}
void Sheet::selectAll()
{
    select(CellRange { 1, 1, kWholeColLastRow, kWholeRowLastCol });
}

int Sheet::selectionCount() const
{
    return int(d->selection.size());
}

CellRange Sheet::selection(int index) const
{
    if (index < 0 || index >= d->selection.size())
        throwSheetError(errors::InvalidArgument, QStringLiteral("没有第 %1 个选定区域").arg(index + 1));
    return d->selection[index];
}

bool Sheet::selectionIsWholeRows() const
{
    return isWholeRows(d->selection.front());
}
bool Sheet::selectionIsWholeCols() const
{
    return isWholeCols(d->selection.front());
}
int Sheet::activeRow() const
{
    return d->activeRow;
}
int Sheet::activeCol() const
{
    return d->activeCol;
}

void Sheet::setActiveCell(int row, int col)
{
    Impl::checkCell(row, col);
    for (const auto& range : d->selection) {
        if (range.contains(row, col)) {
            d->activeRow = row;
            d->activeCol = col;
            d->changed();
            return;
        }
    }
    select(CellRange::cell(row, col));
}

QString Sheet::activeCellText() const
{
    return text(d->activeRow, d->activeCol);
}
void Sheet::setActiveCellText(const QString& entry)
{
    setEntry(d->activeRow, d->activeCol, entry);
}
QString Sheet::selectionText() const
{
    return activeCellText();
}

void Sheet::setSelectionText(const QString& entry)
{
    const Impl::ParsedEntry parsed = Impl::parseEntry(entry);
    d->forEachShownCell(d->selectionWithinSheet(),
        [&](int r, int c) { d->writeEntry(r, c, parsed, d->activeRow, d->activeCol); });
    d->valuesChanged();
}

QString Sheet::selectionFormula() const
{
    return formula(d->activeRow, d->activeCol);
}

void Sheet::setSelectionFormula(const QString& formula)
{
    const Impl::ParsedEntry parsed { {}, Impl::parseFormula(formula), {} };
    d->forEachShownCell(d->selectionWithinSheet(),
        [&](int r, int c) { d->writeEntry(r, c, parsed, d->activeRow, d->activeCol); });
    d->valuesChanged();
}

} // namespace platform::grid
