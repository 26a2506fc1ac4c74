#pragma once

// The factors by which a report fitted to its paper (SELF_FIT) stretches its widths and heights: 1.0
// each when it is not fitted.
namespace engine
{

// ScaleY and ScaleX from the printer's and the designed paper, then DetailScale (CalcHeightScale) and
// the width factor (CalcWidthScale). A designed paper or column total of 0 throws platform::Error.
void CalcPrintScale();

// DetailScale: under "FIX" the page's height factor; with a number of rows (or "AUTO") the factor that
// makes RecordsPerPage detail blocks fill the printer's page below the margins and the fixed rows (the
// designed paper when the printer cannot be read).
void CalcHeightScale();

// ScaleX: the printer's width inside the left and right margins over the stored column widths.
void CalcWidthScale();

} // namespace engine
