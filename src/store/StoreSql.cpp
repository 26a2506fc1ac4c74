#include "store/StoreSql.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlLiteral.h"
#include "platform/Error.h"
#include "platform/outside/SharedObjects.h"
#include "platform/outside/SqlAdapterObject.h"
#include "store/ReportState.h"

namespace store
{

platform::db::Connection& storeConnection()
{
    const auto& connection = reportState().Connection;
    if (!connection)
        throw platform::Error(
            platform::errors::DatabaseError, QStringLiteral("OrvReport"), QStringLiteral("没有数据库连接。"));
    return *connection;
}

std::unique_ptr<platform::db::Recordset> openStoreSql(const QString& sql)
{
    return platform::outside::sharedSqlAdapter()->open(sql, storeConnection());
}

int executeStoreSql(const QString& sql)
{
    return platform::outside::sharedSqlAdapter()->execute(sql, storeConnection());
}

QString reportIdLiteral()
{
    return platform::db::sqlText(reportState().ReportId);
}

QString selectReportRows(const QString& table, const QString& reportId, const QString& order)
{
    QString sql = QStringLiteral("select * from ") + table + QStringLiteral(" where report_id = ")
        + platform::db::sqlText(reportId);
    if (!order.isEmpty())
        sql += QStringLiteral(" order by ") + order;
    return sql;
}

} // namespace store
