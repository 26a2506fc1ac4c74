#pragma once

#include "platform/db/Connection.h"

#include <QString>

namespace platform::outside
{

// Rewrites a statement written in SQL Server's dialect (as stored reports and hosts write them) into
// the dialect of SQLite or PostgreSQL: getdate(), Convert(type, x[, style]), isnull(, len(, substring(,
// charindex(, left(/right( (SQLite), year(/month(/day(, datepart(, dateadd(, datediff(, [name],
// N'text', "select top n", "dbo." and "with (nolock)"; on PostgreSQL an order list also sorts NULL
// first, as SQL Server does. Literals, quoted names and comments are never touched; what it does not
// know ("+" joining texts among others) stays as written. Literals, comments and names are read as the
// target's server reads them (plain literals with backslash escapes when `backslashEscapes`), so that
// nothing inside what it reads as a literal is rewritten. For SQL Server the text comes back unchanged.
// The rewritten text stays within a fixed multiple of the original's length; calls nested too deep for
// that (or for the stack) throw platform::Error (errors::InvalidArgument) saying so.
QString rewriteSqlServerDialect(const QString& sql, db::Dialect target, bool backslashEscapes = false);

} // namespace platform::outside
