#pragma once

#include <QString>
#include <QVariant>

namespace platform::grid
{
class Sheet;
}

// The "#" marks of the statements in value cells: they take values of the current record or of cells
// already written on the page, always as SQL literals.
namespace engine
{

struct DataReportRun;

// Replaces every mark "#name#" of `sql`:
// - "#field#" or "#table.field#": the field of the buffered current record (RecordBufferRs);
// - "#C3$#" (column letters, a template row, "$"s anywhere): the text of that template cell on page `page`
//   (0-based within the build);
// - "#C&#": the text, trimmed, of column C in the detail block of record `recordPosition`, at the row of
//   the first detail cell of that column (the active row `row` when there is none); `row` comes out as
//   the row used.
// A value enters as platform::db::fillMarks puts it in, so that it stays a value: a mark may stand with
// or without quotes around it, or inside a longer literal. A NULL or blank value after "=" turns the
// comparison into "is null", elsewhere in code it becomes NULL, inside a longer literal the empty text.
// Throws platform::Error for a field that the record does not have and for a "$" mark without a row
// number. A text shorter than 3 characters gives "".
QString ReplaceFieldMarks(const DataReportRun& run, platform::grid::Sheet& grid, const QString& sql, int& row,
    int page, int recordPosition);

// The value of a field of the buffered current record: a null QVariant for NULL, else its text trimmed.
// Throws platform::Error (3265) when no field matches.
QVariant GetRecordFieldValue(const DataReportRun& run, const QString& name);

// Column letters to a column number: "A" 1, "z" 26, "AA" 27; an empty or blank text 0. Beyond two letters
// only the last counts ("ABC" is 3): the grid has no such columns.
int ColumnLettersToNumber(const QString& letters);

} // namespace engine
