#pragma once

#include "platform/grid/CellFormat.h"

#include <QList>
#include <QString>

// The stored template of the current data report (its report_format and report_data rows), read once per
// preparation and replayed from memory for every page, and the rule that places template rows on a page.
namespace engine
{

// One item of a stored size list: a row or column number and its size in twips.
struct SizeItem {
    int index = 0;
    double twips = 0;
};

// The items of a ROWHEIGHT or COLWIDTH list; items that do not read as a number and a size are left out.
QList<SizeItem> ParseSizeList(const QString& list);

struct TemplateFormatRow {
    int beginRow = 0; // the design-sheet rectangle; 0 where the row stores none
    int beginCol = 0;
    int endRow = 0;
    int endCol = 0;
    QString kind; // format_type, trimmed
    platform::grid::CellFormat format; // what a cell-format row sets (nothing for the size lists)
    QList<SizeItem> sizes; // ROWHEIGHT and COLWIDTH lists
};

struct TemplateCellRow {
    int row = 0;
    int col = 0;
    QString letter; // data_type, trimmed
    QString content; // the cell's content text, both stored parts joined
};

struct TemplateRows {
    const void* connection = nullptr; // where they were read: a new report or database reads them again
    QString reportId;
    QList<TemplateFormatRow> formats; // in format_order
    QList<TemplateCellRow> cells; // by letter, then row and column
};

// The rows of the current report, read on first use after a preparation (or when the report changed).
// A failing read throws platform::Error.
const TemplateRows& CurrentTemplateRows();

// The detail band of the region table.
struct DetailBand {
    bool present = false;
    int beginRow = 0;
    int endRow = 0;

    bool contains(int templateRow) const
    {
        return present && templateRow >= beginRow && templateRow <= endRow;
    }
    bool isBelow(int templateRow) const { return present && templateRow > endRow; }
};
DetailBand CurrentDetailBand();

// The row of a template row outside the detail band within its page: one below it (the page's first row
// is its top margin), and below the band moved down by (RecordsPerPage - 1) × the band's rows.
int PageRowOfTemplateRow(int templateRow);

} // namespace engine
