#include "platform/db/SqlLiteral.h"

#include "platform/db/ValueText.h"

namespace platform::db
{

QString doubledQuotes(QString value)
{
    return value.replace(QLatin1Char('\''), QLatin1String("''"));
}

QString sqlText(const QString& value)
{
    return QLatin1Char('\'') + doubledQuotes(value) + QLatin1Char('\'');
}

QString sqlNumber(double value)
{
    return numberText(value);
}

} // namespace platform::db
