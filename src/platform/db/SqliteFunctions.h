#pragma once

#include <QSqlDatabase>

struct sqlite3;

namespace platform::db
{

// Registers on an open SQLite connection the functions that rewritten statements call:
// orv_number(x), the number that x reads as (after trimming blanks: digits, ".", "e", "+" and "-"
// only, at least one digit), NULL for anything else. It lets a statement test and convert a value
// that it names only once. Nothing happens for other drivers or a closed database.
void registerSqliteFunctions(QSqlDatabase& database);

// Switches off on an open SQLite connection the two-argument fts3_tokenizer(name, address), through
// which a statement would make every full-text read of that tokenizer call code at any address (the
// Debian library has it on). Nothing happens for other drivers or a closed database.
void closeSqliteTokenizerInterface(QSqlDatabase& database);

// How long a statement on a SQLite connection waits for a lock that another connection holds (a save
// under way, a reader finishing) before it fails with "database is locked".
constexpr int SqliteBusyTimeoutMs = 10000;

// Gives an open SQLite connection that wait. Nothing happens for other drivers or a closed database.
void setSqliteBusyTimeout(QSqlDatabase& database, int milliseconds);

// While it lives, the statements that an open SQLite connection prepares may only read: SQLite's
// authorizer lets selects, reads of columns and function calls through and refuses everything else,
// so that such a statement fails as it is prepared ("not authorized"), before it runs. That stops what
// PRAGMA query_only lets through: a pragma (journal_mode = wal changes the file for good), ATTACH and
// VACUUM INTO (both make a file wherever the user may write). Of the functions it refuses those that
// hand out or take an address (fts3_tokenizer, fts5) or load a file (load_extension). SQLite keeps one
// authorizer per connection and cannot tell which one was set: a host's own is replaced while the guard
// lives and is gone after it. Nothing happens for other drivers.
class SqliteReadsOnly
{
public:
    explicit SqliteReadsOnly(QSqlDatabase& database);
    ~SqliteReadsOnly();
    SqliteReadsOnly(const SqliteReadsOnly&) = delete;
    SqliteReadsOnly& operator=(const SqliteReadsOnly&) = delete;

private:
    sqlite3* connection_;
};

} // namespace platform::db
