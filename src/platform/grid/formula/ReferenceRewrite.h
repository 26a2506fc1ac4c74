#pragma once

#include "Formula.h"
#include "Node.h"

namespace platform::grid::formula
{

// Rewrites of the references of a tree. Branches without a changed reference are shared with the
// original; a reference that stops existing becomes the error literal #REF!.
NodePtr moveReferences(const NodePtr& root, int rowDelta, int colDelta);
NodePtr shiftReferences(const NodePtr& root, const ReferenceShift& shift);

} // namespace platform::grid::formula
