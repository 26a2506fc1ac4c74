#pragma once

#include <QString>

namespace platform::db
{

// A text as a plain literal: between single quotes, every quote inside doubled. sqlText("O'Neil") is
// 'O''Neil'. Read back as that text by SQLite, SQL Server and PostgreSQL with standard_conforming_strings
// on, not by PostgreSQL reading backslashes as escapes: the component's statements bind their values, and
// a value spliced into a stored statement takes Connection::literal.
QString sqlText(const QString& value);
// The text as it stands between the quotes of such a literal: every quote doubled.
QString doubledQuotes(QString value);

// A number as an SQL numeric literal in plain fixed-point form ("3", "0.25", "-12.5").
QString sqlNumber(double value);

} // namespace platform::db
