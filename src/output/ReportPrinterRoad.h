#pragma once

#include <QByteArray>
#include <QString>

// Reports on a report-printer template (".rpt"): an outside program prints them. It is handed the
// connection, the full report query and the template's name in a data file, datareport.xml, and the
// component waits until it has ended.
namespace output
{

// Settings of the road: section "PrintSetup", "ReportInit" the prerequisite steps started (five before
// the program is used) and "ReportPrinter" the program's path when it is not the component folder's
// "reportprinter".
inline const QString ReportPrinterSection = QStringLiteral("PrintSetup");
inline const QString ReportInitKey = QStringLiteral("ReportInit");
inline const QString ReportPrinterKey = QStringLiteral("ReportPrinter");
constexpr int PrerequisiteStepCount = 5;

// The whole job for the template `templateName` (a file of the component folder).
void RunReportPrinter(const QString& templateName);

// The connection as the program's "Dsn": from the first "dsn" (any case) on, without one closing
// double quote; a connection string without "dsn" is handed whole.
QString DsnOf(const QString& connectionString);

// datareport.xml: a one-row record set saved in the record-set XML persistence format, with the text
// fields "Dsn", "Sql" and "reportname".
QByteArray ReportPrinterData(const QString& dsn, const QString& sql, const QString& reportName);

} // namespace output
