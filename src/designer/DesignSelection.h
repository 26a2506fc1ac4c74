#pragma once

#include "platform/grid/GridTypes.h"
#include "store/DesignGrid.h"

namespace platform::grid
{
class Sheet;
}

// What the designer's edits read of the grid and the report: the selection and the report type.
namespace designer
{

using store::isDataReport;
using store::MarkerColumn;

// The grid's selection (its first range) with a whole-row or whole-column edge cut to the sheet's last
// column or row, so that counts taken from it are rows and columns the sheet has.
platform::grid::CellRange selectionWithinSheet(const platform::grid::Sheet& grid);

} // namespace designer
