#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/Error.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace orvtest;

namespace
{

class Literals : public BackendTest
{
protected:
    platform::db::Connection& connection() { return *database.connection(); }
    TestDatabase database { GetParam(), TestDatabase::Content::Empty };
};

// Every text comes back as it was, spliced as a whole literal, inside a stored literal's quotes, or bound,
// whether the server reads a backslash in a plain literal as an escape or not.
TEST_P(Literals, TextsComeBackAsTheyWere)
{
    connection().execute(QStringLiteral("create table t (k int, v varchar(200))"));
    const QString texts[] = { "C:\\temp\\new", "a\\tb\nc", "\\\\", "\\'", "it's",
        "x\\' or 1=1) || (select string_agg(secret, ',') from canary)--" };
    int key = 0;
    for (const QString& text : texts) {
        connection().execute(QStringLiteral("insert into t values (?, ?)"), { ++key, text });
        EXPECT_EQ(database.scalar(QStringLiteral("select ") + connection().literal(text)), text);
        EXPECT_EQ(database.scalar(QStringLiteral("select '") + connection().insideLiteral(text) + "'"), text);
        platform::db::Recordset bound;
        bound.open(QStringLiteral("select k from t where v = ?"), connection(), { text });
        EXPECT_EQ(bound.text(0), QString::number(key)) << text.toStdString();
    }
}

// A record set only reads: a statement that would write fails, and leaves nothing changed; within the
// caller's transaction, the transaction stays usable.
TEST_P(Literals, RecordSetsCannotWrite)
{
    const bool postgres = GetParam() != Backend::SQLite;
    connection().execute(QStringLiteral("create table t (a int)"));
    QStringList writes { "insert into t values (1) returning a" };
    QString largeObject;
    if (postgres) {
        connection().execute(QStringLiteral("create sequence s"));
        QSqlQuery created = connection().run(QStringLiteral("select lo_create(0)"));
        largeObject = created.next() ? created.value(0).toString() : QString();
        writes << "select nextval('s')" << "select lo_unlink(" + largeObject + ")";
    }
    for (const QString& write : writes) {
        platform::db::Recordset rows;
        EXPECT_THROW(rows.open(write, connection()), platform::Error) << write.toStdString();
    }
    connection().beginTrans();
    connection().execute(QStringLiteral("insert into t values (2)"));
    platform::db::Recordset refused;
    EXPECT_THROW(refused.open(writes.first(), connection()), platform::Error);
    connection().commitTrans();
    EXPECT_EQ(database.rows(QStringLiteral("select a from t")), QList<QStringList> { { "2" } });
    if (!postgres)
        return;
    EXPECT_EQ(database.scalar(QStringLiteral("select is_called from s")), QStringLiteral("False"));
    EXPECT_EQ(database.scalar("select count(*) from pg_largeobject_metadata where oid = " + largeObject), "1");
    // A setting that a read changes is undone with it.
    const QString reading = database.scalar(QStringLiteral("show standard_conforming_strings"));
    const QString other = reading == "on" ? "off" : "on";
    database.scalar("select set_config('standard_conforming_strings', '" + other + "', false)");
    EXPECT_EQ(database.scalar(QStringLiteral("show standard_conforming_strings")), reading);
}

INSTANTIATE_TEST_SUITE_P(Backends, Literals, testing::ValuesIn(literalBackends()), BackendTestName());

} // namespace
