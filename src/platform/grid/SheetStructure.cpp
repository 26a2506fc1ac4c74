#include "SheetImpl.h"

namespace platform::grid
{

using internal::ReferenceShift;

namespace
{

[[noreturn]] void refuseDeletion(const QString& why)
{
    throwSheetError(errors::DeletionRefused, QStringLiteral("不能删除：%1").arg(why));
}

} // namespace

void Sheet::Impl::applyShift(const ReferenceShift& shift)
{
    if (merges.isCutBy(shift))
        throwSheetError(errors::WouldCutMergedCell, QStringLiteral("插入或删除会拆开合并单元格"));
    if (shift.rowDelta > 0 && cells.lastUsedRow() + shift.rowDelta > kMaxSheetRows)
        throwSheetError(errors::InvalidArgument, QStringLiteral("插入后单元格会超出工作表的最大行数"));
    if (shift.colDelta > 0 && cells.lastUsedCol() + shift.colDelta > kMaxSheetCols)
        throwSheetError(errors::InvalidArgument, QStringLiteral("插入后单元格会超出工作表的最大列数"));

    cells.apply(shift);
    merges.apply(shift);
    objects.apply(shift);
    if (internal::movesWholeRows(shift)) {
        if (shift.rowDelta > 0)
            rowHeights.insert(shift.moved.row1, shift.rowDelta);
        else
            rowHeights.remove(shift.deleted.row1, -shift.rowDelta);
    }
    if (internal::movesWholeCols(shift)) {
        if (shift.colDelta > 0)
            colWidths.insert(shift.moved.col1, shift.colDelta);
        else
            colWidths.remove(shift.deleted.col1, -shift.colDelta);
    }
    adjustFormulas(shift);
    if (shift.rowDelta > 0 || shift.colDelta > 0)
        growTo(std::max({ cells.lastUsedRow(), merges.lastRow(), objects.lastRow() }),
            std::max({ cells.lastUsedCol(), merges.lastCol(), objects.lastCol() }));
    valuesChanged();
}

void Sheet::insertRange(const CellRange& range, Shift shift)
{
    d->applyShift(internal::insertionShift(d->withinSheet(range), shift));
}

void Sheet::deleteRange(const CellRange& range, Shift shift)
{
    const CellRange r = d->withinSheet(range);
    const bool rowsGo = shift == Shift::Rows;
    const bool colsGo = shift == Shift::Columns;
    if ((!colsGo && r.row2 > d->maxRow) || (!rowsGo && r.col2 > d->maxCol))
        refuseDeletion(QStringLiteral("区域超出工作表"));
    if ((rowsGo && r.row1 == 1 && r.row2 == d->maxRow) || (colsGo && r.col1 == 1 && r.col2 == d->maxCol))
        refuseDeletion(QStringLiteral("工作表的行或列不能全部删除"));
    d->applyShift(internal::deletionShift(r, shift));
}

void Sheet::insertRows(int row, int count)
{
    if (count < 1)
        throwSheetError(errors::InvalidArgument, QStringLiteral("插入的行数必须大于 0"));
    insertRange(CellRange { row, 1, row + count - 1, 1 }, Shift::Rows);
}

void Sheet::deleteRows(int row, int count)
{
    if (count < 1)
        refuseDeletion(QStringLiteral("没有要删除的行"));
    deleteRange(CellRange { row, 1, row + count - 1, 1 }, Shift::Rows);
}

void Sheet::insertCols(int col, int count)
{
    if (count < 1)
        throwSheetError(errors::InvalidArgument, QStringLiteral("插入的列数必须大于 0"));
    insertRange(CellRange { 1, col, 1, col + count - 1 }, Shift::Columns);
}

void Sheet::deleteCols(int col, int count)
{
    if (count < 1)
        refuseDeletion(QStringLiteral("没有要删除的列"));
    deleteRange(CellRange { 1, col, 1, col + count - 1 }, Shift::Columns);
}

void Sheet::Impl::clearValues(const CellRange& range)
{
    cells.forEachIn(range, [](int, int, internal::Cell& cell) { cell.clearValue(); });
    for (int r = std::min(range.row2, cells.rowCount()); r >= range.row1; --r)
        cells.tidy(r);
}

void Sheet::clearRange(const CellRange& range, ClearWhat what)
{
    const CellRange r = d->withinSheet(range);
    if (what != ClearWhat::Values) {
        if (d->merges.cuts(r))
            throwSheetError(errors::WouldCutMergedCell, QStringLiteral("区域涉及合并单元格，不能清除格式"));
        d->merges.removeIntersecting(r);
        d->clearStyles(r);
    }
    if (what != ClearWhat::Formats)
        d->clearValues(r);
    d->valuesChanged();
}

} // namespace platform::grid
