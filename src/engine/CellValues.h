#pragma once

#include "platform/grid/GridTypes.h"

#include <QString>

namespace platform::db
{
class Recordset;
}
namespace platform::grid
{
class Sheet;
}

// The value of one template cell on an output page: evaluated by the cell's content letter and written
// into the selected cell of the output grid, whose font then shrinks until the text fits the cell.
namespace engine
{

struct DataReportRun;

struct ReportCellItem;

// What a cell is evaluated against.
struct CellContext {
    const platform::db::Recordset* record = nullptr; // the current record (field and special-formula cells)
    int page = 0; // index of the page within the build, from 0
    int recordPosition = 0; // the record's position in its page from 1 ("AUTO": its sheet row); 0 outside
                            // the detail band
};

// Writes the value of `cell` into the grid's active cell (the first cell of the selection):
//   A  the text; with "&" its report parameters put in
//   B  the field `fieldIndex` of the record, with the cell's options (insert "FI"/"BI", take "F"/"B" of
//      "m-n", any other word: pieces of the width of n characters, consecutive cells continuing one value
//      within one record); a NULL writes nothing; under a date format a number such as 200305 reads as
//      2003-05-01 and the date is written as a date (one that not every spreadsheet program numbers
//      alike, before 1900-03-01, before year 1, in an era, "4713-01-01 BC", or beyond 9999, as its text
//      in the format, its sign or era kept), a text that is no date ("infinity") as it is
//   C  the system variables put in
//   E  the special formula over the record
//   F  the grid formula of the text, every "&" standing for the active row
//   I, K  the next row of the cell's own record set (CellRecordsets, slot fieldIndex)
//   J  the statement's value, "@Table@" standing for the report group; "a/b" the ratio of two statements
//   L  the same, the statement reading the report's tables under the report's and the host's conditions
//      (a statement that does not depend on the record runs once per build: IsRecordFreeStatement)
//   D, G, H, R and any other letter write nothing.
// Numbers are written as numbers by the rule of WriteCellText, other values as texts, so "0012" keeps
// its zeros; a number keeps the characters it was written with, which the General and text formats
// show (a field's number as the database shows it: "110101900307123", "0.00001"). A cell that cannot be
// evaluated (a failing statement, a ratio whose divisor is 0 or empty, a field mark without a field...) is
// logged under "SetCellDataValue" with its place and shows nothing; the build goes on. Never throws.
void SetCellDataValue(
    DataReportRun& run, platform::grid::Sheet& grid, const ReportCellItem& cell, const CellContext& context);

// A statement cell ("J", "L") whose value does not depend on the record or the page: a ratio, or a
// statement without field or cell marks ("#...#"). It runs once per build (RecordFreeSqlValue).
bool IsRecordFreeStatement(const ReportCellItem& cell);

// Writes a value into the grid's active cell: a number when its text is the number as typed or as the
// database shows it, to 15 significant digits ("12", "1E-05", "0.00001"), which keeps that form of its
// text for the General and text formats to show (NumberWritten), any other text as it is ("0012",
// "3.50", "=x"); "" empties the cell. Gives the value the cell now holds.
platform::grid::CellValue WriteCellText(platform::grid::Sheet& grid, const QString& text);

} // namespace engine
