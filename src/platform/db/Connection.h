#pragma once

#include "platform/Export.h"

#include <functional>
#include <memory>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace platform::db
{

enum class Dialect { SQLite, PostgreSQL, SqlServer };

// The host's open database connection. The component never opens or closes the host's database;
// `open` exists for the host program and the tests, which play the host.
// Every failing statement throws platform::Error (number errors::DatabaseError, source "Connection",
// the driver's message and the statement as description). A statement runs alone: a text that holds a
// further statement after a ";" is refused before anything of it runs (see `singleStatement`).
class Connection
{
public:
    ORV_EXPORT explicit Connection(QSqlDatabase database);
    ORV_EXPORT ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // "file.db" or "sqlite:file.db" (SQLite), "postgresql://user@host:port/db" (PostgreSQL),
    // "odbc:<connection string>" (SQL Server through ODBC). Throws platform::Error when it cannot open,
    // naming the URL as maskedUrl shows it, and before trying for a URL of another scheme (named as
    // typed, the rest left out) or a server URL whose port is not a number.
    ORV_EXPORT static std::shared_ptr<Connection> open(const QString& url);

    Dialect dialect() const { return dialect_; }
    QSqlDatabase& database() { return database_; }

    // The statement that `sql` holds, without the ";" that closes it and the blanks and comments after
    // that. Throws platform::Error when a further statement follows, which the server would run too.
    QString singleStatement(const QString& sql) const;

    // Runs one statement as it stands (callers pass it through the SQL adapter first); returns the
    // number of rows it affected.
    int execute(const QString& sql);
    // The same with the values bound to the statement's "?" placeholders, in order.
    int execute(const QString& sql, const QVariantList& values);
    // Runs a statement and returns the executed forward-only query, before its first row.
    QSqlQuery run(const QString& sql, const QVariantList& values = {});
    // The same, with every row fetched before the first is read: PostgreSQL's driver names the table
    // of a field (QSqlField::tableName) only for such a query.
    QSqlQuery runFetchedWhole(const QString& sql, const QVariantList& values = {});
    // Runs every statement of a script (statements separated by ";"), stopping at the first failure.
    void executeScript(const QString& script);

    // Transactions nest by a depth counter: only the outermost begin and commit reach the database.
    // A rollback at any depth rolls the whole transaction back and ends every level, so a caller that
    // began an outer level sees its commit refused (an error: its work is gone), while its own rollback
    // finds nothing left to undo and returns quietly.
    void beginTrans();
    void commitTrans();
    void rollbackTrans();
    bool inTransaction() const { return transactionDepth_ > 0; }

    // Runs `work`, whose failure the caller tolerates: inside a transaction on PostgreSQL a failed
    // statement would abort the whole transaction, so the work runs inside a savepoint that is rolled
    // back on failure (on SQLite too, so that a failed piece of work leaves nothing behind on either).
    // Returns false when `work` threw.
    bool tolerate(const std::function<void()>& work);

    // The text as a literal that this connection's server reads back as exactly that text. For a value
    // that must stand inside a statement written elsewhere (a stored formula's field mark); the
    // component's own statements bind their values instead. On PostgreSQL a text holding a backslash
    // becomes an escape string (E'C:\\temp'), which reads the same whether standard_conforming_strings
    // is on or off; any other text, and every text elsewhere, is sqlText's plain literal.
    QString literal(const QString& text) const;
    // The text as it stands between the quotes of a plain literal written elsewhere ('%#name#%'): its
    // quotes doubled, and its backslashes too where the server reads them as escapes (PostgreSQL with
    // standard_conforming_strings off, asked of the server when the text holds a backslash).
    QString insideLiteral(const QString& text) const;
    // Whether the server reads a backslash in the plain literals of `text` as an escape: PostgreSQL with
    // standard_conforming_strings off, asked of the server only when `text` holds a backslash (any
    // statement may have changed the setting; the two readings differ for no other text).
    bool backslashEscapesIn(const QString& text) const;

    // Runs `work`, whose statements only read, so that none of them can change the database: a
    // function with side effects (nextval, lo_unlink, an INSERT ... RETURNING) fails as the statement's
    // failure. On PostgreSQL inside a READ ONLY transaction (a savepoint made read-only within a
    // caller's transaction), always rolled back, so that a setting a statement changed is undone too
    // (and a write that such a transaction lets through: one that wrote fails as well); while a
    // ReadOnlyReads guard of this connection lives, in the one transaction its reads share instead.
    // On SQLite each statement is prepared under SQLite's authorizer (SqliteReadsOnly), which refuses
    // writes, pragmas and attached files; SQL Server runs `work` as it is. `work` runs one statement:
    // on PostgreSQL a failed one leaves nothing after it usable. A failure of `work` is passed on.
    void readOnly(const std::function<void()>& work);

    // Ends the read-only transaction that the reads of a ReadOnlyReads guard share, when one is open:
    // what a read in it wrote is noted for the guard to refuse, and undone; the next read begins
    // another. It runs before every statement of this connection that is no such read (a write of the
    // component's own runs outside, never refused nor undone with the reads) and, for every
    // connection, before a window waits for the user (endEverySharedReads).
    void endSharedReads();
    static void endEverySharedReads();

    // Runs `work`, which only reads, on one snapshot of the database: every statement in it sees the
    // database as the first one saw it, whatever other connections commit meanwhile. A deferred
    // transaction on SQLite, REPEATABLE READ READ ONLY on PostgreSQL, SERIALIZABLE on SQL Server; inside a
    // transaction of this connection the work simply joins it. A failure of `work` is passed on.
    void readSnapshot(const std::function<void()>& work);

private:
    friend class ReadOnlyReads;

    QSqlQuery runQuery(const QString& sql, const QVariantList& values, bool forwardOnly);
    // Runs `work` within the transaction that the reads of a ReadOnlyReads guard share, begun here
    // when none is open.
    void readShared(const std::function<void()>& work);
    // Ends the shared transaction: `lastly` runs in it, then it is rolled back, also when `lastly` throws.
    void closeSharedReads(const std::function<void()>& lastly);
    // Whether the open transaction has written anything: it then holds a transaction id of its own.
    bool transactionWrote();
    // Ends the shared transaction (endSharedReads); throws when a read in it, or in one ended before
    // since the outermost guard began, wrote.
    void finishSharedReads();
    // Runs the statements `before`, then `work`, then the statements `after`, also when `work` throws.
    void runBetween(const QStringList& before, const std::function<void()>& work, const QStringList& after);

    QSqlDatabase database_;
    Dialect dialect_;
    int transactionDepth_ = 0;
    int savepointCounter_ = 0;
    bool readOnlyNow_ = false; // within readSnapshot or readOnly: every statement only reads already
    int sharedReadsDepth_ = 0; // ReadOnlyReads guards that live
    bool sharedReadsOpen_ = false; // their transaction is open
    bool sharedReadsWrote_ = false; // a read of theirs wrote since the outermost began
    bool ownsDatabase_ = false;
};

// The file that a SQLite URL names ("file.db", "C:\data\a.db" or "sqlite:file.db"); "" for a server's
// URL. Throws platform::Error for a URL of a scheme the component does not read.
QString sqliteFileOf(const QString& url);

// The URL or ODBC connection string as it may be shown: the user's password and every parameter that
// names a password or secret ("password", "sslpassword", "PWD", "client_secret") replaced by "***"; so
// also a text that is a SQLite file's name only for want of a scheme (" postgresql://u:pw@h/db",
// libpq's "host=h password=pw", "a.db?password=pw").
QString maskedUrl(const QString& url);

} // namespace platform::db
