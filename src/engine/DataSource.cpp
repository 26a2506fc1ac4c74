#include "engine/DataSource.h"

#include "engine/EngineState.h"
#include "platform/db/Recordset.h"
#include "platform/outside/SharedObjects.h"
#include "platform/outside/StatExpressionObject.h"
#include "store/ReportDefinition.h"
#include "store/ReportState.h"
#include "store/TextConvert.h"

#include <algorithm>

namespace engine
{

QString ReportConditions(const DataReportRun& run)
{
    return JoinSqlCondition(
        run.definition().sql.SqlWhere, store::reportState().SelectWhere, QStringLiteral(" and "));
}

QString BuildDataSourceSql(DataReportRun& run, const QString& selectList)
{
    return BuildDataSourceSql(run, selectList, ReportDataSort(run));
}

QString BuildDataSourceSql(DataReportRun& run, const QString& selectList, const DataSort& sort)
{
    QString sql
        = QStringLiteral("select ") + selectList + QStringLiteral(" from ") + run.definition().sql.TablesName;
    const QString conditions = ReportConditions(run);
    if (!conditions.isEmpty())
        sql += QStringLiteral(" where ") + conditions;
    const QString order = sort.orderByText();
    if (!order.isEmpty())
        sql += QStringLiteral(" order by ") + order;
    return sql;
}

QString GetDataSourceSql(DataReportRun& run)
{
    const store::ReportDefinition& definition = run.definition();
    // The cells come by letter: an "I" cell before a "K" cell.
    const auto cell
        = std::find_if(definition.cells.begin(), definition.cells.end(), [](const store::StoredCell& c) {
              return c.letter == QLatin1String("I") || c.letter == QLatin1String("K");
          });
    if (cell == definition.cells.end())
        return QString();
    QString body = store::trimBlanks(cell->content).mid(3);
    run.StaticReport = body.compare(QLatin1String("staticreport"), Qt::CaseInsensitive) == 0;
    if (run.StaticReport)
        return QString();

    const store::ReportState& state = store::reportState();
    const auto expressions = platform::outside::sharedStatExpression();
    expressions->setConnection(state.Connection);
    expressions->setReportId(state.ReportId);
    QString sql = expressions->evaluateSql(body);
    // Read as the server will read it, so that no parameter's value is taken for a clause.
    if (cell->letter == QLatin1String("K"))
        sql = AddSqlCondition(sql, ReportConditions(run), SqlReading::of(state.Connection.get(), sql));
    if (!sql.trimmed().isEmpty())
        sql.replace(QStringLiteral("@Table@"), definition.groupId, Qt::CaseInsensitive);
    return sql;
}

} // namespace engine
