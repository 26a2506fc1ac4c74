#pragma once

#include "platform/grid/GridTypes.h"
#include "platform/grid/TextMeasure.h"

#include <functional>
#include <optional>
#include <QString>

namespace platform::grid
{
class Sheet;
}

// Fitting texts to the width of their cells, measured with the cell's font.
namespace engine
{

struct DataReportRun;

// The smallest font size shrinking goes down to, in points.
constexpr double MinShrinkFontPoints = 1;

// The width a cell's text has: its column, or the columns of its merged block.
int CellWidth(const platform::grid::Sheet& grid, int row, int col);

// The size a font of `designed` points shrinks to, `fits` telling whether the text fits at a size: the
// designed size when it fits, else the first of its whole number less 1, less 2... down to
// MinShrinkFontPoints that fits (the smallest when none does). Widths grow with the size, so the sizes
// are searched, not walked: a few measurements whatever the designed size.
double ShrunkFontSize(double designed, const std::function<bool(double)>& fits);

// Shrinks the font of the selection one point at a time (from the size rounded to a whole number)
// until the active cell's shown text fits its width, stopping at MinShrinkFontPoints. A cell that wraps
// its text is left as it is: it breaks lines instead.
// `written` is the value just written into the active cell, when the caller knows it: it spares reading
// the cell back.
void ShrinkToFit(platform::grid::Sheet& grid, const std::optional<platform::grid::CellValue>& written = {});

// The piece of `value` from position `start` (from 1) that is as wide as `count` characters "试" and a
// "T" in `font` (at least `count` characters, or the rest). When the previous piece was cut from the
// same value in the same record, the piece continues where that one ended instead of at `start`.
QString WidthFittedPiece(DataReportRun& run, const QString& value, int start, int count,
    const platform::grid::TextFont& font, long long page, int record);

} // namespace engine
