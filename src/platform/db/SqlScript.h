#pragma once

#include <QString>
#include <QStringList>

namespace platform::db
{

// Splits a script into its statements at every ";" that stands outside quotes, comments and
// PostgreSQL dollar-quoted bodies. Comments are dropped; empty statements are left out.
QStringList splitSqlScript(const QString& script);

} // namespace platform::db
