#pragma once

#include <QString>

namespace platform::db
{
class Connection;
}

namespace demo
{

// The sample reports of the demo archive, all in the report group "wsda".
// A data report listing the documents, grouped by filing year and retention period:
inline const QString DataReportId = QStringLiteral("20240101090000000001");
inline const QString DataReportName = QStringLiteral("文书档案目录");
// A statistics report counting documents and pages per retention period:
inline const QString StatisticsReportId = QStringLiteral("20240101090000000002");
inline const QString StatisticsReportName = QStringLiteral("文书档案统计表");
// The same documents filled into a word-processor template shipped beside the component:
inline const QString WordReportId = QStringLiteral("20240101090000000003");
inline const QString WordReportName = QStringLiteral("文书档案目录（Word）");
inline const QString WordReportTemplate = QStringLiteral("文书档案目录.docx");
inline const QString SampleReportGroup = QStringLiteral("wsda");

// Writes the sample reports of the demo archive into the report tables.
void insertSampleReports(platform::db::Connection& connection);

} // namespace demo
