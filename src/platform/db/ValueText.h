#pragma once

#include <optional>
#include <QString>
#include <QVariant>

class QSqlQuery;

namespace platform::db
{

// A number as plain fixed-point text, rounded to 15 significant digits as a desktop database shows
// it: 3.0 gives "3", 0.1 gives "0.1", 1e20 gives "100000000000000000000", never an exponent.
QString numberText(double value);

// The number rounded to the 15 significant digits that numberText shows: numberText(x) is the shortest
// fixed-point text of roundedNumber(x). A number that would round past the largest double (from
// ±1.797693134862315e308) stays as it is, with all its digits.
double roundedNumber(double value);

// The text form of a field value: "" for NULL, whole numbers as they are, other numbers through
// numberText (an infinity or NaN as the words "Infinity", "-Infinity", "NaN"), dates "yyyy-MM-dd",
// date-times "yyyy-MM-dd hh:mm:ss" (also at midnight, so that the text matches the stored value again),
// Booleans "True"/"False".
QString valueText(const QVariant& value);

// The value of a PostgreSQL date or timestamp field of the query's current row as the server wrote it,
// when the driver's date cannot hold it: an era ("4713-01-01 BC", which the driver reads as the same
// day after Christ), a year beyond 9999 ("10000-01-01") or an infinity ("infinity", "-infinity"), both
// of which it reads as no date. None for any other value, NULL, or another driver.
std::optional<QString> postgresDateText(const QSqlQuery& query, int field);

// The value as it is handed to a driver for binding: dates and date-times become their text form,
// which SQLite stores and compares as text and PostgreSQL reads for its date and timestamp columns; a
// text is bound as text, a null QString as "" (NULL is a QVariant without a value).
QVariant bindableValue(const QVariant& value);

} // namespace platform::db
