#pragma once

#include <gtest/gtest.h>
#include <memory>
#include <QList>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace platform::db
{
class Connection;
}

namespace orvtest
{

// PostgreSQLEscaping: a PostgreSQL database set to standard_conforming_strings = off, which reads a
// backslash in a plain literal as an escape, as older archives keep it. With ORV_TEST_PG_ESCAPING=1 in
// the environment every PostgreSQL test database is set so.
enum class Backend { SQLite, PostgreSQL, PostgreSQLEscaping };

// Both backends, whatever the environment, so that the list of tests never depends on where it was
// first taken. A PostgreSQL test runs when the environment variable ORV_TEST_PG holds a server URL such
// as postgresql://postgres@127.0.0.1:54329/postgres (scripts/test starts that server); otherwise it is
// skipped with that reason.
std::vector<Backend> allBackends();
// allBackends() and PostgreSQLEscaping, for tests of what a statement's literals hold.
std::vector<Backend> literalBackends();
bool backendAvailable(Backend backend);
// Marks the running test skipped when `backend` has no server named.
void skipUnlessAvailable(Backend backend);

// The base of a suite parameterized over allBackends(): a test on a backend without a server is skipped
// as its fixture is made, so that neither its set-up nor its body runs.
class BackendTest : public testing::TestWithParam<Backend>
{
protected:
    BackendTest() { skipUnlessAvailable(GetParam()); }
};

std::string backendName(Backend backend);

// Names the instances of a suite parameterized over allBackends(): ".../SQLite", ".../PostgreSQL".
struct BackendTestName {
    std::string operator()(const testing::TestParamInfo<Backend>& info) const
    {
        return backendName(info.param);
    }
};

// A fresh database of its own for one test: a temporary SQLite file, or on PostgreSQL a new database
// on the test server, dropped again when the object goes. A PostgreSQL database without a server named
// marks the test skipped and is an empty SQLite file in its place, so that a fixture holding it can still
// be made; the skipped test never uses it.
class TestDatabase
{
public:
    enum class Content {
        Empty, // no tables
        Schema, // the component's tables and the lookup rows
        DemoArchive, // the schema, the archive table wsda with its metadata rows and the sample reports
    };

    explicit TestDatabase(Backend backend, Content content = Content::Schema, int archiveRecords = 3000);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    Backend backend() const { return backend_; }
    const std::shared_ptr<platform::db::Connection>& connection() const { return connection_; }
    // The URL that Connection::open takes for this database.
    const QString& url() const { return url_; }

    // Every row of the query as the texts of its fields (Field::text), rows sorted, for comparing
    // stored rows field by field whatever order the database returns them in.
    QList<QStringList> rows(const QString& sql) const;
    // The first field of the first row as text ("" without rows).
    QString scalar(const QString& sql) const;

private:
    Backend backend_;
    QString url_;
    QString sqliteFile_;
    QString postgresDatabase_;
    std::shared_ptr<platform::db::Connection> connection_;
};

} // namespace orvtest
