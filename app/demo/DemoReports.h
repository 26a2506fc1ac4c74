#pragma once

#include <QString>

namespace platform::db
{
class Connection;
}

namespace demo
{

// The sample reports of the demo archive, both in the report group "wsda".
// A data report listing the documents, grouped by filing year and retention period:
inline const QString DataReportId = QStringLiteral("20240101090000000001");
inline const QString DataReportName = QStringLiteral("文书档案目录");
// A statistics report counting documents and pages per retention period:
inline const QString StatisticsReportId = QStringLiteral("20240101090000000002");
inline const QString StatisticsReportName = QStringLiteral("文书档案统计表");
inline const QString SampleReportGroup = QStringLiteral("wsda");

// Writes the sample reports of the demo archive into the report tables.
void insertSampleReports(platform::db::Connection& connection);

} // namespace demo
