#pragma once

#include "platform/db/Connection.h"

#include <memory>
#include <QString>
#include <QVariantList>

namespace platform::db
{
class Recordset;
}

namespace platform::outside
{

// How sqlLiteral writes a value.
enum class LiteralKind {
    Text = 1, // the value with its quotes doubled, for the caller to place between single quotes
    Date = 2, // a whole literal: '2024-01-31' or '2024-01-31 08:30:00', NULL for an empty value
    Number = 3, // a whole numeric literal, NULL for an empty value
};

// The SQL adapter every statement passes through before it runs: stored reports and hosts write SQL
// Server's dialect, and the adapter rewrites it for the connected database.
class SqlAdapterObject
{
public:
    // The statement for the target database (a PostgreSQL server reading plain literals with backslash
    // escapes when `backslashEscapes`); SQL Server gets it unchanged. Throws platform::Error for calls
    // nested too deep to rewrite.
    QString adaptSql(const QString& sql, db::Dialect target, bool backslashEscapes = false) const;
    // The statement for the connection's server, as it reads it.
    QString adaptSql(const QString& sql, const db::Connection& connection) const;

    // A value's form for an SQL text. Date values are read in the usual forms ("2024-01-31",
    // "2024/1/31", "2024-01-31 08:30:00", "20240131", "2024年1月31日"); a text that is no date is
    // kept as a quoted text. A Number value that is no number throws platform::Error, as it would
    // otherwise reach the statement as SQL.
    QString sqlLiteral(const QString& value, LiteralKind kind) const;

    // Adapts the statement to the connection's dialect and opens it as a record set, read-only, with
    // `values` bound to its "?" placeholders in order.
    std::unique_ptr<db::Recordset> open(
        const QString& sql, db::Connection& connection, const QVariantList& values = {}) const;
    // Adapts the statement to the connection's dialect and runs it with `values` bound; returns the rows
    // it affected.
    int execute(const QString& sql, db::Connection& connection, const QVariantList& values = {}) const;
};

} // namespace platform::outside
