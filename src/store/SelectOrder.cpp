#include "store/SelectOrder.h"

#include "store/TextConvert.h"
#include <QStringList>

namespace store
{

QString QualifySelectOrder(const QString& order, const QString& table)
{
    if (!order.contains(QLatin1Char(',')))
        return order;
    QStringList items;
    for (const QString& item : order.split(QLatin1Char(','))) {
        if (item.contains(QLatin1Char('.')))
            items << item;
        else
            items << table + QLatin1Char('.') + trimBlanks(item);
    }
    return items.join(QLatin1Char(','));
}

} // namespace store
