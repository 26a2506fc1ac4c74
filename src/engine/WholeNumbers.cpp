#include "engine/WholeNumbers.h"

#include "platform/Error.h"

#include <cmath>
#include <limits>

namespace engine
{

namespace
{

const QString Source = QStringLiteral("OrvReport");

platform::Error overflow(double value)
{
    return platform::Error(platform::errors::Overflow, Source, QStringLiteral("溢出：%1").arg(value));
}

int roundWithin(double value, double lowest, double highest)
{
    const double rounded = std::nearbyint(value); // the default rounding mode sends halves to even
    if (!(rounded >= lowest && rounded <= highest))
        throw overflow(value);
    return static_cast<int>(rounded);
}

int fitWithin(long long value, long long lowest, long long highest)
{
    if (value < lowest || value > highest)
        throw overflow(static_cast<double>(value));
    return static_cast<int>(value);
}

platform::Error divisionByZero()
{
    return platform::Error(platform::errors::DivisionByZero, Source, QStringLiteral("除数为零"));
}

} // namespace

int roundInt16(double value)
{
    return roundWithin(value, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max());
}

int fitInt16(long long value)
{
    return fitWithin(value, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max());
}

int roundInt32(double value)
{
    return roundWithin(value, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
}

int fitInt32(long long value)
{
    return fitWithin(value, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
}

long long wholeQuotient(long long a, long long b)
{
    if (b == 0)
        throw divisionByZero();
    return a / b;
}

double ratio(double a, double b)
{
    if (b == 0)
        throw divisionByZero();
    return a / b;
}

} // namespace engine
