#pragma once

// The layout of the design grid that the cell dialogs and the designer share.
namespace dialogs
{

// Column 1 of a data report's design grid shows the regions and holds no template content.
constexpr int MarkerColumn = 1;

// The report being designed has regions and a marker column (a data report).
bool isDataReport();

} // namespace dialogs
