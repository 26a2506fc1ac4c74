#pragma once

#include "Node.h"

namespace platform::grid::formula
{

// Builds the tree of a formula (without "="). Operators bind as in spreadsheets, from loosest to
// tightest: comparisons, &, + -, * /, ^, %, unary minus and plus, the range colon. Throws
// platform::Error (InvalidArgument) naming the problem.
NodePtr parseFormula(const QString& formula);

} // namespace platform::grid::formula
