#pragma once

// The layout of a report's design grid, which the loader fills, the saver reads and the designer, its
// cell dialogs and the wizard lay out.
namespace store
{

// Column 1 of a data report's design grid shows the regions and holds no template content.
constexpr int MarkerColumn = 1;

// The report being designed has regions and a marker column (a data report).
bool isDataReport();

} // namespace store
