#pragma once

#include "engine/WholeNumbers.h"
#include "platform/grid/GridTypes.h"

namespace engine
{

// A page margin stored in inches as whole twips, rounded as the page sizes are (halves to the even
// number; a margin beyond 16 bits throws the overflow error).
inline int marginTwips(double inches)
{
    return roundInt16(inches * platform::grid::kTwipsPerInch);
}

} // namespace engine
