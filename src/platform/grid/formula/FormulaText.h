#pragma once

#include "Node.h"

namespace platform::grid::formula
{

// The canonical text of a tree, without "=": no blanks, upper-case function names and references,
// numbers in their shortest exact form, the parentheses that were written. Parsing it gives the
// same tree.
QString formulaText(const Node& node);

} // namespace platform::grid::formula
