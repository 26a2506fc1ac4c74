#include "ReferenceRewrite.h"

#include <functional>
#include <optional>

namespace platform::grid::formula
{

namespace
{

struct Corners {
    CellReference first;
    CellReference last;
};

// Gives the new corners of a reference (a single cell has equal corners), or nullopt when the
// reference no longer exists.
using CornerMap = std::function<std::optional<Corners>(const Corners&)>;

NodePtr rewrite(const NodePtr& node, const CornerMap& map)
{
    if (node->kind == NodeKind::Reference || node->kind == NodeKind::Range) {
        const std::optional<Corners> moved = map({ node->first, node->last });
        if (!moved)
            return Node::makeNamed(NodeKind::Error, QStringLiteral("#REF!"));
        if (moved->first == node->first && moved->last == node->last)
            return node;
        return node->kind == NodeKind::Reference ? Node::makeReference(moved->first)
                                                 : Node::makeRange(moved->first, moved->last);
    }
    std::vector<NodePtr> operands;
    bool changed = false;
    for (const NodePtr& operand : node->operands) {
        operands.push_back(rewrite(operand, map));
        changed = changed || operands.back() != operand;
    }
    if (!changed)
        return node;
    auto copy = std::make_shared<Node>(*node);
    copy->operands = std::move(operands);
    return copy;
}

bool inside(const CellRange& range, const CellReference& cell)
{
    return range.contains(cell.row, cell.col);
}

// A corner inside a deleted block moves to the block's edge in the direction the cells close up:
// the first corner to the first cell after the block, the last corner to the last cell before it.
void clampToDeletedEdge(Corners& corners, const ReferenceShift& shift)
{
    const CellRange deleted = shift.deleted.normalized();
    if (inside(deleted, corners.first)) {
        if (shift.rowDelta != 0)
            corners.first.row = deleted.row2 + 1;
        else if (shift.colDelta != 0)
            corners.first.col = deleted.col2 + 1;
    }
    if (inside(deleted, corners.last)) {
        if (shift.rowDelta != 0)
            corners.last.row = deleted.row1 - 1;
        else if (shift.colDelta != 0)
            corners.last.col = deleted.col1 - 1;
    }
}

std::optional<Corners> shiftCorners(Corners corners, const ReferenceShift& shift)
{
    if (shift.hasDeleted) {
        const CellRange area { corners.first.row, corners.first.col, corners.last.row, corners.last.col };
        if (shift.deleted.normalized().contains(area))
            return std::nullopt;
        clampToDeletedEdge(corners, shift);
    }
    const CellRange moved = shift.moved.normalized();
    for (CellReference* corner : { &corners.first, &corners.last }) {
        if (inside(moved, *corner)) {
            corner->row += shift.rowDelta;
            corner->col += shift.colDelta;
        }
    }
    if (corners.first.row > corners.last.row || corners.first.col > corners.last.col)
        return std::nullopt;
    if (!corners.first.isOnSheet() || !corners.last.isOnSheet())
        return std::nullopt;
    return corners;
}

} // namespace

NodePtr moveReferences(const NodePtr& root, int rowDelta, int colDelta)
{
    return rewrite(root, [=](Corners corners) -> std::optional<Corners> {
        for (CellReference* corner : { &corners.first, &corners.last }) {
            corner->row += corner->rowAbsolute ? 0 : rowDelta;
            corner->col += corner->colAbsolute ? 0 : colDelta;
            if (!corner->isOnSheet())
                return std::nullopt;
        }
        return corners;
    });
}

NodePtr shiftReferences(const NodePtr& root, const ReferenceShift& shift)
{
    return rewrite(root, [&shift](const Corners& corners) { return shiftCorners(corners, shift); });
}

} // namespace platform::grid::formula
