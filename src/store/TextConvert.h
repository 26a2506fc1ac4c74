#pragma once

#include <optional>
#include <QDateTime>
#include <QString>

// Conversions of stored texts to numbers, shared by every reader of the report tables: leading and
// trailing blanks are ignored, a decimal fraction is rounded to the nearest whole number (halves to
// the even one), and a text that is no number or does not fit the type gives none.
namespace store
{

// The text without leading and trailing blanks (only the blank character, as stored texts are padded).
QString trimBlanks(const QString& text);
// A stored keyword as it is compared: without blanks, in upper case (the database compares them without
// regard to case).
QString upperKeyword(const QString& text);

std::optional<double> toDouble(const QString& text);
std::optional<int> toShort(const QString& text); // 16-bit range
std::optional<int> toShort(double value);
std::optional<int> toLong(const QString& text); // 32-bit range

// A date ("2024-01-31", "2024/1/31") or a date and time ("2024-01-31 08:05:00", ISO 8601); a date alone
// gives midnight.
std::optional<QDateTime> toDateTime(const QString& text);

} // namespace store
