#include "store/OrderRewrite.h"

#include "platform/db/Recordset.h"
#include "store/ReportLookups.h"
#include "platform/Error.h"
#include "platform/outside/FailureLog.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"
#include "store/UserNotice.h"

#include <QStringList>

namespace store
{

namespace
{

const QString MissingSortColumnMessage
    = QStringLiteral("当前某个排序字段并不存在实体表中，不进行数字排序方式打印报表");
const QString MissingSortColumnTitle = QStringLiteral("报表打印");

// The sort list without its numeric wrappers: "Convert(float," and every ")" removed.
QString unwrapped(const QString& order)
{
    QString text = trimBlanks(order);
    text.remove(QStringLiteral("Convert(float,"));
    text.remove(QLatin1Char(')'));
    return text;
}

struct SortColumn {
    QString table;
    QString column;
};

SortColumn sortColumnOf(const QString& item)
{
    const qsizetype dot = item.indexOf(QLatin1Char('.'));
    if (dot < 0)
        throw platform::Error(platform::errors::InvalidArgument, QStringLiteral("DealSQlOrder"),
            QStringLiteral("排序项“%1”没有表名。").arg(item));
    QString column = trimBlanks(item.mid(dot + 1));
    const qsizetype blank = column.indexOf(QLatin1Char(' '));
    if (blank >= 0)
        column = trimBlanks(column.left(blank)); // the direction word
    return { trimBlanks(item.left(dot)), column };
}


} // namespace

void DealSQlOrder(QString& order)
{
    if (order.isEmpty())
        return;
    platform::outside::runLogged("DealSQlOrder", [&] {
        QStringList kept;
        bool missing = false;
        for (const QString& piece : unwrapped(order).split(QLatin1Char(','))) {
            const QString item = trimBlanks(piece);
            if (item.isEmpty())
                continue;
            if (const SortColumn sort = sortColumnOf(item); ColumnExists(sort.table, sort.column))
                kept.append(item);
            else
                missing = true;
        }
        if (!missing)
            return;
        order = kept.join(QLatin1Char(','));
        WarnUser(MissingSortColumnMessage, platform::ui::Icon::Information, MissingSortColumnTitle);
    });
}

} // namespace store
