#pragma once

#include "platform/grid/GridTypes.h"

#include <QString>

namespace platform::grid
{
class Sheet;
}

// The report_data rows of a report: one per non-empty cell or merged area of the design grid, holding
// the cell's content (long contents in two parts). Field cells are stored with database names and shown
// with Chinese names.
namespace store
{

struct ReportDefinition;

// Writes every stored content of the definition into its cell of the grid, as text (never parsed as a
// number or formula), field cells in their Chinese form; a cell before row or column 1 is left out.
void LoadRptData(platform::grid::Sheet& grid, const ReportDefinition& definition);

// Inserts one row per non-empty cell or merged area of the block, in row order, holding the cell's entry
// (what was typed: a formula with its "=", a number in general form), so that it reads back unchanged.
// Throws platform::Error when an insert fails.
void GetRptDataInfo(const platform::grid::Sheet& grid, int firstRow, int firstCol, int lastRow, int lastCol);

// Inserts the row of one content at the range's first cell: data_type is the content's second character,
// a field cell ("@B|" only) gets its database name, a long content is split in two.
void UpdateRptDataToDB(const platform::grid::CellRange& range, const QString& text);

} // namespace store
