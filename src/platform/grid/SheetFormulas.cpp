#include "SheetImpl.h"

namespace platform::grid
{

using internal::CellStore;
using internal::FormulaCell;

// One formula waiting for the formulas it reads: they are computed first, one after another, so
// that long chains of formulas need no deep recursion.
struct Sheet::Impl::PendingFormula {
    const FormulaCell* formula;
    std::vector<const FormulaCell*> inputs;
    size_t nextInput = 0;
};

namespace
{

bool isCurrent(const FormulaCell& f, quint64 generation)
{
    return f.generation == generation;
}

std::vector<const FormulaCell*> staleInputs(const CellStore& cells, const FormulaCell& f, quint64 generation)
{
    std::vector<const FormulaCell*> inputs;
    for (const CellRange& ref : f.formula.references()) {
        const CellRange r = ref.normalized();
        for (int row = std::max(1, r.row1); row <= std::min(r.row2, cells.rowCount()); ++row) {
            const CellStore::Row& cellsOfRow = *cells.row(row);
            for (int col = std::max(1, r.col1); col <= std::min(r.col2, int(cellsOfRow.size())); ++col) {
                const FormulaCell* input = cellsOfRow[col - 1].formula();
                if (input && !isCurrent(*input, generation) && !input->evaluating)
                    inputs.push_back(input);
            }
        }
    }
    return inputs;
}

const CellValue kCycleValue = CellError { QStringLiteral("#VALUE!") };

} // namespace

CellValue Sheet::Impl::valueAt(int row, int col) const
{
    const internal::Cell* cell = cells.find(row, col);
    if (!cell)
        return std::monostate {};
    const FormulaCell* target = cell->formula();
    if (!target)
        return cell->value();
    if (isCurrent(*target, valueGeneration))
        return target->cached;
    if (target->evaluating)
        return kCycleValue;

    // A cell still being computed further down the chain is part of a cycle.
    const formula::CellLookup lookup = [this](int r, int c) -> CellValue {
        const internal::Cell* input = cells.find(r, c);
        if (!input)
            return std::monostate {};
        const FormulaCell* f = input->formula();
        if (!f)
            return input->value();
        if (isCurrent(*f, valueGeneration))
            return f->cached;
        return f->evaluating ? kCycleValue : valueAt(r, c);
    };

    std::vector<PendingFormula> pending;
    target->evaluating = true;
    pending.push_back({ target, staleInputs(cells, *target, valueGeneration) });
    try {
        computePending(pending, lookup);
    } catch (...) {
        for (const auto& waiting : pending)
            waiting.formula->evaluating = false;
        throw;
    }
    return target->cached;
}

void Sheet::Impl::computePending(
    std::vector<PendingFormula>& pending, const formula::CellLookup& lookup) const
{
    while (!pending.empty()) {
        PendingFormula& top = pending.back();
        if (top.nextInput < top.inputs.size()) {
            const FormulaCell* input = top.inputs[top.nextInput++];
            if (!isCurrent(*input, valueGeneration) && !input->evaluating) {
                input->evaluating = true;
                pending.push_back({ input, staleInputs(cells, *input, valueGeneration) });
            }
            continue;
        }
        const FormulaCell* done = top.formula;
        // Ranges reaching past the stored rows (a whole column, say) need not visit empty rows.
        const CellRange dataArea { 1, 1, std::max(1, cells.rowCount()), kMaxSheetCols };
        done->cached = done->formula.evaluate(lookup, dataArea);
        done->generation = valueGeneration;
        done->evaluating = false;
        pending.pop_back();
    }
}

void Sheet::Impl::adjustFormulas(const internal::ReferenceShift& shift)
{
    cells.forEachCell([&](int, int, internal::Cell& cell) {
        if (FormulaCell* f = cell.formula())
            f->formula = f->formula.adjusted(shift);
    });
}

} // namespace platform::grid
