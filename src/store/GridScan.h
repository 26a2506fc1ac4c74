#pragma once

#include "platform/grid/GridTypes.h"

#include <QList>
#include <QString>

namespace platform::grid
{
class Sheet;
}

// The scan of a design grid into report_format rows: lists of column widths and row heights, and for
// every cell or merged area of a block one row per format kind that has something to say. Nothing is
// compared between neighbouring cells, so each cell's look is stored whole.
namespace store
{

// The cells and merged areas of the block in row order, each once, met at its first cell; a merged area
// is handed over whole. An empty block (first row after last row, or first column after last column)
// has none.
QList<platform::grid::CellRange> scanRanges(
    const platform::grid::Sheet& grid, int firstRow, int firstCol, int lastRow, int lastCol);

// Writes the report_format rows of one save, numbering them 1, 2, 3 ... in the order written. Every
// statement that fails throws platform::Error, so that the save around it fails whole.
class FormatRowWriter
{
public:
    // The format_order of the next row.
    int FormatOrderCounter = 1;

    // One rectangle row; nothing for an empty text.
    void UpdateFormatToDB(const platform::grid::CellRange& range, const QString& kind, const QString& text);
    // One ROWHEIGHT list (with its first and last row) or COLWIDTH list.
    void InsertRowFormat(const QString& kind, const QString& list, int beginRow, int endRow);
    void InsertColFormat(const QString& kind, const QString& list);
};

// The COLWIDTH lists of the columns, written once per save.
void SaveColWidth(FormatRowWriter& writer, const platform::grid::Sheet& grid, int firstCol, int lastCol);
// The ROWHEIGHT lists of the rows of one band; an empty band still writes one empty list.
void SaveRowHeight(FormatRowWriter& writer, const platform::grid::Sheet& grid, int firstRow, int lastRow);
// One row of `kind` for each cell or merged area that has something to say of it.
void GetFormatProperty(FormatRowWriter& writer, const platform::grid::Sheet& grid, const QString& kind,
    const QList<platform::grid::CellRange>& ranges);
// One MERGE row for each merged area.
void ScanMerge(FormatRowWriter& writer, const platform::grid::Sheet& grid,
    const QList<platform::grid::CellRange>& ranges);
// One block: its ROWHEIGHT lists, then for FONT, ALIGNMENT, BORDER, INPUTFORMAT and WRAPTEXT in turn one
// row per cell or merged area, then one MERGE row per merged area.
void SaveFormat(FormatRowWriter& writer, const platform::grid::Sheet& grid, int firstRow, int firstCol,
    int lastRow, int lastCol);

} // namespace store
