#include "platform/db/SqlLiteral.h"

#include "platform/db/ValueText.h"

namespace platform::db
{

QString sqlText(const QString& value)
{
    QString doubled = value;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

QString sqlNumber(double value)
{
    return numberText(value);
}

} // namespace platform::db
