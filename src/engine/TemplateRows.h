#pragma once

#include "platform/grid/CellFormat.h"
#include "store/SizeLists.h"

#include <QList>
#include <QString>

// The template of the report in use (the report_format and report_data rows of its definition), laid out
// once per definition and replayed from memory for every page, and the rule that places template rows on
// a page.
namespace engine
{

struct DataReportRun;

using store::SizeItem;

struct TemplateFormatRow {
    int beginRow = 0; // the design-sheet rectangle; 0 where the row stores none
    int beginCol = 0;
    int endRow = 0;
    int endCol = 0;
    QString kind; // format_type, trimmed
    platform::grid::CellFormat format; // what a cell-format row sets (nothing for the size lists)
    QList<SizeItem> sizes; // ROWHEIGHT and COLWIDTH lists, items of rows within the sheet's rows
};

struct TemplateCellRow {
    int row = 0;
    int col = 0;
    QString letter; // data_type in the compared form
    QString content; // the cell's content text, both stored parts joined
};

// The rows on the design sheet; those off it have been logged by the definition check.
struct TemplateRows {
    QList<TemplateFormatRow> formats; // in format_order
    QList<TemplateCellRow> cells; // by letter, then row and column
};

// The rows of the definition in use, laid out on first use after it was given.
const TemplateRows& CurrentTemplateRows(DataReportRun& run);

// The detail band of the definition's regions.
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
DetailBand CurrentDetailBand(const DataReportRun& run);

// The row of a template row outside the detail band within its page: one below it (the page's first row
// is its top margin), and below the band moved down by (RecordsPerPage - 1) × the band's rows.
int PageRowOfTemplateRow(const DataReportRun& run, int templateRow);

} // namespace engine
