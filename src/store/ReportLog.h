#pragma once

#include <QString>

namespace store
{

// Operation words of the use log.
inline const QString LogWordPrint = QStringLiteral("打印");
inline const QString LogWordExport = QStringLiteral("导出");

// Adds one report_logs row for a print or an export of the current report: the state's table and its
// Chinese name, the state's user, the database server's time, the report's name and the host's
// condition with every "'" turned into "@". A failure to read the report's name reaches the caller;
// any later failure (no user object, the server time, the insert) only loses the row, so that the
// print or export goes on.
void WriteReportLog(const QString& operationWord);

} // namespace store
