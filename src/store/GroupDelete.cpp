#include "store/GroupDelete.h"

#include "platform/db/Recordset.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"

namespace store
{

QStringList GroupReportIds(const QString& groupId)
{
    const auto reports
        = openStoreSql(QStringLiteral("select * from report_index where report_group_id = ?"), { trimBlanks(groupId) });
    QStringList ids;
    for (reports->moveFirst(); !reports->eof(); reports->moveNext())
        ids.append(trimBlanks(reports->text(QStringLiteral("report_id"))));
    return ids;
}

void DeleteReportRows(const QString& reportId)
{
    for (const char* table : { "report_data", "report_format", "report_info", "report_index" })
        executeStoreSql(
            QStringLiteral("delete from ") + QLatin1String(table) + QStringLiteral(" where report_id = ?"), { reportId });
}

bool DeleteGroupReports(const QStringList& groupIds)
{
    try {
        for (const QString& groupId : groupIds) {
            for (const QString& reportId : GroupReportIds(groupId))
                runInTransaction([&] { DeleteReportRows(reportId); });
        }
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace store
