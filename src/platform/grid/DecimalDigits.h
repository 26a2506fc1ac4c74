#pragma once

#include <QString>

namespace platform::grid
{

// A number as a spreadsheet shows it: at most 15 significant decimal digits, rounded half away from
// zero. Formatting and the ROUND function work on these digits rather than on the binary double, so
// that 1.005 rounds to 1.01 and 0.1 + 0.2 shows as 0.3.
//
// The magnitude is 0.d1d2d3... × 10^pointPosition: "12345" with pointPosition 3 is 123.45, "123" with
// pointPosition -2 is 0.00123. Zero has no digits.
struct DecimalDigits {
    QString digits; // no leading or trailing zeros
    int pointPosition = 0;
    bool negative = false;

    static constexpr int kSignificantDigits = 15;

    // `value` must be finite.
    static DecimalDigits of(double value);

    bool isZero() const { return digits.isEmpty(); }
    // Rounded half away from zero to `decimals` places after the point (negative: before it).
    DecimalDigits roundedTo(int decimals) const;
    DecimalDigits roundedToSignificant(int count) const { return roundedTo(count - pointPosition); }
    // The same digits with the point moved so that `count` digits stand before it.
    DecimalDigits withIntegerDigits(int count) const;

    QString integerDigits() const; // "" below one
    QString fractionDigits(int count) const; // exactly `count` digits after the point
    double toDouble() const;
};

} // namespace platform::grid
