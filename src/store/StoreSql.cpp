#include "store/StoreSql.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
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

std::unique_ptr<platform::db::Recordset> openStoreSql(const QString& sql, const QVariantList& values)
{
    return platform::outside::sharedSqlAdapter()->open(sql, storeConnection(), values);
}

int executeStoreSql(const QString& sql, const QVariantList& values)
{
    return platform::outside::sharedSqlAdapter()->execute(sql, storeConnection(), values);
}

std::unique_ptr<platform::db::Recordset> openReportRows(
    const QString& table, const QString& reportId, const QString& order)
{
    QString sql = QStringLiteral("select * from ") + table + QStringLiteral(" where report_id = ?");
    if (!order.isEmpty())
        sql += QStringLiteral(" order by ") + order;
    return openStoreSql(sql, { reportId });
}

} // namespace store
