#pragma once

#include "CellReference.h"
#include <memory>
#include <QString>
#include <vector>

namespace platform::grid::formula
{

// The parsed form of a formula: an immutable tree shared between the copies of a formula, so that
// copying a formula to thousands of cells shares one tree and rewriting references rebuilds only
// the branches that change.
enum class NodeKind {
    Number,
    Text,
    Logical,
    Error, // an error literal such as #REF! (what a deleted reference turns into)
    Name, // an identifier that is neither a reference nor a function: #NAME?
    Reference, // one cell
    Range, // first:last
    Parentheses,
    Negate,
    UnaryPlus,
    Percent,
    Binary,
    Call,
};

enum class BinaryOperator {
    Add,
    Subtract,
    Multiply,
    Divide,
    Power,
    Concat,
    Equal,
    NotEqual,
    Less,
    LessEqual,
    Greater,
    GreaterEqual
};

enum class Function { Sum, Average, Min, Max, Count, Round, Abs, If, Unknown };

struct Node;
using NodePtr = std::shared_ptr<const Node>;

struct Node {
    NodeKind kind = NodeKind::Number;
    double number = 0;
    bool logical = false;
    QString text; // a text literal, an error code, a name or a function name (upper case)
    CellReference first;
    CellReference last;
    BinaryOperator op = BinaryOperator::Add;
    Function function = Function::Unknown;
    std::vector<NodePtr> operands;

    static NodePtr makeNumber(double value);
    static NodePtr makeLogical(bool value);
    // A text literal, an error literal or a name.
    static NodePtr makeNamed(NodeKind kind, const QString& text);
    static NodePtr makeReference(const CellReference& cell);
    static NodePtr makeRange(const CellReference& first, const CellReference& last);
    static NodePtr makeUnary(NodeKind kind, NodePtr operand);
    static NodePtr makeBinary(BinaryOperator op, NodePtr left, NodePtr right);
    static NodePtr makeCall(Function function, const QString& name, std::vector<NodePtr> arguments);
};

// The node a reference argument stands for once parentheses around it are dropped.
const Node& withoutParentheses(const Node& node);

} // namespace platform::grid::formula
