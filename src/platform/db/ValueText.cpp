#include "platform/db/ValueText.h"

#include <QDateTime>
#include <QLocale>

namespace platform::db
{

namespace
{
const QString DateFormat = QStringLiteral("yyyy-MM-dd");
const QString DateTimeFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");
} // namespace

QString numberText(double value)
{
    const double rounded = QString::number(value, 'g', 15).toDouble();
    if (rounded == 0)
        return QStringLiteral("0");
    return QString::number(rounded, 'f', QLocale::FloatingPointShortest);
}

QString valueText(const QVariant& value)
{
    if (value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return numberText(value.toDouble());
    case QMetaType::QDate:
        return value.toDate().toString(DateFormat);
    case QMetaType::QDateTime:
        return value.toDateTime().toString(DateTimeFormat);
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("hh:mm:ss"));
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return value.toString();
    }
}

QVariant bindableValue(const QVariant& value)
{
    if (value.isNull())
        return QVariant();
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(DateFormat);
    case QMetaType::QDateTime:
        return value.toDateTime().toString(DateTimeFormat);
    default:
        return value;
    }
}

} // namespace platform::db
