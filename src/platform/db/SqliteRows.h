#pragma once

#include "platform/db/ValueTable.h"

#include <QSqlQuery>

namespace platform::db
{

// Appends the rows of a SELECT that the SQLite driver has executed (forward only) to `values`, one
// column a field, read straight from its statement instead of through the driver's copy of each row:
// integers as qlonglong, reals as double, texts as QString, blobs as QByteArray, as the driver gives
// them, and NULL. A text equal to the one above it in its column is that one again, not a copy: the
// group columns of a sorted report repeat theirs row after row. The texts of a query longer than a block
// of rows are decoded on a second thread while the statement steps on; `values` is complete on return.
// Gives the number of rows, or -1 when the query is not one of the SQLite driver (nothing read).
// Throws platform::Error (DatabaseError) when a step fails, rather than ending the rows there.
int appendSqliteRows(QSqlQuery& query, ValueTable& values);

} // namespace platform::db
