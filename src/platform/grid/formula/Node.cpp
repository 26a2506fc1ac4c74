#include "Node.h"

namespace platform::grid::formula
{

namespace
{

std::shared_ptr<Node> make(NodeKind kind)
{
    auto node = std::make_shared<Node>();
    node->kind = kind;
    return node;
}

} // namespace

NodePtr Node::makeNumber(double value)
{
    auto node = make(NodeKind::Number);
    node->number = value;
    return node;
}

NodePtr Node::makeLogical(bool value)
{
    auto node = make(NodeKind::Logical);
    node->logical = value;
    return node;
}

NodePtr Node::makeNamed(NodeKind kind, const QString& text)
{
    auto node = make(kind);
    node->text = text;
    return node;
}

NodePtr Node::makeReference(const CellReference& cell)
{
    auto node = make(NodeKind::Reference);
    node->first = cell;
    node->last = cell;
    return node;
}

// Corners are put in order per axis, each coordinate keeping its own "$".
NodePtr Node::makeRange(const CellReference& first, const CellReference& last)
{
    auto node = make(NodeKind::Range);
    node->first = first;
    node->last = last;
    if (node->first.row > node->last.row) {
        std::swap(node->first.row, node->last.row);
        std::swap(node->first.rowAbsolute, node->last.rowAbsolute);
    }
    if (node->first.col > node->last.col) {
        std::swap(node->first.col, node->last.col);
        std::swap(node->first.colAbsolute, node->last.colAbsolute);
    }
    return node;
}

NodePtr Node::makeUnary(NodeKind kind, NodePtr operand)
{
    auto node = make(kind);
    node->operands.push_back(std::move(operand));
    return node;
}

NodePtr Node::makeBinary(BinaryOperator op, NodePtr left, NodePtr right)
{
    auto node = make(NodeKind::Binary);
    node->op = op;
    node->operands = { std::move(left), std::move(right) };
    return node;
}

NodePtr Node::makeCall(Function function, const QString& name, std::vector<NodePtr> arguments)
{
    auto node = make(NodeKind::Call);
    node->function = function;
    node->text = name;
    node->operands = std::move(arguments);
    return node;
}

const Node& withoutParentheses(const Node& node)
{
    const Node* inner = &node;
    while (inner->kind == NodeKind::Parentheses)
        inner = inner->operands.front().get();
    return *inner;
}

} // namespace platform::grid::formula
