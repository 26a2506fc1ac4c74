#include "engine/DataSource.h"

#include "engine/EngineState.h"
#include "platform/db/Recordset.h"
#include "platform/outside/SharedObjects.h"
#include "platform/outside/StatExpressionObject.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"

namespace engine
{

QString ReportConditions()
{
    const store::ReportState& state = store::reportState();
    return JoinSqlCondition(state.SqlWhere, state.SelectWhere, QStringLiteral(" and "));
}

QString BuildDataSourceSql(const QString& selectList)
{
    return BuildDataSourceSql(selectList, ReportDataSort());
}

QString BuildDataSourceSql(const QString& selectList, const DataSort& sort)
{
    QString sql
        = QStringLiteral("select ") + selectList + QStringLiteral(" from ") + store::reportState().TablesName;
    const QString conditions = ReportConditions();
    if (!conditions.isEmpty())
        sql += QStringLiteral(" where ") + conditions;
    const QString order = sort.orderByText();
    if (!order.isEmpty())
        sql += QStringLiteral(" order by ") + order;
    return sql;
}

QString GetDataSourceSql()
{
    const auto cells = store::openStoreSql(QStringLiteral("select * from report_data where report_id=")
        + store::reportIdLiteral()
        + QStringLiteral(" and (data_type='I' or data_type='K') order by data_type"));
    if (cells->recordCount() == 0)
        return QString();
    cells->moveFirst();
    QString body = store::trimBlanks(cells->text(QStringLiteral("data_description1"))).mid(3);
    DataEngineState& engine = dataEngine();
    engine.StaticReport = body.compare(QLatin1String("staticreport"), Qt::CaseInsensitive) == 0;
    if (engine.StaticReport)
        return QString();
    body += cells->text(QStringLiteral("data_description2"));

    const store::ReportState& state = store::reportState();
    const auto expressions = platform::outside::sharedStatExpression();
    expressions->setConnection(state.Connection);
    expressions->setReportId(state.ReportId);
    QString sql = expressions->evaluateSql(body);
    if (cells->text(QStringLiteral("data_type")).trimmed().toUpper() == QLatin1String("K"))
        sql = AddSqlCondition(sql, ReportConditions());
    if (!sql.trimmed().isEmpty())
        sql.replace(QStringLiteral("@Table@"), state.ReportGroupId, Qt::CaseInsensitive);
    return sql;
}

} // namespace engine
