#pragma once

#include "engine/EngineState.h"

#include <QString>

namespace platform::grid
{
class Sheet;
}
namespace store
{
struct ReportRegion;
}

// The engine's cell lists from the stored template cells, and the fixed texts of a page. Lists are
// rebuilt whole on every load, so nothing of an earlier report stays in them. A cell whose stored
// content is no content text ("@", a letter A to L or R, "|", body) is logged and left out.
namespace engine
{

// HeadCells, GroupCells and TotalCells from the cells outside the detail band (texts "A" and pictures
// "D" are not listed): field cells of a group head or tail go to GroupCells, column totals "R" to
// TotalCells, every other cell to HeadCells. Rows are page rows (PageRowOfTemplateRow). Within a list
// the cells stand by letter, then row and column. Needs the record buffer of the data (field indexes).
void LoadOuterCellData(DataReportRun& run);

// DetailCells from the cells of the detail band (row: template row + 1), and for each statement cell
// "I" or "K" its own record set in CellRecordsets. A statement that cannot be opened is logged and its
// cell keeps field index -1; a failure of the whole load is logged under "GetRptDetailData".
void GetRptDetailData(DataReportRun& run);

// Writes the fixed texts ("A") outside the detail band into the page (below PageFirstRow unless
// `atSheetTop`).
void FillRptFixedText(DataReportRun& run, platform::grid::Sheet& grid, bool atSheetTop);

// One template cell as a list item. A field cell ("B") is resolved against the run's record buffer: its
// text becomes the column name, its field index the buffer field (-1 when none, or without a run), and its
// options the two texts between its "&" marks. Other letters keep their text and field index -1.
ReportCellItem ParseCellExpression(
    const DataReportRun* run, int row, int col, const QString& letter, const QString& text);

// The first two texts between the "&" marks of a field body such as "C&3-2&F&" ("3-2" and "F"); a body
// with one "&" only gives the text before it as `option1`. Options stay as they were for a blank text.
void NextExpressionTerm(const QString& text, QString& option1, QString& option2);

// True when the template row lies in a present group head or group tail.
bool IsGroupRegionRow(const DataReportRun& run, int templateRow);
bool RowInRegion(int templateRow, const store::ReportRegion& region);

} // namespace engine
