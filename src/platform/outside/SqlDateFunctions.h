#pragma once

#include "platform/db/Connection.h"

#include <optional>
#include <QString>

namespace platform::outside::sqldate
{

// The parts of a date that SQL Server's datepart, dateadd and datediff name.
enum class DatePart { Year, Quarter, Month, DayOfYear, Day, Week, Weekday, Hour, Minute, Second };

// The part a name or abbreviation stands for ("yyyy", "mm", "dd", "hh", "mi", ...).
std::optional<DatePart> datePartNamed(const QString& name);

// SQLite and PostgreSQL expressions with the results of SQL Server's date functions; std::nullopt for
// what has no counterpart here (week numbers).
std::optional<QString> datePart(DatePart part, const QString& value, db::Dialect target);
std::optional<QString> dateAdd(
    DatePart part, const QString& amount, const QString& value, db::Dialect target);
// Counts the boundaries of the part crossed from `from` to `to`, as SQL Server does.
std::optional<QString> dateDiff(DatePart part, const QString& from, const QString& to, db::Dialect target);
// The value as text in one of SQL Server's date styles of Convert (120, 121, 23, 102, 111, 112, 108).
std::optional<QString> dateText(const QString& value, int style, db::Dialect target);

} // namespace platform::outside::sqldate
