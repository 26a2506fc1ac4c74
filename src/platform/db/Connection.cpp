#include "platform/db/Connection.h"

#include "platform/db/ReadOnlyReads.h"
#include "platform/db/SingleStatement.h"
#include "platform/db/SqlLiteral.h"
#include "platform/db/SqliteFunctions.h"
#include "platform/db/SqlScript.h"
#include "platform/db/ValueText.h"
#include "platform/Error.h"

#include <atomic>
#include <cstdlib>
#include <optional>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSqlError>
#include <QUrl>
#include <QUrlQuery>
#include <vector>

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
    return url.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive)
        || url.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

bool isOdbcUrl(const QString& url)
{
    return url.startsWith(QLatin1String("odbc:"), Qt::CaseInsensitive);
}

bool isSqliteUrl(const QString& url)
{
    return url.startsWith(QLatin1String("sqlite:"), Qt::CaseInsensitive);
}

// The scheme as typed, with the slashes after it ("postgresq://"), of a text that starts as a URL does;
// "" for a file path. One letter before the colon is a Windows drive ("C:\archive.db"), no scheme.
QString schemeOf(const QString& url)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:/*"));
    return scheme.match(url).captured();
}

// The port of a server URL as typed, "" when it names none. The authority ends where libpq and QUrl end
// it, at the first "/", "?" or "#"; the host follows the last "@" in it.
QString portText(const QString& url)
{
    static const QRegularExpression authorityEnd(QStringLiteral("[/?#]"));
    const qsizetype start = url.indexOf(QLatin1String("://")) + 3;
    const qsizetype end = url.indexOf(authorityEnd, start);
    const QString authority = url.mid(start, end < 0 ? -1 : end - start);
    const QString hostAndPort = authority.mid(authority.lastIndexOf(QLatin1Char('@')) + 1);
    const qsizetype colon = hostAndPort.lastIndexOf(QLatin1Char(':'));
    if (colon < 0 || hostAndPort.endsWith(QLatin1Char(']')))
        return {};
    return hostAndPort.mid(colon + 1);
}

// Qt reads a port that is not a number, or an address it cannot parse, as none: the connection would go
// to the default server and port instead of being refused.
void checkServerUrl(const QString& url)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,5}$"));
    const QString port = portText(url);
    if (!port.isEmpty() && (!digits.match(port).hasMatch() || port.toInt() > 65535))
        throw Error(errors::DatabaseError, Source,
            QStringLiteral("数据库服务器的端口不是 0 到 65535 的数字：") + maskedUrl(url));
    if (!QUrl(url).isValid())
        throw Error(
            errors::DatabaseError, Source, QStringLiteral("数据库服务器的地址不正确：") + maskedUrl(url));
}

QSqlDatabase databaseForUrl(const QString& url, const QString& name)
{
    if (isPostgreSqlUrl(url)) {
        checkServerUrl(url);
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        configurePostgreSql(database, QUrl(url));
        return database;
    }
    if (isOdbcUrl(url)) {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name);
        database.setDatabaseName(url.mid(5));
        return database;
    }
    const QString file = sqliteFileOf(url);
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    database.setDatabaseName(file);
    return database;
}

// What in a parameter's or connection-string key's name makes it name a password or another secret.
const QString SecretWord = QStringLiteral("(?:pass|pwd|secret)");

bool namesSecret(const QString& key)
{
    static const QRegularExpression secret(SecretWord, QRegularExpression::CaseInsensitiveOption);
    return key.contains(secret);
}

// The query of a URL ("a=1&password=x") with the values of its secrets replaced by "***". A piece
// without "=" after a secret is the rest of a value that held an unencoded "&", hidden too.
QString maskedQuery(const QString& query)
{
    QStringList items = query.split(QLatin1Char('&'));
    bool inSecret = false;
    for (QString& item : items) {
        const qsizetype equals = item.indexOf(QLatin1Char('='));
        if (equals >= 0)
            inSecret = namesSecret(QUrl::fromPercentEncoding(item.left(equals).toUtf8()));
        if (inSecret)
            item = item.left(equals + 1) + QStringLiteral("***");
    }
    return items.join(QLatin1Char('&'));
}

bool serverReadsBackslashEscapes(const QSqlDatabase& database)
{
    QSqlQuery query(database);
    return query.exec(QStringLiteral("show standard_conforming_strings")) && query.next()
        && query.value(0).toString() == QLatin1String("off");
}

// The connections whose guarded reads hold a transaction open.
std::vector<Connection*>& connectionsInSharedReads()
{
    static std::vector<Connection*> connections;
    return connections;
}

} // namespace

Connection::Connection(QSqlDatabase database)
    : database_(std::move(database))
    , dialect_(dialectOf(database_))
{
    registerSqliteFunctions(database_);
    closeSqliteTokenizerInterface(database_);
    setSqliteBusyTimeout(database_, SqliteBusyTimeoutMs);
}

Connection::~Connection()
{
    std::erase(connectionsInSharedReads(), this);
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
    // Where the statement ends depends on the reading only when it holds a ";". When the server cannot say
    // how it reads backslashes (an aborted transaction), the statement would fail as well.
    const qsizetype end
        = statementEnd(sql, dialect_, sql.contains(QLatin1Char(';')) && backslashEscapesIn(sql));
    if (end < 0)
        throw Error(
            errors::DatabaseError, Source, QStringLiteral("只能执行一条SQL语句，第二条语句被拒绝：") + sql);
    return sql.left(end);
}

QSqlQuery Connection::runQuery(const QString& text, const QVariantList& values, bool forwardOnly)
{
    if (!readOnlyNow_)
        endSharedReads();
    const QString sql = singleStatement(text);
    std::optional<SqliteReadsOnly> onlyReads;
    if (readOnlyNow_ && dialect_ == Dialect::SQLite)
        onlyReads.emplace(database_);
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
        endSharedReads();
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
    QString body = doubledQuotes(text);
    if (backslashEscapesIn(text))
        body.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    return body;
}

bool Connection::backslashEscapesIn(const QString& text) const
{
    return dialect_ == Dialect::PostgreSQL && text.contains(QLatin1Char('\\'))
        && serverReadsBackslashEscapes(database_);
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
    if (readOnlyNow_ || dialect_ == Dialect::SqlServer) {
        work();
        return;
    }
    readOnlyNow_ = true;
    const auto leave = qScopeGuard([this] { readOnlyNow_ = false; });
    if (dialect_ == Dialect::SQLite) {
        work(); // runQuery prepares each of its statements under SQLite's authorizer
    } else if (inTransaction()) {
        const QString savepoint = QStringLiteral("orv_read_%1").arg(++savepointCounter_);
        runBetween({ QStringLiteral("SAVEPOINT ") + savepoint, QStringLiteral("SET TRANSACTION READ ONLY") }, work,
            { QStringLiteral("ROLLBACK TO SAVEPOINT ") + savepoint, QStringLiteral("RELEASE SAVEPOINT ") + savepoint });
    } else if (sharedReadsDepth_ > 0) {
        readShared(work);
    } else {
        // A read outside any guard is the only read of a guard of its own.
        ReadOnlyReads own(this);
        readShared(work);
        own.finish();
    }
}

// One snapshot for every read of the guards (a statistics report's cells agree with each other).
void Connection::readShared(const std::function<void()>& work)
{
    if (!sharedReadsOpen_) {
        execute(QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ, READ ONLY"));
        sharedReadsOpen_ = true;
        connectionsInSharedReads().push_back(this);
    }
    try {
        work();
    } catch (...) {
        // The failed statement left the transaction unusable: it ends, and with it whatever the reads
        // before wrote. The failure's log entry then goes in outside it.
        try {
            closeSharedReads([] {});
        } catch (const std::exception&) {
            // the failure that led here is the one to pass on
        }
        throw;
    }
}

void Connection::closeSharedReads(const std::function<void()>& lastly)
{
    sharedReadsOpen_ = false;
    std::erase(connectionsInSharedReads(), this);
    runBetween({}, lastly, { QStringLiteral("ROLLBACK") });
}

bool Connection::transactionWrote()
{
    QSqlQuery wrote = run(QStringLiteral("select txid_current_if_assigned() is not null"));
    return wrote.next() && wrote.value(0).toBool();
}

void Connection::endSharedReads()
{
    if (sharedReadsOpen_)
        closeSharedReads([this] { sharedReadsWrote_ = transactionWrote() || sharedReadsWrote_; });
}

void Connection::endEverySharedReads()
{
    // Ending one takes it off the list, also when it fails: a connection that cannot end its
    // transaction has lost it, and its next read fails as the read's own failure.
    while (!connectionsInSharedReads().empty()) {
        try {
            connectionsInSharedReads().back()->endSharedReads();
        } catch (const std::exception&) {
            // nothing is left open; the window goes on
        }
    }
}

void Connection::finishSharedReads()
{
    endSharedReads();
    // PostgreSQL lets a few writes through a READ ONLY transaction (large objects: lo_unlink); the
    // rollback has undone them, and the reads that made them are refused.
    if (sharedReadsWrote_)
        throw Error(errors::DatabaseError, Source, QStringLiteral("读取数据的语句修改了数据库，修改已撤销。"));
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
    if (isSqliteUrl(url))
        return url.mid(7);
    // A mistyped server URL must not become the name of a new SQLite file, nor be shown with its password.
    if (const QString scheme = schemeOf(url); !scheme.isEmpty())
        throw Error(errors::DatabaseError, Source,
            QStringLiteral(
                "不支持的数据库地址类型“%1”，可用的有 sqlite:、postgresql://、postgres:// 和 odbc:")
                .arg(scheme));
    return url;
}

QString maskedUrl(const QString& url)
{
    if (isOdbcUrl(url)) {
        static const QRegularExpression password(
            QStringLiteral("((?:^odbc:|;)\\s*[^;=]*%1[^;=]*=\\s*)(\\{(?:[^}]|\\}\\})*\\}|[^;]*)")
                .arg(SecretWord),
            QRegularExpression::CaseInsensitiveOption);
        return QString(url).replace(password, QStringLiteral("\\1***"));
    }
    // libpq's keyword form ("host=h password='a b'"), words that blanks separate: no URL, so a SQLite
    // file's name when given as one, and still shown without its secrets.
    static const QRegularExpression keyword(
        QStringLiteral("((?:^|\\s)[A-Za-z_]*%1[A-Za-z_]*\\s*=\\s*)('(?:[^'\\\\]|\\\\.)*'?|\\S*)")
            .arg(SecretWord),
        QRegularExpression::CaseInsensitiveOption);
    const qsizetype start = url.indexOf(QLatin1String("://"));
    QString masked = start < 0 ? QString(url).replace(keyword, QStringLiteral("\\1***")) : url;
    // A query, also of a SQLite file's name ("a.db?password=x").
    if (const qsizetype question = masked.indexOf(QLatin1Char('?'), start < 0 ? 0 : start + 3); question >= 0)
        masked = masked.left(question + 1) + maskedQuery(masked.mid(question + 1));
    if (start < 0)
        return masked;
    // The user's part ends at the last "@": a password may hold any character, none of it may show.
    const qsizetype at = masked.lastIndexOf(QLatin1Char('@'));
    const qsizetype colon = masked.indexOf(QLatin1Char(':'), start + 3);
    if (at < 0 || colon < 0 || colon > at)
        return masked;
    return masked.left(colon + 1) + QStringLiteral("***") + masked.mid(at);
}

} // namespace platform::db
