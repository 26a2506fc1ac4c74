#pragma once

#include "store/RegionTable.h"
#include "store/ReportKeywords.h"
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

// ReportType of report_index and of the state: 1 data report, 2 statistics report (0 before any).
enum ReportType : int { NoReportType = 0, DataReport = 1, StatisticsReport = 2 };

// The process-wide report state. Every property the host sets on CReportOrv lands here, and every
// subsystem reads its inputs from here rather than from the object; it also holds the current report's
// identity, SQL pieces, page settings and region table. It lives as long as the library is loaded and is
// never reset as a whole: a new CReportOrv resets only the few values of its creation, everything else
// keeps its last writer's value, also across objects. One thread uses it; nothing is locked.
struct ReportState {
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

    // --- silent (web) printing -----------------------------------------------------------------------
    bool WebPrintMode = false;
    QString WebReportPath;

    // --- the current report --------------------------------------------------------------------------
    QString ReportName;
    int ReportType = NoReportType;

    // SQL pieces of report_info.
    QString SqlSelect;
    QString SqlWhere;
    QString SqlOrder;
    QString TablesName; // comma list, items used exactly as stored

    // Page settings of report_info.
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
    int DesignRowCount = 0; // the designer's working sheet size, saved as ROW_COUNT and COL_COUNT
    int DesignColCount = 0;

    store::RegionTable RegionTable;

    // --- kept for other subsystems -------------------------------------------------------------------
    QString SourceReportId; // the model report a group copy is copying
    bool UseCallerRecordset = false; // the host's record set is the data of the report being built
    QString StatusUserText; // panel 2 of the status bars

    // Set by every new CReportOrv: the print window sizes its visible page grid before it shows the
    // first page, then clears the flag.
    bool FirstPageSizing = true;
};

ReportState& reportState();

} // namespace store
