#pragma once

#include <QList>
#include <QString>

// The check of a stored report's definition before anything is built from it: what the engine cannot
// lay out is refused with a message that names the stored row, and what it leaves out (a cell or a
// format outside the design sheet, a group region of a level that does not exist) or counts although it
// lies beyond the sheet (a row height or column width) is logged.
namespace store
{

struct ReportDefinition;

// The rows and columns of a design sheet that a build lays out. A data report's page holds ROW_COUNT
// rows and COL_COUNT columns; a statistics report grows with its cells, up to the 16-bit row and column
// numbers of the layout.
struct DesignSheetBounds {
    int rows = 0;
    int cols = 0;

    // The rectangle lies on the sheet: from row and column 1 on, its end not before its begin.
    bool contains(int beginRow, int beginCol, int endRow, int endCol) const;
    bool contains(int row, int col) const { return contains(row, col, row, col); }
};
DesignSheetBounds designSheetBounds(int reportType, int rowCount, int colCount);
// The bounds of a definition (its type, ROW_COUNT and COL_COUNT).
DesignSheetBounds definitionSheetBounds(const ReportDefinition& definition);

struct DefinitionFault {
    QString message; // names the stored row
    // The build goes on and the fault is only logged: the item is left out, or kept as the message says.
    // Otherwise the report cannot be built.
    bool logged = false;
};

// Lists what is wrong with a definition's rows (report_index, report_info, report_format, report_data),
// in that order: a report type other than 1 or 2; a page setting that does not convert or lies outside
// its range (DATA_ROWS, PAGE_SIZE, margins, ROW_COUNT, COL_COUNT), a custom paper (PAGE_SIZE 256) whose
// note does not read or whose size is beyond the layout; for a data report a region text that does not
// read or whose end lies before its begin or beyond ROW_COUNT, no DATA_DETAIL row; a size list item that
// is no number; format rectangles and cells outside the design sheet (skipped), sizes beyond it (kept);
// for a data report then a column total while the detail band holds no cell on the sheet, a detail band
// without height where records per page or the fit depend on it, no column widths under SELF_FIT.
QList<DefinitionFault> CheckReportDefinition(const ReportDefinition& definition);

// Logs each region row that names no region (a group level beyond 1 to 3, or no number) as the check
// does: the designer's load leaves such rows out as the build does.
void LogUnknownRegionLevels(const ReportDefinition& definition);

// Runs the check before a build: every logged fault goes to the error log, and the first fault that
// stops the build is told to the user (store::NoticeUser) and gives false.
bool AcceptReportDefinition(const ReportDefinition& definition);

} // namespace store
