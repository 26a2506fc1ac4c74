#include "Formula.h"

#include "Evaluator.h"
#include "FormulaText.h"
#include "Node.h"
#include "Parser.h"
#include "ReferenceRewrite.h"

namespace platform::grid::formula
{

namespace
{

void collectReferences(const Node& node, QList<CellRange>& out)
{
    if (node.kind == NodeKind::Reference || node.kind == NodeKind::Range)
        out << CellRange { node.first.row, node.first.col, node.last.row, node.last.col };
    for (const NodePtr& operand : node.operands)
        collectReferences(*operand, out);
}

} // namespace

Formula Formula::parse(const QString& text)
{
    return Formula(parseFormula(text));
}

Formula::Formula() = default;
Formula::~Formula() = default;
Formula::Formula(const Formula&) = default;
Formula& Formula::operator=(const Formula&) = default;
Formula::Formula(Formula&&) noexcept = default;
Formula& Formula::operator=(Formula&&) noexcept = default;

Formula::Formula(std::shared_ptr<const Node> root)
    : root_(std::move(root))
{
}

QString Formula::text() const
{
    return root_ ? formulaText(*root_) : QString();
}

CellValue Formula::evaluate(const CellLookup& lookup) const
{
    return evaluate(lookup, CellRange { 1, 1, kMaxSheetRows, kMaxSheetCols });
}

// A formula that ends on an empty cell shows 0, as in a spreadsheet.
CellValue Formula::evaluate(const CellLookup& lookup, const CellRange& dataArea) const
{
    if (!root_)
        return {};
    CellValue result = Evaluator(lookup, dataArea).value(*root_);
    if (std::holds_alternative<std::monostate>(result))
        return 0.0;
    return result;
}

Formula Formula::movedBy(int rowDelta, int colDelta) const
{
    if (!root_ || (rowDelta == 0 && colDelta == 0))
        return *this;
    return Formula(moveReferences(root_, rowDelta, colDelta));
}

Formula Formula::adjusted(const ReferenceShift& shift) const
{
    return root_ ? Formula(shiftReferences(root_, shift)) : *this;
}

QList<CellRange> Formula::references() const
{
    QList<CellRange> result;
    if (root_)
        collectReferences(*root_, result);
    return result;
}

} // namespace platform::grid::formula
