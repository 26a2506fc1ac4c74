#pragma once

#include "platform/grid/GridTypes.h"

namespace platform::grid
{
class Sheet;
}

// What the designer's edits read of the grid and the report: the selection and the report type.
namespace designer
{

// Column 1 of a data report's design grid shows the regions and holds no template content.
constexpr int MarkerColumn = 1;

// The report being designed has regions and a marker column (a data report).
bool isDataReport();

// The grid's selection (its first range) with a whole-row or whole-column edge cut to the sheet's last
// column or row, so that counts taken from it are rows and columns the sheet has.
platform::grid::CellRange selectionWithinSheet(const platform::grid::Sheet& grid);

} // namespace designer
