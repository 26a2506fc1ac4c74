#include "support/TestDatabase.h"

#include "demo/DemoDatabase.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

#include <algorithm>
#include <atomic>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QUrl>

namespace orvtest
{

namespace
{

QString postgresServerUrl()
{
    return qEnvironmentVariable("ORV_TEST_PG");
}

QString uniqueSuffix()
{
    static std::atomic<int> counter { 0 };
    return QStringLiteral("%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
}

QString urlWithDatabase(const QString& serverUrl, const QString& database)
{
    QUrl url(serverUrl);
    url.setPath(QLatin1Char('/') + database);
    return url.toString();
}

} // namespace

std::vector<Backend> allBackends()
{
    return { Backend::SQLite, Backend::PostgreSQL };
}

std::vector<Backend> literalBackends()
{
    return { Backend::SQLite, Backend::PostgreSQL, Backend::PostgreSQLEscaping };
}

bool backendAvailable(Backend backend)
{
    return backend == Backend::SQLite || !postgresServerUrl().isEmpty();
}

void skipUnlessAvailable(Backend backend)
{
    if (!backendAvailable(backend))
        GTEST_SKIP() << "no PostgreSQL server: ORV_TEST_PG names none";
}

std::string backendName(Backend backend)
{
    switch (backend) {
    case Backend::SQLite:
        return "SQLite";
    case Backend::PostgreSQL:
        return "PostgreSQL";
    case Backend::PostgreSQLEscaping:
        break;
    }
    return "PostgreSQLEscaping";
}

TestDatabase::TestDatabase(Backend backend, Content content, int archiveRecords)
    : backend_(backend)
{
    if (!backendAvailable(backend)) {
        skipUnlessAvailable(backend);
        backend = Backend::SQLite;
        content = Content::Empty;
    }
    if (backend == Backend::SQLite) {
        sqliteFile_ = QDir(QDir::tempPath()).filePath(QStringLiteral("orvtest_%1.db").arg(uniqueSuffix()));
        QFile::remove(sqliteFile_);
        url_ = QStringLiteral("sqlite:") + sqliteFile_;
    } else {
        postgresDatabase_ = QStringLiteral("orvtest_") + uniqueSuffix();
        const auto server = platform::db::Connection::open(postgresServerUrl());
        server->execute(QStringLiteral("SET client_min_messages = warning"));
        server->execute(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(postgresDatabase_));
        server->execute(QStringLiteral("CREATE DATABASE %1").arg(postgresDatabase_));
        if (backend == Backend::PostgreSQLEscaping || qEnvironmentVariable("ORV_TEST_PG_ESCAPING") == u"1")
            server->execute(
                QStringLiteral("ALTER DATABASE %1 SET standard_conforming_strings = off").arg(postgresDatabase_));
        url_ = urlWithDatabase(postgresServerUrl(), postgresDatabase_);
    }
    connection_ = platform::db::Connection::open(url_);
    if (content != Content::Empty)
        demo::createSchema(*connection_);
    if (content == Content::DemoArchive)
        demo::createArchive(*connection_, archiveRecords);
}

TestDatabase::~TestDatabase()
{
    connection_.reset();
    if (!sqliteFile_.isEmpty())
        QFile::remove(sqliteFile_);
    if (!postgresDatabase_.isEmpty()) {
        try {
            platform::db::Connection::open(postgresServerUrl())
                ->execute(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(postgresDatabase_));
        } catch (const std::exception& e) {
            ADD_FAILURE() << "test database " << postgresDatabase_.toStdString()
                          << " not dropped: " << e.what();
        }
    }
}

QList<QStringList> TestDatabase::rows(const QString& sql) const
{
    platform::db::Recordset recordset;
    recordset.open(sql, *connection_);
    QList<QStringList> result;
    for (; !recordset.eof(); recordset.moveNext()) {
        QStringList row;
        for (int i = 0; i < recordset.fieldCount(); ++i)
            row << recordset.text(i);
        result << row;
    }
    std::sort(result.begin(), result.end());
    return result;
}

QString TestDatabase::scalar(const QString& sql) const
{
    platform::db::Recordset recordset;
    recordset.open(sql, *connection_);
    return recordset.eof() ? QString() : recordset.text(0);
}

} // namespace orvtest
