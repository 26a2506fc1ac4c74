#pragma once

#include <QSqlDatabase>

namespace platform::db
{

// Registers on an open SQLite connection the functions that rewritten statements call:
// orv_number(x), the number that x reads as (after trimming blanks: digits, ".", "e", "+" and "-"
// only, at least one digit), NULL for anything else. It lets a statement test and convert a value
// that it names only once. Nothing happens for other drivers or a closed database.
void registerSqliteFunctions(QSqlDatabase& database);

} // namespace platform::db
