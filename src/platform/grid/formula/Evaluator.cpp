#include "Evaluator.h"

#include "../NumberFormat.h"
#include "Functions.h"
#include <cmath>

namespace platform::grid::formula
{

namespace
{

CellValue checkedNumber(double value)
{
    if (!std::isfinite(value))
        return errorValue("#NUM!");
    return value;
}

CellValue arithmetic(BinaryOperator op, double a, double b)
{
    switch (op) {
    case BinaryOperator::Add:
        return checkedNumber(a + b);
    case BinaryOperator::Subtract:
        return checkedNumber(a - b);
    case BinaryOperator::Multiply:
        return checkedNumber(a * b);
    case BinaryOperator::Divide:
        if (b == 0)
            return errorValue("#DIV/0!");
        return checkedNumber(a / b);
    default:
        if (a == 0 && b < 0)
            return errorValue("#DIV/0!");
        if (a == 0 && b == 0)
            return errorValue("#NUM!");
        return checkedNumber(std::pow(a, b));
    }
}

// Numbers sort before texts, texts before logical values, as spreadsheets compare mixed kinds.
int kindRank(const CellValue& value)
{
    if (std::holds_alternative<QString>(value))
        return 1;
    if (std::holds_alternative<bool>(value))
        return 2;
    return 0;
}

// An empty cell compares as the empty value of the other side's kind.
CellValue emptyLike(const CellValue& other)
{
    if (std::holds_alternative<QString>(other))
        return QString();
    if (std::holds_alternative<bool>(other))
        return false;
    return 0.0;
}

// Numbers equal to 15 significant digits compare equal, so that 0.1 + 0.2 = 0.3 holds.
int compareNumbers(double a, double b)
{
    if (std::fabs(a - b) <= 1e-15 * std::max(std::fabs(a), std::fabs(b)))
        return 0;
    return a < b ? -1 : 1;
}

int compareValues(CellValue a, CellValue b)
{
    if (std::holds_alternative<std::monostate>(a))
        a = emptyLike(b);
    if (std::holds_alternative<std::monostate>(b))
        b = emptyLike(a);
    const int rankA = kindRank(a);
    const int rankB = kindRank(b);
    if (rankA != rankB)
        return rankA < rankB ? -1 : 1;
    if (const auto* text = std::get_if<QString>(&a))
        return QString::compare(*text, std::get<QString>(b), Qt::CaseInsensitive);
    if (const auto* logical = std::get_if<bool>(&a))
        return int(*logical) - int(std::get<bool>(b));
    return compareNumbers(std::get<double>(a), std::get<double>(b));
}

bool comparisonHolds(BinaryOperator op, int order)
{
    switch (op) {
    case BinaryOperator::Equal:
        return order == 0;
    case BinaryOperator::NotEqual:
        return order != 0;
    case BinaryOperator::Less:
        return order < 0;
    case BinaryOperator::LessEqual:
        return order <= 0;
    case BinaryOperator::Greater:
        return order > 0;
    default:
        return order >= 0;
    }
}

} // namespace

CellError errorValue(const char* code)
{
    return CellError { QString::fromLatin1(code) };
}

const CellError* errorOf(const CellValue& value)
{
    return std::get_if<CellError>(&value);
}

NumberOrError numberOf(const CellValue& value)
{
    if (const auto* number = std::get_if<double>(&value))
        return *number;
    if (const auto* error = errorOf(value))
        return *error;
    if (const auto* logical = std::get_if<bool>(&value))
        return *logical ? 1.0 : 0.0;
    if (const auto* text = std::get_if<QString>(&value)) {
        double number = 0;
        if (parseNumberEntry(*text, &number))
            return number;
        return errorValue("#VALUE!");
    }
    return 0.0;
}

CellValue Evaluator::value(const Node& node) const
{
    switch (node.kind) {
    case NodeKind::Number:
        return node.number;
    case NodeKind::Text:
        return node.text;
    case NodeKind::Logical:
        return node.logical;
    case NodeKind::Error:
        return CellError { node.text };
    case NodeKind::Name:
        return errorValue("#NAME?");
    case NodeKind::Reference:
        return lookup_(node.first.row, node.first.col);
    case NodeKind::Range:
        return errorValue("#VALUE!");
    case NodeKind::Parentheses:
    case NodeKind::UnaryPlus:
        return value(*node.operands.front());
    case NodeKind::Negate:
    case NodeKind::Percent: {
        const NumberOrError operand = numberOf(value(*node.operands.front()));
        if (const auto* error = std::get_if<CellError>(&operand))
            return *error;
        const double number = std::get<double>(operand);
        return node.kind == NodeKind::Negate ? -number : number / 100;
    }
    case NodeKind::Binary:
        return binary(node);
    case NodeKind::Call:
        return callFunction(*this, node);
    }
    return {};
}

CellValue Evaluator::binary(const Node& node) const
{
    const CellValue left = value(*node.operands[0]);
    if (const auto* error = errorOf(left))
        return *error;
    const CellValue right = value(*node.operands[1]);
    if (const auto* error = errorOf(right))
        return *error;
    switch (node.op) {
    case BinaryOperator::Concat:
        return entryText(left) + entryText(right);
    case BinaryOperator::Equal:
    case BinaryOperator::NotEqual:
    case BinaryOperator::Less:
    case BinaryOperator::LessEqual:
    case BinaryOperator::Greater:
    case BinaryOperator::GreaterEqual:
        return comparisonHolds(node.op, compareValues(left, right));
    default:
        break;
    }
    const NumberOrError a = numberOf(left);
    if (const auto* error = std::get_if<CellError>(&a))
        return *error;
    const NumberOrError b = numberOf(right);
    if (const auto* error = std::get_if<CellError>(&b))
        return *error;
    return arithmetic(node.op, std::get<double>(a), std::get<double>(b));
}

} // namespace platform::grid::formula
