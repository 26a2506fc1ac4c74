#pragma once

#include <algorithm>
#include <charconv>
#include <cmath>
#include <QLocale>
#include <QString>

// A number's digits as a desktop database shows them, shared by the database layer (a field's text) and
// the grid (the characters a number was written with), so that both give the same text for a number.
namespace platform
{

// The number rounded to 15 significant digits. A number whose shortest text that reads back as it has
// at most 15 significant digits is its own rounding, and so are most numbers a database holds ("2.25",
// "1999.9"): only the others are formatted and read again. A number that would round past the largest
// double (from ±1.797693134862315e308) stays as it is, with all its digits.
inline double roundedTo15Digits(double value)
{
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
    return inRange && std::isfinite(rounded) ? rounded : value;
}

// A finite number as plain fixed-point text, rounded to 15 significant digits: 3.0 gives "3", 0.1 gives
// "0.1", 1e20 gives "100000000000000000000", never an exponent.
inline QString fixedPointText(double value)
{
    const double rounded = roundedTo15Digits(value);
    if (rounded == 0)
        return QStringLiteral("0");
    return QString::number(rounded, 'f', QLocale::FloatingPointShortest);
}

} // namespace platform
