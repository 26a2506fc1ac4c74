#include "store/ReportIndex.h"

#include "platform/db/Recordset.h"
#include "platform/db/SqlLiteral.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"

namespace store
{

using platform::db::sqlText;

namespace
{

bool anyIndexRow(const QString& condition)
{
    return !openStoreSql(QStringLiteral("select report_id from report_index where ") + condition)->eof();
}

QString groupAndName(const QString& groupId, const QString& name)
{
    return QStringLiteral("report_group_id = ") + sqlText(groupId) + QStringLiteral(" and report_name = ")
        + sqlText(name);
}

} // namespace

void SetReportName(const QString& reportId, const QString& name)
{
    executeStoreSql(QStringLiteral("update report_index set report_name = ") + sqlText(name)
        + QStringLiteral(" where report_id = ") + sqlText(reportId));
}

bool ReportBearsName(const QString& reportId, const QString& groupId, const QString& name)
{
    return anyIndexRow(QStringLiteral("report_id = ") + sqlText(reportId) + QStringLiteral(" and ")
        + groupAndName(groupId, name));
}

bool GroupHasReportNamed(const QString& groupId, const QString& name)
{
    return anyIndexRow(groupAndName(groupId, name));
}

QStringList ReportNamesOfGroup(const QString& groupId, int reportType)
{
    const auto rows
        = openStoreSql(QStringLiteral("select report_name from report_index where report_group_id = ")
            + sqlText(groupId) + QStringLiteral(" and report_type = ") + QString::number(reportType));
    QStringList names;
    for (rows->moveFirst(); !rows->eof(); rows->moveNext())
        names.append(trimBlanks(rows->text(0)));
    return names;
}

} // namespace store
