#include "store/TextConvert.h"

#include <cmath>
#include <limits>

namespace store
{

namespace
{

std::optional<int> toWholeNumber(double value, double lowest, double highest)
{
    const double rounded = std::nearbyint(value); // the default rounding mode sends halves to even
    if (!(rounded >= lowest && rounded <= highest))
        return std::nullopt;
    return static_cast<int>(rounded);
}

std::optional<int> toWholeNumber(const QString& text, double lowest, double highest)
{
    const auto value = toDouble(text);
    if (!value)
        return std::nullopt;
    return toWholeNumber(*value, lowest, highest);
}

} // namespace

QString trimBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

QString upperKeyword(const QString& text)
{
    return trimBlanks(text).toUpper();
}

std::optional<double> toDouble(const QString& text)
{
    bool ok = false;
    const double value = trimBlanks(text).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> toShort(const QString& text)
{
    return toWholeNumber(text, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max());
}

std::optional<int> toShort(double value)
{
    return toWholeNumber(value, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max());
}

std::optional<int> toLong(const QString& text)
{
    return toWholeNumber(text, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
}

std::optional<QDateTime> toDateTime(const QString& text)
{
    const QString trimmed = trimBlanks(text);
    static const char* const dateTimeFormats[]
        = { "yyyy-M-d h:m:s", "yyyy/M/d h:m:s", "yyyy-M-d h:m", "yyyy/M/d h:m" };
    for (const char* format : dateTimeFormats) {
        const QDateTime value = QDateTime::fromString(trimmed, QLatin1String(format));
        if (value.isValid())
            return value;
    }
    static const char* const dateFormats[] = { "yyyy-M-d", "yyyy/M/d" };
    for (const char* format : dateFormats) {
        const QDate value = QDate::fromString(trimmed, QLatin1String(format));
        if (value.isValid())
            return value.startOfDay();
    }
    const QDateTime iso = QDateTime::fromString(trimmed, Qt::ISODate);
    if (iso.isValid())
        return iso;
    return std::nullopt;
}

} // namespace store
