#include "platform/db/Connection.h"

#include "platform/db/SingleStatement.h"
#include "platform/db/SqlLiteral.h"
#include "platform/db/SqliteFunctions.h"
#include "platform/db/SqlScript.h"
#include "platform/db/ValueText.h"
#include "platform/Error.h"

#include <atomic>
#include <cstdlib>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSqlError>
#include <QUrl>
#include <QUrlQuery>

namespace platform::db
{

namespace
{

const QString Source = QStringLiteral("Connection");

Dialect dialectOf(const QSqlDatabase& database)
{
    const QString driver = database.driverName();
    if (driver == QLatin1String("QSQLITE"))
        return Dialect::SQLite;
    if (driver == QLatin1String("QPSQL"))
        return Dialect::PostgreSQL;
    return Dialect::SqlServer;
}

// Set when the process exits. A connection kept by a static object (the report state) is destroyed
// after Qt's own list of connections is gone; removing it from that list then would crash.
bool processExiting = false;

// Registered after Qt has made its list of connections, so that the flag is set before that list and
// before the static objects made earlier than it are destroyed.
void watchProcessExit()
{
    static const bool registered = std::atexit([] { processExiting = true; }) == 0;
    Q_UNUSED(registered);
}

QString uniqueConnectionName()
{
    static std::atomic<int> counter { 0 };
    return QStringLiteral("orv-connection-%1").arg(++counter);
}

QString errorText(const QSqlError& error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

[[noreturn]] void throwFailure(const QSqlError& error, const QString& statement)
{
    throw Error(errors::DatabaseError, Source, errorText(error) + QLatin1Char('\n') + statement);
}

void configurePostgreSql(QSqlDatabase& database, const QUrl& url)
{
    database.setHostName(url.host());
    database.setPort(url.port(5432));
    database.setUserName(url.userName());
    database.setPassword(url.password());
    database.setDatabaseName(url.path().mid(1));
    QStringList options;
    for (const auto& [key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded))
        options << key + QLatin1Char('=') + value;
    database.setConnectOptions(options.join(QLatin1Char(';')));
}

bool isPostgreSqlUrl(const QString& url)
{
    return url.startsWith(QLatin1String("postgresql://")) || url.startsWith(QLatin1String("postgres://"));
}

bool isOdbcUrl(const QString& url)
{
    return url.startsWith(QLatin1String("odbc:"));
}

QSqlDatabase databaseForUrl(const QString& url, const QString& name)
{
    if (isPostgreSqlUrl(url)) {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        configurePostgreSql(database, QUrl(url));
        return database;
    }
    if (isOdbcUrl(url)) {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name);
        database.setDatabaseName(url.mid(5));
        return database;
    }
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    database.setDatabaseName(sqliteFileOf(url));
    return database;
}

bool serverReadsBackslashEscapes(const QSqlDatabase& database)
{
    QSqlQuery query(database);
    return query.exec(QStringLiteral("show standard_conforming_strings")) && query.next()
        && query.value(0).toString() == QLatin1String("off");
}

// A PostgreSQL session reads a backslash in a plain literal as an escape when its
// standard_conforming_strings is off, which any statement may have set. Asked only for a text that holds
// both a ";" and a backslash: the two readings differ for no other. When the server cannot say (an aborted
// transaction), the statement would fail as well.
bool readsBackslashEscapes(const QSqlDatabase& database, Dialect dialect, const QString& sql)
{
    return dialect == Dialect::PostgreSQL && sql.contains(QLatin1Char(';')) && sql.contains(QLatin1Char('\\'))
        && serverReadsBackslashEscapes(database);
}

// A host may keep its SQLite connection query-only itself; it stays so.
bool sqliteQueryOnly(const QSqlDatabase& database, Dialect dialect)
{
    if (dialect != Dialect::SQLite)
        return false;
    QSqlQuery query(database);
    return query.exec(QStringLiteral("PRAGMA query_only")) && query.next() && query.value(0).toInt() != 0;
}

} // namespace

Connection::Connection(QSqlDatabase database)
    : database_(std::move(database))
    , dialect_(dialectOf(database_))
{
    registerSqliteFunctions(database_);
    setSqliteBusyTimeout(database_, SqliteBusyTimeoutMs);
}

Connection::~Connection()
{
    if (!ownsDatabase_)
        return;
    const QString name = database_.connectionName();
    database_.close();
    database_ = QSqlDatabase();
    if (!processExiting)
        QSqlDatabase::removeDatabase(name);
}

std::shared_ptr<Connection> Connection::open(const QString& url)
{
    const QString name = uniqueConnectionName();
    QSqlDatabase database = databaseForUrl(url, name);
    if (!database.open()) {
        const QString message = errorText(database.lastError());
        database = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        throw Error(errors::DatabaseError, Source, message + QLatin1Char('\n') + maskedUrl(url));
    }
    watchProcessExit();
    auto connection = std::make_shared<Connection>(database);
    connection->ownsDatabase_ = true;
    return connection;
}

QSqlQuery Connection::run(const QString& sql, const QVariantList& values)
{
    return runQuery(sql, values, true);
}

QSqlQuery Connection::runFetchedWhole(const QString& sql, const QVariantList& values)
{
    return runQuery(sql, values, false);
}

QString Connection::singleStatement(const QString& sql) const
{
    const qsizetype end = statementEnd(sql, dialect_, readsBackslashEscapes(database_, dialect_, sql));
    if (end < 0)
        throw Error(
            errors::DatabaseError, Source, QStringLiteral("只能执行一条SQL语句，第二条语句被拒绝：") + sql);
    return sql.left(end);
}

QSqlQuery Connection::runQuery(const QString& text, const QVariantList& values, bool forwardOnly)
{
    const QString sql = singleStatement(text);
    QSqlQuery query(database_);
    query.setForwardOnly(forwardOnly);
    if (values.isEmpty()) {
        if (!query.exec(sql))
            throwFailure(query.lastError(), sql);
        return query;
    }
    if (!query.prepare(sql))
        throwFailure(query.lastError(), sql);
    for (const QVariant& value : values)
        query.addBindValue(bindableValue(value));
    if (!query.exec())
        throwFailure(query.lastError(), sql);
    return query;
}

int Connection::execute(const QString& sql)
{
    return run(sql).numRowsAffected();
}

int Connection::execute(const QString& sql, const QVariantList& values)
{
    return run(sql, values).numRowsAffected();
}

void Connection::executeScript(const QString& script)
{
    for (const QString& statement : splitSqlScript(script))
        execute(statement);
}

void Connection::beginTrans()
{
    if (transactionDepth_ == 0) {
        // On SQLite the write lock is taken at once, waiting its turn: a transaction that read first and
        // wanted to write later, while another one commits, would be refused without waiting (SQLite
        // will not let two such transactions wait for each other).
        if (dialect_ == Dialect::SQLite)
            execute(QStringLiteral("BEGIN IMMEDIATE"));
        else if (!database_.transaction())
            throwFailure(database_.lastError(), QStringLiteral("BEGIN"));
    }
    ++transactionDepth_;
}

void Connection::commitTrans()
{
    if (transactionDepth_ == 0)
        throw Error(errors::DatabaseError, Source, QStringLiteral("没有打开的事务，不能提交。"));
    if (transactionDepth_ == 1 && !database_.commit())
        throwFailure(database_.lastError(), QStringLiteral("COMMIT"));
    --transactionDepth_;
}

void Connection::rollbackTrans()
{
    if (transactionDepth_ == 0)
        return;
    transactionDepth_ = 0;
    if (!database_.rollback())
        throwFailure(database_.lastError(), QStringLiteral("ROLLBACK"));
}

bool Connection::tolerate(const std::function<void()>& work)
{
    if (dialect_ == Dialect::SqlServer || !inTransaction()) {
        try {
            work();
            return true;
        } catch (const std::exception&) {
            return false;
        }
    }
    const QString savepoint = QStringLiteral("orv_savepoint_%1").arg(++savepointCounter_);
    execute(QStringLiteral("SAVEPOINT ") + savepoint);
    try {
        work();
        execute(QStringLiteral("RELEASE SAVEPOINT ") + savepoint);
        return true;
    } catch (const std::exception&) {
        execute(QStringLiteral("ROLLBACK TO SAVEPOINT ") + savepoint);
        execute(QStringLiteral("RELEASE SAVEPOINT ") + savepoint);
        return false;
    }
}

QString Connection::literal(const QString& text) const
{
    if (dialect_ != Dialect::PostgreSQL || !text.contains(QLatin1Char('\\')))
        return sqlText(text);
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    return QLatin1Char('E') + sqlText(escaped);
}

QString Connection::insideLiteral(const QString& text) const
{
    QString body = text;
    body.replace(QLatin1Char('\''), QLatin1String("''"));
    if (dialect_ == Dialect::PostgreSQL && text.contains(QLatin1Char('\\')) && serverReadsBackslashEscapes(database_))
        body.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    return body;
}

void Connection::runBetween(
    const QStringList& before, const std::function<void()>& work, const QStringList& after)
{
    for (const QString& statement : before)
        execute(statement);
    try {
        work();
    } catch (...) {
        try {
            for (const QString& statement : after)
                execute(statement);
        } catch (const std::exception&) {
            // the failure that led here is the one to pass on
        }
        throw;
    }
    for (const QString& statement : after)
        execute(statement);
}

void Connection::readOnly(const std::function<void()>& work)
{
    if (readOnlyNow_ || dialect_ == Dialect::SqlServer || sqliteQueryOnly(database_, dialect_)) {
        work();
        return;
    }
    readOnlyNow_ = true;
    const auto leave = qScopeGuard([this] { readOnlyNow_ = false; });
    if (dialect_ == Dialect::SQLite) {
        runBetween({ QStringLiteral("PRAGMA query_only = 1") }, work, { QStringLiteral("PRAGMA query_only = 0") });
    } else if (!inTransaction()) {
        // PostgreSQL lets a few writes through a READ ONLY transaction (large objects: lo_unlink); the
        // rollback undoes them, and a transaction that got an id of its own wrote something: refused.
        runBetween({ QStringLiteral("BEGIN READ ONLY") }, [&] {
            work();
            QSqlQuery wrote = run(QStringLiteral("select txid_current_if_assigned() is not null"));
            if (wrote.next() && wrote.value(0).toBool())
                throw Error(errors::DatabaseError, Source, QStringLiteral("读取数据的语句修改了数据库，修改已撤销。"));
        }, { QStringLiteral("ROLLBACK") });
    } else {
        const QString savepoint = QStringLiteral("orv_read_%1").arg(++savepointCounter_);
        runBetween({ QStringLiteral("SAVEPOINT ") + savepoint, QStringLiteral("SET TRANSACTION READ ONLY") }, work,
            { QStringLiteral("ROLLBACK TO SAVEPOINT ") + savepoint, QStringLiteral("RELEASE SAVEPOINT ") + savepoint });
    }
}

void Connection::readSnapshot(const std::function<void()>& work)
{
    if (inTransaction()) {
        work();
        return;
    }
    // SQL Server keeps a transaction's level for the session: it is set back to its default afterwards.
    const auto levelBack = [this] {
        if (dialect_ == Dialect::SqlServer)
            execute(QStringLiteral("SET TRANSACTION ISOLATION LEVEL READ COMMITTED"));
    };
    beginTrans();
    const auto leave = qScopeGuard([this] { readOnlyNow_ = false; });
    try {
        if (dialect_ == Dialect::PostgreSQL) {
            execute(QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ, READ ONLY"));
            readOnlyNow_ = true;
        } else if (dialect_ == Dialect::SqlServer)
            execute(QStringLiteral("SET TRANSACTION ISOLATION LEVEL SERIALIZABLE"));
        work();
        commitTrans();
    } catch (...) {
        try {
            rollbackTrans();
            levelBack();
        } catch (const std::exception&) {
            // the failure that led here is the one to pass on
        }
        throw;
    }
    levelBack();
}

QString sqliteFileOf(const QString& url)
{
    if (isPostgreSqlUrl(url) || isOdbcUrl(url))
        return {};
    return url.startsWith(QLatin1String("sqlite:")) ? url.mid(7) : url;
}

QString maskedUrl(const QString& url)
{
    if (isOdbcUrl(url)) {
        static const QRegularExpression password(
            QStringLiteral("((?:^odbc:|;)\\s*(?:PWD|Password)\\s*=\\s*)(\\{(?:[^}]|\\}\\})*\\}|[^;]*)"),
            QRegularExpression::CaseInsensitiveOption);
        return QString(url).replace(password, QStringLiteral("\\1***"));
    }
    const qsizetype start = url.indexOf(QLatin1String("://"));
    if (start < 0)
        return url;
    // The user's part ends at the last "@": a password may hold any character, none of it may show.
    const qsizetype at = url.lastIndexOf(QLatin1Char('@'));
    const qsizetype colon = url.indexOf(QLatin1Char(':'), start + 3);
    if (at < 0 || colon < 0 || colon > at)
        return url;
    return url.left(colon + 1) + QStringLiteral("***") + url.mid(at);
}

} // namespace platform::db
