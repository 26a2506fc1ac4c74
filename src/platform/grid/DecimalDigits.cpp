#include "DecimalDigits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace platform::grid
{

namespace
{

QString withoutTrailingZeros(QString digits)
{
    int end = digits.size();
    while (end > 0 && digits[end - 1] == u'0')
        --end;
    digits.truncate(end);
    return digits;
}

} // namespace

DecimalDigits DecimalDigits::of(double value)
{
    DecimalDigits result;
    result.negative = std::signbit(value) && value != 0;
    if (value == 0)
        return result;
    // "d.dddddddddddddde±x": the mantissa's digits and the exponent of its first digit.
    char scientific[32];
    const auto written = std::to_chars(std::begin(scientific), std::end(scientific), std::fabs(value),
        std::chars_format::scientific, kSignificantDigits - 1);
    const char* e = std::find(scientific, written.ptr, 'e');
    QString digits;
    digits.reserve(kSignificantDigits);
    for (const char* c = scientific; c != e; ++c) {
        if (*c != '.')
            digits += QLatin1Char(*c);
    }
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), written.ptr, exponent);
    result.digits = withoutTrailingZeros(digits);
    result.pointPosition = exponent + 1;
    return result;
}

DecimalDigits DecimalDigits::roundedTo(int decimals) const
{
    const int keep = pointPosition + decimals;
    if (keep >= digits.size())
        return *this;
    DecimalDigits result;
    result.negative = negative;
    if (keep < 0)
        return result;
    QString kept = digits.left(keep);
    result.pointPosition = pointPosition;
    if (digits[keep] >= u'5') {
        int i = kept.size() - 1;
        while (i >= 0 && kept[i] == u'9') {
            kept[i] = u'0';
            --i;
        }
        if (i >= 0) {
            kept[i] = QChar(kept[i].unicode() + 1);
        } else {
            kept.prepend(u'1');
            ++result.pointPosition;
        }
    }
    result.digits = withoutTrailingZeros(kept);
    if (result.digits.isEmpty())
        result.pointPosition = 0;
    return result;
}

DecimalDigits DecimalDigits::withIntegerDigits(int count) const
{
    DecimalDigits result = *this;
    result.pointPosition = count;
    return result;
}

QString DecimalDigits::integerDigits() const
{
    if (pointPosition <= 0)
        return {};
    QString result = digits.left(pointPosition);
    return result.leftJustified(pointPosition, u'0');
}

QString DecimalDigits::fractionDigits(int count) const
{
    QString result;
    result.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int index = pointPosition + i;
        result += index >= 0 && index < digits.size() ? digits[index] : QChar(u'0');
    }
    return result;
}

double DecimalDigits::toDouble() const
{
    if (isZero())
        return 0;
    const std::string text = "0." + digits.toStdString() + 'e' + std::to_string(pointPosition);
    double magnitude = 0;
    std::from_chars(text.data(), text.data() + text.size(), magnitude);
    return negative ? -magnitude : magnitude;
}

} // namespace platform::grid
