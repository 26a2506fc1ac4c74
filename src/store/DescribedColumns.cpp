#include "store/DescribedColumns.h"

#include "platform/Error.h"
#include "platform/outside/FailureLog.h"
#include "store/TextConvert.h"

namespace store
{

bool NamesAField(const QString& table, const QString& column, const QString& caption, const char* procedure)
{
    if (!trimBlanks(column).isEmpty())
        return true;
    platform::outside::reportFailure(procedure,
        platform::Error(platform::errors::InvalidArgument, QStringLiteral("table_struct_description"),
            QStringLiteral("表 %1 的字段说明“%2”没有字段名（column_name），已略过。")
                .arg(trimBlanks(table), trimBlanks(caption))));
    return false;
}

} // namespace store
