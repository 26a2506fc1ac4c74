#pragma once

#include <QString>
#include <QStringList>

namespace store
{

// The ids of the reports of a group (report_index.report_group_id, compared trimmed).
QStringList GroupReportIds(const QString& groupId);

// Deletes one report's rows from report_data, report_format, report_info and report_index, in that
// order; throws platform::Error when a statement fails.
void DeleteReportRows(const QString& reportId);

// Deletes every report of the given groups, each report in a transaction of its own, so that a report is
// either gone whole or kept whole. False at the first failure; the reports deleted before it stay
// deleted.
bool DeleteGroupReports(const QStringList& groupIds);

} // namespace store
