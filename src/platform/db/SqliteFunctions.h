#pragma once

#include <QSqlDatabase>

namespace platform::db
{

// Registers on an open SQLite connection the functions that rewritten statements call:
// orv_number(x), the number that x reads as (after trimming blanks: digits, ".", "e", "+" and "-"
// only, at least one digit), NULL for anything else. It lets a statement test and convert a value
// that it names only once. Nothing happens for other drivers or a closed database.
void registerSqliteFunctions(QSqlDatabase& database);

// How long a statement on a SQLite connection waits for a lock that another connection holds (a save
// under way, a reader finishing) before it fails with "database is locked".
constexpr int SqliteBusyTimeoutMs = 10000;

// Gives an open SQLite connection that wait. Nothing happens for other drivers or a closed database.
void setSqliteBusyTimeout(QSqlDatabase& database, int milliseconds);

} // namespace platform::db
