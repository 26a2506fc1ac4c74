#pragma once

#include <QList>
#include <QString>

namespace store
{

// One item of a property string, its value decoded.
struct PropertyItem {
    QString name;
    int dataType = 0;
    QString value;
};

// Every item of a property string in order. An item runs from its "@" to the next "@" that is not
// escaped inside a value; items that do not split (no "|" after the name) are left out, so a malformed
// text yields what it holds and never stops the reader.
QList<PropertyItem> propertyItems(const QString& propertyString);

} // namespace store
