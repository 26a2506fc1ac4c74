#pragma once

#include "engine/EngineState.h"
#include "engine/TemplateRows.h"

#include <QList>
#include <QString>
#include <QVector>

namespace platform::grid
{
class Sheet;
}
namespace engine
{
struct StatisticsRun;
}

// The cells of a statistics report: loaded from the stored template and written into the sheet, each by
// its content letter.
namespace engine
{

// The run's StatCells from every stored cell of the report; a failure is logged under "GetRptDataInfo"
// and leaves StatCells empty.
void GetRptDataInfo(StatisticsRun& run, DataReportRun& report);
// StatCells from the text ("A") and picture ("D") cells only, for the preview; a failure throws.
void GetRptTextAndPictureData(StatisticsRun& run, DataReportRun& report);
// StatCells from the given stored cells: row, column, letter and the body of the cell's content text.
void ReadRptDataItems(StatisticsRun& run, const QList<TemplateCellRow>& cells);

// Writes every cell of StatCells whose row and column are not 0 at its place, after growing
// StatRowCount and StatColCount to the cells, so that no cell lies beyond the sheet. A cell that cannot
// be placed is logged under "WriteData" and the next one is written. The run's Output, when set, is
// then told of the pictures placed.
void WriteData(StatisticsRun& run, platform::grid::Sheet& grid);

// Writes one cell into the grid's active cell (selected by the caller), by its letter:
//   A  the text; with "&" the report parameters put in
//   C  the system variables put in, "%p" being the page the cell lands on and "%P" the number of pages,
//      both read from `pageStarts` (the first sheet row of each page)
//   D  the picture of the file named by the text, over the selected cells
//   E  the special formula's value; H the named SQL formula's value
//   F  the text as the cell's formula
//   G  the first value of the statement
// and nothing for any other letter. A cell that fails is logged under "WriteStatCell" and stays empty.
void WriteStatCell(StatisticsRun& run, platform::grid::Sheet& grid, const ReportCellItem& cell,
    const QVector<int>& pageStarts);

// The special formula's value (a new evaluator on the host's connection).
QString EvalKindE(const QString& formula);
// Writes the value of the named SQL formula into the active cell.
void EvalKindH(platform::grid::Sheet& grid, const QString& formulaName);

// Places the picture of the file at `path` over the selection; the run's StatPictureCount grows by one
// and the picture and its drawing object id (0 when the file cannot be read, which is logged under
// "InsertStatPicture") join StatPictures and StatPictureIds.
void InsertStatPicture(StatisticsRun& run, platform::grid::Sheet& grid, const QString& path);

// The system variables of a statistics cell: those of every report, with "%p" the page number and "%P"
// the page count given here; "%N" (a record number) is empty, since a statistics report has no records.
QString ExpandPageMacros(const QString& text, int page, int pageCount);

} // namespace engine
