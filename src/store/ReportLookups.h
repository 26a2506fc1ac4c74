#pragma once

#include <QDateTime>
#include <QString>

// Small look-ups and starters that several subsystems share. They read the connection and the current
// report's identity from the report state; database errors reach the caller.
namespace store
{

// Starts the new-report wizard with the state's group, report name and table and returns its Finish
// value (WizardNotFinished when it was not shown).
int RunReportWizard();

// Has the statistics-report definition write a new report named by the state's ReportName into the
// state's group; the state's ReportId becomes the new report's id, saved or not. True when it was saved.
bool CreateStatReport();

// report_index.note of the report ("" when it has no row or no note). A note holding ".rpt" or ".doc"
// names the template file of a report printed outside the grid.
QString GetReportNote(const QString& reportId);

// report_index.report_name of the report ("" when it has no row).
QString GetReportName(const QString& reportId);

// True when table_struct_description describes that column of that table.
bool ColumnExists(const QString& table, const QString& column);

// table_description.table_chn_name of the table ("" when it has no row or no name).
QString GetTableChnName(const QString& table);

// The database server's current time, to the whole second.
QDateTime GetServerDate();

// Sets the state's ReportId to the report of the state's group named by the state's ReportName; leaves
// it as it was when the group has no report of that name.
void GetReportIdByName();

} // namespace store
