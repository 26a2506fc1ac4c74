#pragma once

#include "store/RegionTable.h"
#include "store/ReportDefinition.h"
#include <memory>
#include <QString>

namespace platform::db
{
class Connection;
class Recordset;
} // namespace platform::db

namespace platform::outside
{
class User;
class SysInfo;
} // namespace platform::outside

namespace store
{

// The process-wide report state. Every property the host sets on CReportOrv lands here, and every
// subsystem reads its inputs from here rather than from the object. It also holds the report open in the
// designer, as the designer edits it: its identity, SQL pieces, page settings and region table. Building
// and printing never read those from here: they take the report's definition as it is stored, read in one
// snapshot (ReportDefinition), and leave its page settings here for the page setup to show. The state
// lives as long as the library is loaded and is never reset as a whole: a new CReportOrv resets only the
// few values of its creation, everything else keeps its last writer's value, also across objects. One
// thread uses it; nothing is locked.
struct ReportState : PageSettings, SqlPieces {
    // --- set by the host through CReportOrv ---------------------------------------------------------
    std::shared_ptr<platform::db::Connection> Connection;
    std::shared_ptr<platform::outside::User> User; // released when the print window closes
    std::shared_ptr<platform::outside::SysInfo> SysInfo; // released when the print window closes
    QString ReportId;
    QString ReportGroupId;
    QString TABLENAME;
    QString SelectWhere;
    QString SelectOrder; // the host's sort list, each item qualified with TABLENAME
    std::shared_ptr<platform::db::Recordset> DataRecordSet; // released when the print window closes
    QString ErrorMessage; // also the silent mode's messages
    bool IsPrintBlankReport = false;
    QString FactTableName;
    QString SourceSql; // the host's data-source SQL (GetSQL); every preparation works its own out

    // --- silent (web) printing -----------------------------------------------------------------------
    bool WebPrintMode = false;
    QString WebReportPath;

    // --- the report open in the designer (SQL pieces and page settings in the bases) --------------------
    QString ReportName;
    int ReportType = NoReportType;
    int DesignRowCount = 0; // the designer's working sheet size, saved as ROW_COUNT and COL_COUNT
    int DesignColCount = 0;

    store::RegionTable RegionTable;

    // --- kept for other subsystems -------------------------------------------------------------------
    QString SourceReportId; // the model report a group copy is copying
    QString StatusUserText; // panel 2 of the status bars

    // Set by every new CReportOrv: the print window sizes its visible page grid before it shows the
    // first page, then clears the flag.
    bool FirstPageSizing = true;
};

ReportState& reportState();

} // namespace store
