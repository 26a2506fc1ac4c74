#include "store/PropertyItems.h"

#include "store/clsPropertyHandle.h"

namespace store
{

namespace
{

bool escaped(const QString& text, qsizetype at)
{
    qsizetype backslashes = 0;
    while (at - backslashes - 1 >= 0 && text.at(at - backslashes - 1) == QLatin1Char('\\'))
        ++backslashes;
    return backslashes % 2 == 1;
}

qsizetype nextItemStart(const QString& text, qsizetype from)
{
    qsizetype at = text.indexOf(QLatin1Char('@'), from);
    while (at >= 0 && escaped(text, at))
        at = text.indexOf(QLatin1Char('@'), at + 1);
    return at;
}

} // namespace

QList<PropertyItem> propertyItems(const QString& propertyString)
{
    QList<PropertyItem> items;
    qsizetype start = nextItemStart(propertyString, 0);
    while (start >= 0) {
        const qsizetype end = nextItemStart(propertyString, start + 1);
        const QString item = propertyString.mid(start, end < 0 ? -1 : end - start);
        PropertyItem parsed;
        if (clsPropertyHandle::SeparateString(item, parsed.name, parsed.dataType, parsed.value))
            items.append(parsed);
        start = end;
    }
    return items;
}

} // namespace store
