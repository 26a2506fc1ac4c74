#include "platform/db/SqliteRows.h"

#include "platform/Error.h"

#include <QSqlResult>
#include <QStringDecoder>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace platform::db
{

namespace
{

sqlite3_stmt* statementOf(const QSqlQuery& query)
{
    const QVariant handle = query.result() ? query.result()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3_stmt*") != 0)
        return nullptr;
    return *static_cast<sqlite3_stmt* const*>(handle.constData());
}

// Appends the columns of the statement's current row to a table. Texts are read in the UTF-8 that
// SQLite stores, without its conversion to UTF-16 in memory of its own; a text whose bytes are not
// valid UTF-8 (a lone surrogate written by another program) is read through that conversion instead,
// as the driver would read it.
class RowReader
{
public:
    RowReader(sqlite3_stmt* statement, ValueTable& values)
        : statement_(statement)
        , values_(values)
        , textAbove_(values.columns())
    {
    }

    void appendRow()
    {
        for (int column = 0; column < values_.columns(); ++column)
            appendValue(column);
    }

private:
    void appendValue(int column)
    {
        switch (sqlite3_column_type(statement_, column)) {
        case SQLITE_INTEGER:
            values_.appendInteger(sqlite3_column_int64(statement_, column));
            break;
        case SQLITE_FLOAT:
            values_.appendReal(sqlite3_column_double(statement_, column));
            break;
        case SQLITE_NULL:
            values_.appendNull();
            break;
        case SQLITE_BLOB:
            values_.append(QByteArray(static_cast<const char*>(sqlite3_column_blob(statement_, column)),
                sqlite3_column_bytes(statement_, column)));
            break;
        default:
            appendText(column);
        }
    }

    void appendText(int column)
    {
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
        const QByteArrayView utf8(bytes, sqlite3_column_bytes(statement_, column));
        std::string& aboveUtf8 = textAbove_[column];
        if (values_.textAbove() && QByteArrayView(aboveUtf8) == utf8) {
            values_.appendAbove();
            return;
        }
        aboveUtf8.assign(utf8.data(), size_t(utf8.size()));
        QString text = decoder_.decode(utf8);
        if (decoder_.hasError()) {
            decoder_.resetState();
            const auto* chars = static_cast<const QChar*>(sqlite3_column_text16(statement_, column));
            text = QString(chars, sqlite3_column_bytes16(statement_, column) / qsizetype(sizeof(QChar)));
        }
        values_.appendText(std::move(text));
    }

    sqlite3_stmt* statement_;
    ValueTable& values_;
    QStringDecoder decoder_ { QStringDecoder::Utf8, QStringDecoder::Flag::Stateless };
    std::vector<std::string> textAbove_; // the bytes of each column's last text
};

[[noreturn]] void throwStepFailure(sqlite3_stmt* statement, const QSqlQuery& query)
{
    sqlite3_reset(statement);
    const auto* message = static_cast<const QChar*>(sqlite3_errmsg16(sqlite3_db_handle(statement)));
    throw Error(errors::DatabaseError, QStringLiteral("Recordset"),
        QString(message) + QLatin1Char('\n') + query.lastQuery());
}

} // namespace

int appendSqliteRows(QSqlQuery& query, ValueTable& values)
{
    sqlite3_stmt* statement = statementOf(query);
    if (!statement || !query.isForwardOnly())
        return -1;
    // The driver has stepped to the first row when it executed the query: the statement is on it.
    if (!query.next())
        return 0;
    RowReader reader(statement, values);
    reader.appendRow();
    int rows = 1;
    for (;;) {
        const int step = sqlite3_step(statement);
        if (step == SQLITE_DONE)
            break;
        if (step != SQLITE_ROW)
            throwStepFailure(statement, query);
        reader.appendRow();
        ++rows;
    }
    sqlite3_reset(statement);
    return rows;
}

} // namespace platform::db
