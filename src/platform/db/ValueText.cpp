#include "platform/db/ValueText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <QDateTime>
#include <QLocale>

namespace platform::db
{

namespace
{
const QString DateFormat = QStringLiteral("yyyy-MM-dd");
const QString DateTimeFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");
} // namespace

double roundedNumber(double value)
{
    // A number whose shortest text that reads back as it has at most 15 significant digits is its own
    // rounding, and so are most numbers a database holds ("2.25", "1999.9"): only the others are
    // formatted and read again.
    if (std::isfinite(value)) {
        char digits[32];
        char* end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific).ptr;
        char* exponent = std::find(digits, end, 'e');
        const auto significant = std::count_if(digits, exponent, [](char c) { return c >= '0' && c <= '9'; });
        if (significant <= 15)
            return value;
    }
    bool inRange = false;
    const double rounded = QString::number(value, 'g', 15).toDouble(&inRange);
    // Only the largest doubles round up past the largest one: they stay as they are.
    return inRange && std::isfinite(rounded) ? rounded : value;
}

QString numberText(double value)
{
    const double rounded = roundedNumber(value);
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
    // A text is bound as text, also an empty one that was never set (a driver binds a null QString as
    // NULL): NULL is a value without content.
    if (value.typeId() == QMetaType::QString && value.toString().isNull())
        return QString(QLatin1String(""));
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
