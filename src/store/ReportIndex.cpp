#include "store/ReportIndex.h"

#include "platform/db/Recordset.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"

namespace store
{

namespace
{

bool anyIndexRow(const QString& condition, const QVariantList& values)
{
    return !openStoreSql(QStringLiteral("select report_id from report_index where ") + condition, values)->eof();
}

const QString GroupAndName = QStringLiteral("report_group_id = ? and report_name = ?");

} // namespace

void SetReportName(const QString& reportId, const QString& name)
{
    executeStoreSql(QStringLiteral("update report_index set report_name = ? where report_id = ?"), { name, reportId });
}

bool ReportBearsName(const QString& reportId, const QString& groupId, const QString& name)
{
    return anyIndexRow(QStringLiteral("report_id = ? and ") + GroupAndName, { reportId, groupId, name });
}

bool GroupHasReportNamed(const QString& groupId, const QString& name)
{
    return anyIndexRow(GroupAndName, { groupId, name });
}

QStringList ReportNamesOfGroup(const QString& groupId, int reportType)
{
    const auto rows
        = openStoreSql(QStringLiteral("select report_name from report_index where report_group_id = ? "
                                      "and report_type = ?"),
            { groupId, reportType });
    QStringList names;
    for (rows->moveFirst(); !rows->eof(); rows->moveNext())
        names.append(trimBlanks(rows->text(0)));
    return names;
}

} // namespace store
