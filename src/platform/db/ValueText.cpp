#include "platform/db/ValueText.h"

#include "platform/NumberText.h"

#include <cmath>
#include <cstring>
#include <dlfcn.h>
#include <QDateTime>
#include <QSqlQuery>
#include <QSqlResult>

namespace platform::db
{

namespace
{
const QString DateFormat = QStringLiteral("yyyy-MM-dd");
const QString DateTimeFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");

// The two functions of libpq that read a value of a result as the server wrote it, taken from the libpq
// that Qt's PostgreSQL driver has loaded (the component does not link libpq itself).
struct ResultReader {
    using GetValue = const char* (*)(const void* result, int row, int column);
    using GetIsNull = int (*)(const void* result, int row, int column);
    GetValue value = nullptr;
    GetIsNull isNull = nullptr;

    static const ResultReader& loaded()
    {
        static const ResultReader reader = [] {
            ResultReader found;
            if (void* library = dlopen("libpq.so.5", RTLD_LAZY | RTLD_NOLOAD)) {
                found.value = reinterpret_cast<GetValue>(dlsym(library, "PQgetvalue"));
                found.isNull = reinterpret_cast<GetIsNull>(dlsym(library, "PQgetisnull"));
            }
            return found;
        }();
        return reader;
    }
};

// Whether the server's text of a date or timestamp is one that a QDate does not hold as written: a year
// of more than four digits, an era, or no digit first (infinity).
bool beyondDriverDates(const char* text)
{
    const std::size_t size = std::strlen(text);
    if (size == 0)
        return false;
    if (text[0] < '0' || text[0] > '9')
        return true;
    if (size >= 3 && std::strcmp(text + size - 3, " BC") == 0)
        return true;
    const char* dash = std::strchr(text, '-');
    return dash && dash - text > 4;
}
} // namespace

double roundedNumber(double value)
{
    return platform::roundedTo15Digits(value);
}

QString numberText(double value)
{
    return platform::fixedPointText(value);
}

QString valueText(const QVariant& value)
{
    if (value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        // An infinity or NaN of a float column as the database writes it (PostgreSQL's words).
        const double number = value.toDouble();
        if (std::isnan(number))
            return QStringLiteral("NaN");
        if (std::isinf(number))
            return number < 0 ? QStringLiteral("-Infinity") : QStringLiteral("Infinity");
        return numberText(number);
    }
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

std::optional<QString> postgresDateText(const QSqlQuery& query, int field)
{
    const QSqlResult* result = query.result();
    const QVariant handle = result ? result->handle() : QVariant();
    // The driver's handle is libpq's PGresult, a struct pg_result.
    if (!handle.isValid() || qstrcmp(handle.typeName(), "pg_result*") != 0)
        return std::nullopt;
    const void* pgResult = *static_cast<void* const*>(handle.constData());
    const ResultReader& reader = ResultReader::loaded();
    if (!pgResult || !reader.value || !reader.isNull)
        return std::nullopt;
    // A query read row by row holds its current row alone.
    const int row = query.isForwardOnly() ? 0 : query.at();
    if (row < 0 || reader.isNull(pgResult, row, field))
        return std::nullopt;
    const char* text = reader.value(pgResult, row, field);
    if (!text || !beyondDriverDates(text))
        return std::nullopt;
    return QString::fromUtf8(text);
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
