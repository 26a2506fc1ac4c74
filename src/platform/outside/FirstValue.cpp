#include "platform/outside/FirstValue.h"

#include "platform/db/Recordset.h"
#include "platform/outside/SharedObjects.h"
#include "platform/outside/SqlAdapterObject.h"

namespace platform::outside
{

QString firstValueText(const QString& sql, db::Connection& connection)
{
    const auto rows = sharedSqlAdapter()->open(sql, connection);
    if (rows->recordCount() == 0 || rows->fieldCount() == 0)
        return {};
    rows->moveFirst();
    return rows->text(0);
}

} // namespace platform::outside
