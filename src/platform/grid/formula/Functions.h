#pragma once

#include "../GridTypes.h"
#include "Node.h"

namespace platform::grid::formula
{

class Evaluator;

struct FunctionInfo {
    Function id;
    const char* name;
    int minArguments;
    int maxArguments;
};

// The built-in function of that name (any case); nullptr for a name the formulas do not know.
const FunctionInfo* findFunction(QStringView name);

// The value of a Call node. An unknown function gives #NAME?.
CellValue callFunction(const Evaluator& evaluator, const Node& call);

} // namespace platform::grid::formula
