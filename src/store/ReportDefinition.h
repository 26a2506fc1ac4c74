#pragma once

#include "store/RegionTable.h"
#include "store/ReportKeywords.h"
#include "store/SizeLists.h"

#include <optional>
#include <QList>
#include <QString>
#include <QStringList>

namespace store
{

// ReportType of report_index: 1 data report, 2 statistics report (0 before any).
enum ReportType : int { NoReportType = 0, DataReport = 1, StatisticsReport = 2 };

// The page settings of report_info (DATA_ROWS, SELF_FIT, PAGE_RECOUNT, PAGE_SIZE, PAGE_LANDSCAPE, the four
// margins, ROW_COUNT, COL_COUNT); a setting without a row has its default.
struct PageSettings {
    int DataRows = keywords::defaults::DataRows; // records per page, or DataRowsFixMode / DataRowsAutoMode
    bool SelfFit = keywords::defaults::SelfFit;
    bool PageRecount = keywords::defaults::PageRecount;
    int PageSize = keywords::defaults::PageSize;
    bool PageLandscape = keywords::defaults::PageLandscape;
    double LeftMarge = keywords::defaults::LeftMarge; // inches
    double RightMarge = keywords::defaults::OtherMarge;
    double TopMarge = keywords::defaults::OtherMarge;
    double BottomMarge = keywords::defaults::OtherMarge;
    int RowCount = keywords::defaults::RowCount; // ROW_COUNT and COL_COUNT as stored
    int ColCount = keywords::defaults::ColCount;
};

// The SQL pieces of a data report (SQL_SELECT, SQL_WHERE, SQL_ORDER, TABLES_NAME rows of report_info).
struct SqlPieces {
    QString SqlSelect;
    QString SqlWhere;
    QString SqlOrder;
    QString TablesName; // comma list, items used exactly as stored
};

// One report_info row: its keyword in the compared form (trimmed, upper case), its info_order (0 when
// it is no whole number), its description exactly as stored, its note trimmed and its info_order as
// stored (trimmed), by which a message names a level that is no number.
struct StoredInfoRow {
    QString type;
    int order = 0;
    QString description;
    QString note;
    QString orderText;
};

// One report_format row: its kind in the compared form, its rectangle (0 where a number is missing), its
// description trimmed, and for ROWHEIGHT and COLWIDTH rows the items of its size list.
struct StoredFormatRow {
    int order = 0;
    QString kind;
    int beginRow = 0;
    int beginCol = 0;
    int endRow = 0;
    int endCol = 0;
    QString description;
    QList<SizeItem> sizes;
};

// One report_data row: its cell (0 where a number is missing), its letter (data_type in the compared
// form) and its content text, both stored parts joined.
struct StoredCell {
    int row = 0;
    int col = 0;
    QString letter;
    QString content;
};

// A report's whole definition as one snapshot of the four report tables gave it: the rows as stored,
// and what they say, each read by its one parser. A plain value: it holds no connection, no window and
// no state, so that every road (the engine's checks and builds, the print and preview windows, the web
// export, the Word and report-printer roads, the designer) reads the same report from it.
struct ReportDefinition {
    QString reportId;

    // report_index; `indexed` is false when the report has no index row.
    bool indexed = false;
    QString name;
    QString groupId;
    QString typeText; // report_type as stored, trimmed
    int type = NoReportType; // as stored; NoReportType when it is no 16-bit whole number
    QString templateNote; // the note naming a ".rpt" or ".doc" template

    QList<StoredInfoRow> info; // in info_order
    QList<StoredFormatRow> formats; // in format_order
    QList<StoredCell> cells; // by letter, row and column

    // What the report_info rows say. A page setting or region text that does not read keeps its default
    // (no region); `unreadable` says which, as the designer's loading refuses them and the definition
    // check names them.
    SqlPieces sql;
    PageSettings page;
    RegionTable regions;
    QStringList unreadable;
    // The PAGE_SIZE row's note; none without that row.
    std::optional<QString> paperNote;

    bool isDataReport() const { return type == DataReport; }
    // The items of every ROWHEIGHT or COLWIDTH list, in format_order.
    QList<SizeItem> rowHeights() const;
    QList<SizeItem> colWidths() const;
};

// Fills the definition's SQL pieces, page settings, regions, unreadable texts and paper note from its
// report_info rows, read in their order: SQL pieces are joined (SqlPieces.h), a page setting or region
// row replaces what an earlier one of its kind gave.
void interpretInfoRows(ReportDefinition& definition);

} // namespace store
