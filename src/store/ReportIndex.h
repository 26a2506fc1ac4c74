#pragma once

#include <QString>
#include <QStringList>

// The report_index rows that the designer's name commands read and write. Names compare as the
// database compares texts (without regard to letter case); a failing statement throws platform::Error.
namespace store
{

// Gives the report its new name.
void SetReportName(const QString& reportId, const QString& name);

// True when that report of that group bears the name.
bool ReportBearsName(const QString& reportId, const QString& groupId, const QString& name);

// True when a report of the group bears the name.
bool GroupHasReportNamed(const QString& groupId, const QString& name);

// The names of the group's reports of that type, trimmed, in the database's order.
QStringList ReportNamesOfGroup(const QString& groupId, int reportType);

} // namespace store
