#pragma once

#include <QString>

namespace platform::db
{

// The one way a value from a user or a host enters an SQL text: between single quotes, every quote
// inside doubled, so that no value can end the literal early. sqlText("O'Neil") is 'O''Neil'.
QString sqlText(const QString& value);

// A number as an SQL numeric literal in plain fixed-point form ("3", "0.25", "-12.5").
QString sqlNumber(double value);

} // namespace platform::db
