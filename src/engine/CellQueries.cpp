#include "engine/CellQueries.h"

#include "engine/EngineState.h"
#include "engine/SqlClauses.h"
#include "platform/db/ValueText.h"
#include "platform/Error.h"
#include "platform/outside/FailureLog.h"
#include "platform/outside/FirstValue.h"
#include "platform/outside/SharedObjects.h"
#include "platform/outside/StatExpressionObject.h"
#include "store/ReportDefinition.h"
#include "store/ReportState.h"

#include <cmath>

namespace engine
{

namespace
{

const QString Source = QStringLiteral("SqlCell");

double ratioPart(const QString& valueText, const QString& statement)
{
    bool ok = false;
    const double value = valueText.trimmed().toDouble(&ok);
    if (!ok)
        throw platform::Error(platform::errors::TypeMismatch, Source,
            QStringLiteral("比值的一项没有数值（“%1”）：%2").arg(valueText, statement.trimmed()));
    return value;
}

// The first value of a statement with the report parameters put in; "0" for an empty sum.
QString firstValue(const QString& statement, const QString& sql)
{
    const store::ReportState& state = store::reportState();
    if (!state.Connection)
        throw platform::Error(platform::errors::InvalidArgument, Source, QStringLiteral("没有数据库连接"));
    const QString value = platform::outside::firstValueText(statement, *state.Connection);
    if (value.isEmpty() && sql.contains(QLatin1String("sum("), Qt::CaseInsensitive))
        return QStringLiteral("0");
    return value;
}

// GetSQLValue, keeping the values by final text in `known` when it is given; a statement that failed
// keeps its "" there, so it fails (and is logged) once.
QString sqlValue(const QString& sql, QHash<QString, QString>* known)
{
    const store::ReportState& state = store::reportState();
    const auto expressions = platform::outside::sharedStatExpression();
    expressions->setConnection(state.Connection);
    expressions->setReportId(state.ReportId);
    if (sql.startsWith(u'&'))
        return expressions->evaluate(sql).remove(u'\'');
    return platform::outside::logged("GetSQLValue", QString(), [&] {
        const QString statement = expressions->evaluateSql(sql);
        if (!known)
            return firstValue(statement, sql);
        if (const auto found = known->constFind(statement); found != known->cend())
            return *found;
        const QString value
            = platform::outside::logged("GetSQLValue", QString(), [&] { return firstValue(statement, sql); });
        known->insert(statement, value);
        return value;
    });
}

} // namespace

QString GetSQLValue(const QString& sql)
{
    return sqlValue(sql, nullptr);
}

QString RecordFreeSqlValue(DataReportRun& run, const QString& sql)
{
    return sqlValue(sql, &run.StatementValues);
}

double RoundValue(double value, int digits)
{
    const double scale = std::pow(10.0, digits);
    return std::floor(value * scale + 0.5) / scale;
}

QString WithReportConditions(const DataReportRun& run, const QString& sql)
{
    const store::ReportState& state = store::reportState();
    // Only the statement's own words count, not a field's value in a literal.
    const SqlReading reading = SqlReading::of(state.Connection.get(), sql);
    const qsizetype where = IndexInCode(sql + QStringLiteral("     "), QLatin1String(" where "), reading);
    const QString own = where < 0 ? QString() : sql.mid(where + 7);
    const QString conditions = JoinSqlCondition(own, state.SelectWhere, QStringLiteral(" and "));
    const qsizetype from = IndexInCode(sql, QLatin1String(" from "), reading);
    if (from < 0)
        return sql;
    QString result = sql.left(from + 1) + QStringLiteral(" from ") + run.definition().sql.TablesName;
    if (!conditions.isEmpty())
        result += QStringLiteral(" where ") + conditions;
    return result;
}

QString SqlRatioText(const QString& text, const std::function<QString(const QString&)>& valueOf)
{
    const qsizetype slash = text.indexOf(u'/');
    const QString first = text.left(slash);
    const QString second = text.mid(slash + 1);
    const double dividend = ratioPart(valueOf(first), first);
    const double divisor = ratioPart(valueOf(second), second);
    if (divisor == 0)
        throw platform::Error(platform::errors::DivisionByZero, Source,
            QStringLiteral("比值的除数为零：%1").arg(second.trimmed()));
    return platform::db::numberText(RoundValue(dividend / divisor, 6));
}

} // namespace engine
