#pragma once

#include <QString>

namespace platform::grid
{
class Sheet;
}

// The four page margins of a data report as sheet sizes: the height of a page's first row (top) and
// last row (bottom), the width of its first column (left) and last column (right), from the margins
// stored in inches.
namespace engine
{

// Default margin sizes in twips, used where a report stores none or an empty or non-numeric value.
constexpr int DefaultTopMarginTwips = 567;
constexpr int DefaultBottomMarginTwips = 567;
constexpr int DefaultLeftMarginTwips = 1134;
constexpr int DefaultRightMarginTwips = 567;

// Sets row 1, row PageSheetRows, column 1 and column PageSheetCols from the stored margin rows, read from
// the database on the first call of a preparation and replayed from memory afterwards. A margin without
// a row keeps the grid's size; without any margin row the defaults are laid out (SetDefaultLayout). A
// size beyond 16 bits throws platform::Error, leaving the margins after it as they were.
void LoadPageMargins(platform::grid::Sheet& grid);

// The default sizes on the grid, and the default margins (in inches) in the report state.
void SetDefaultLayout(platform::grid::Sheet& grid);

// One margin: `infoType` TOP_MARGE, BOTTOM_MARGE, LEFT_MARGE or RIGHT_MARGE (other keys do nothing), its
// size in inches, or -1 for that margin's default.
void ApplyPageMargin(platform::grid::Sheet& grid, const QString& infoType, double inches);

// Without fitting to the paper, the last column takes the printer's width that the other columns leave
// (0 when they leave none).
void SetFillerColWidth(platform::grid::Sheet& grid);

} // namespace engine
