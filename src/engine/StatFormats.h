#pragma once

#include "engine/TemplateRows.h"

#include <QList>

namespace platform::grid
{
class Sheet;
}
namespace engine
{
struct DataReportRun;
struct StatisticsRun;
}

// The look of a statistics sheet: its stored formats, column widths and row heights, and the margin and
// filler columns that fit it to the paper.
namespace engine
{

// Applies the report's stored format rows in their stored order (read once with the cells). The run's
// StatColCount and StatRowCount become the highest column and row that the size lists name. A failure to read
// the rows is logged under "SetRptFormat".
void SetRptFormat(StatisticsRun& run, DataReportRun& report, platform::grid::Sheet& grid);

// Each row in turn: a row-height or column-width list, or a cell format over the row's rectangle (only
// what the format sets changes). A row that fails (a rectangle outside the sheet, a merge that would cut
// another) is logged under "ApplyStatFormats" and the next row applies.
void ApplyStatFormats(
    StatisticsRun& run, platform::grid::Sheet& grid, const QList<TemplateFormatRow>& formats);

// Column widths times StatWidthFactor, rounded; StatColCount grows to the highest column listed.
void ApplyStatColWidths(StatisticsRun& run, platform::grid::Sheet& grid, const QList<SizeItem>& widths);
// Row heights, rounded; StatRowCount grows to the highest row listed.
void ApplyStatRowHeights(StatisticsRun& run, platform::grid::Sheet& grid, const QList<SizeItem>& heights);

// Inserts the left-margin column (LEFT_MARGE wide) before column 1 and adds the filler column after the
// last one, which takes the printer's width that the others leave (0 when they leave none); the sheet
// ends at the filler column. StatColCount grows by both. A failure (a printer that does not answer)
// ends the fitting where it is, without a message.
void FitStatColumns(StatisticsRun& run, const DataReportRun& report, platform::grid::Sheet& grid);

} // namespace engine
