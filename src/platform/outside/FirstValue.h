#pragma once

#include <QString>

namespace platform::db
{
class Connection;
}

namespace platform::outside
{

// Runs a statement through the SQL adapter and gives the first column of its first row as text: "" when
// it gives no row or NULL. A failing statement throws platform::Error.
QString firstValueText(const QString& sql, db::Connection& connection);

} // namespace platform::outside
