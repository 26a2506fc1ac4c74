#include "platform/db/SqliteFunctions.h"

#include <cstring>
#include <QSqlDriver>
#include <QVariant>
#include <sqlite3.h>

namespace platform::db
{

namespace
{

bool readsAsNumber(const unsigned char* text, int size)
{
    int begin = 0;
    int end = size;
    while (begin < end && text[begin] == ' ')
        ++begin;
    while (end > begin && text[end - 1] == ' ')
        --end;
    bool digit = false;
    for (int i = begin; i < end; ++i) {
        const char c = char(text[i]);
        if (c >= '0' && c <= '9')
            digit = true;
        else if (!std::strchr(".eE+-", c))
            return false;
    }
    return digit;
}

void orvNumber(sqlite3_context* context, int, sqlite3_value** arguments)
{
    sqlite3_value* value = arguments[0];
    if (sqlite3_value_type(value) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const unsigned char* text = sqlite3_value_text(value);
    if (!text || !readsAsNumber(text, sqlite3_value_bytes(value))) {
        sqlite3_result_null(context);
        return;
    }
    // The same reading as CAST(x AS REAL): leading blanks skipped, the longest number prefix taken.
    sqlite3_result_double(context, sqlite3_value_double(value));
}

// The SQLite handle of an open SQLite connection, else null.
sqlite3* sqliteHandle(QSqlDatabase& database)
{
    if (!database.isOpen() || !database.driver())
        return nullptr;
    const QVariant handle = database.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

// The library's functions that no read may call: fts3_tokenizer hands out the address of a tokenizer
// and, given one, makes full-text reads call through it; fts5 takes the address of its interface;
// load_extension loads a file as code.
bool handlesPointersOrFiles(const char* function)
{
    for (const char* refused : { "fts3_tokenizer", "fts5", "load_extension" }) {
        if (sqlite3_stricmp(function, refused) == 0)
            return true;
    }
    return false;
}

// SQLite asks it about every action of a statement being prepared; a read is made of selects (a
// recursive one too), reads of columns and calls of functions. A table function such as json_each, read
// for the first time on a connection, declares itself, which SQLite checks as an update of the schema
// table; no statement may change that table itself.
int onlyReads(void*, int action, const char* table, const char* function, const char*, const char*)
{
    switch (action) {
    case SQLITE_FUNCTION:
        return function && handlesPointersOrFiles(function) ? SQLITE_DENY : SQLITE_OK;
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_RECURSIVE:
        return SQLITE_OK;
    case SQLITE_UPDATE:
        return table && std::strcmp(table, "sqlite_master") == 0 ? SQLITE_OK : SQLITE_DENY;
    default:
        return SQLITE_DENY;
    }
}

} // namespace

void registerSqliteFunctions(QSqlDatabase& database)
{
    if (sqlite3* connection = sqliteHandle(database))
        sqlite3_create_function_v2(connection, "orv_number", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
            &orvNumber, nullptr, nullptr, nullptr);
}

void closeSqliteTokenizerInterface(QSqlDatabase& database)
{
    if (sqlite3* connection = sqliteHandle(database))
        sqlite3_db_config(connection, SQLITE_DBCONFIG_ENABLE_FTS3_TOKENIZER, 0, nullptr);
}

void setSqliteBusyTimeout(QSqlDatabase& database, int milliseconds)
{
    if (sqlite3* connection = sqliteHandle(database))
        sqlite3_busy_timeout(connection, milliseconds);
}

SqliteReadsOnly::SqliteReadsOnly(QSqlDatabase& database)
    : connection_(sqliteHandle(database))
{
    if (connection_)
        sqlite3_set_authorizer(connection_, &onlyReads, nullptr);
}

SqliteReadsOnly::~SqliteReadsOnly()
{
    if (connection_)
        sqlite3_set_authorizer(connection_, nullptr, nullptr);
}

} // namespace platform::db
