#include "platform/db/Connection.h"
#include "platform/db/ReadOnlyReads.h"
#include "platform/db/Recordset.h"
#include "platform/Error.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ModalDialog.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>
#include <QDialog>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <stdexcept>

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

// What the connection itself answers, past the read-only guard.
QString answer(platform::db::Connection& connection, const QString& sql)
{
    QSqlQuery query(connection.database());
    return query.exec(sql) && query.next() ? query.value(0).toString() : QStringLiteral("failed: ") + sql;
}

// A record set only reads: a statement that would write fails, and leaves nothing changed (on SQLite
// not a byte of the file, nor a file made elsewhere, nor a tokenizer's address handed out or planted,
// which the connection refuses even past the read-only guard); within the caller's transaction, the
// transaction stays usable.
TEST_P(Literals, RecordSetsCannotWrite)
{
    const bool postgres = GetParam() != Backend::SQLite;
    connection().execute(QStringLiteral("create table t (a int)"));
    QStringList writes { "insert into t values (1) returning a", "update t set a = 2" };
    QString largeObject;
    const QTemporaryDir elsewhere;
    const QString attached = elsewhere.filePath(QStringLiteral("attached.db"));
    const QString copy = elsewhere.filePath(QStringLiteral("copy.db"));
    if (postgres) {
        connection().execute(QStringLiteral("create sequence s"));
        QSqlQuery created = connection().run(QStringLiteral("select lo_create(0)"));
        largeObject = created.next() ? created.value(0).toString() : QString();
        writes << "select nextval('s')" << "select lo_unlink(" + largeObject + ")";
    } else {
        writes << "pragma journal_mode = wal"
               << "attach database '" + attached + "' as other"
               << "vacuum into '" + copy + "'"
               << "pragma user_version = 7"
               << "begin"
               << "select hex(fts3_tokenizer('simple'))"
               << "select fts3_tokenizer('planted', x'4141414141414141')";
    }
    QFile file(platform::db::sqliteFileOf(database.url()));
    const QByteArray bytes = !postgres && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    file.close();
    for (const QString& write : writes) {
        platform::db::Recordset rows;
        EXPECT_THROW(rows.open(write, connection()), platform::Error) << write.toStdString();
    }
    if (!postgres) {
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), bytes);
        EXPECT_FALSE(QFile::exists(attached));
        EXPECT_FALSE(QFile::exists(copy));
        EXPECT_EQ(answer(connection(), QStringLiteral("pragma journal_mode")), QStringLiteral("delete"));
        EXPECT_EQ(answer(connection(), QStringLiteral("pragma user_version")), QStringLiteral("0"));
        EXPECT_EQ(database.scalar(QStringLiteral("select sum(value) from json_each('[1, 2]')")),
            QStringLiteral("3"));
        EXPECT_EQ(database.scalar(QStringLiteral(
                      "with recursive n(i) as (select 1 union all select i + 1 from n where i < 4) "
                      "select cast(max(s) as int) || date('2024-02-28', '+1 day') from (select sum(i) over "
                      "(order by i) + sqrt(json_extract('{\"a\": 4}', '$.a')) as s from n)")),
            QStringLiteral("122024-02-29"));
        EXPECT_TRUE(
            answer(connection(), QStringLiteral("select fts3_tokenizer('planted', x'4141414141414141')"))
                .startsWith(QStringLiteral("failed")));
        // The component's own pragmas still run, and a host's own query_only stays as the host set it.
        for (const QString& queryOnly : { QStringLiteral("1"), QStringLiteral("0") }) {
            connection().execute(QStringLiteral("pragma query_only = ") + queryOnly);
            EXPECT_EQ(database.scalar(QStringLiteral("select count(*) from t")), QStringLiteral("0"));
            EXPECT_EQ(answer(connection(), QStringLiteral("pragma query_only")), queryOnly);
        }
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
    EXPECT_EQ(
        database.scalar("select count(*) from pg_largeobject_metadata where oid = " + largeObject), "1");
    // A setting that a read changes is undone with it.
    const QString reading = database.scalar(QStringLiteral("show standard_conforming_strings"));
    const QString other = reading == "on" ? "off" : "on";
    database.scalar("select set_config('standard_conforming_strings', '" + other + "', false)");
    EXPECT_EQ(database.scalar(QStringLiteral("show standard_conforming_strings")), reading);
}

// The reads of a guard share one read-only transaction on one snapshot; a read that still wrote fails
// the guard at its end, undone; a failed read, a write of the component's own and a window waiting for
// the user each end the transaction, and what comes after goes on.
TEST_P(Literals, GuardedReadsShareOneSnapshotAndEndBeforeAWriteOrAWait)
{
    if (GetParam() == Backend::SQLite)
        GTEST_SKIP() << "every SQLite statement is refused or read alone";
    connection().execute(QStringLiteral("create table t (a int)"));
    QSqlQuery created = connection().run(QStringLiteral("select lo_create(0)"));
    const QString largeObject = created.next() ? created.value(0).toString() : QString();
    const auto other = platform::db::Connection::open(database.url());
    const QString backend = database.scalar(QStringLiteral("select pg_backend_pid()"));
    const auto inTransaction = [&] {
        platform::db::Recordset activity;
        activity.open("select state from pg_stat_activity where pid = " + backend, *other);
        return activity.text(0).startsWith(QStringLiteral("idle in transaction"));
    };
    {
        platform::db::ReadOnlyReads reads(&connection());
        EXPECT_EQ(database.scalar(QStringLiteral("select count(*) from t")), QStringLiteral("0"));
        other->execute(QStringLiteral("insert into t values (1)"));
        EXPECT_EQ(database.scalar(QStringLiteral("select count(*) from t")), QStringLiteral("0"));
        EXPECT_TRUE(inTransaction());
        platform::ui::msgBox(QStringLiteral("等待"));
        EXPECT_FALSE(inTransaction());
        EXPECT_EQ(database.scalar(QStringLiteral("select count(*) from t")), QStringLiteral("1"));
        EXPECT_THROW(database.scalar(QStringLiteral("select nothing from nowhere")), platform::Error);
        EXPECT_EQ(database.scalar("select lo_unlink(" + largeObject + ")"), QStringLiteral("1"));
        connection().execute(QStringLiteral("insert into t values (2)"));
        EXPECT_EQ(database.scalar(QStringLiteral("select sum(a) from t")), QStringLiteral("3"));
        try {
            reads.finish();
            ADD_FAILURE() << "a read that wrote passed";
        } catch (const platform::Error& error) {
            EXPECT_EQ(error.description(), QStringLiteral("读取数据的语句修改了数据库，修改已撤销。"));
        }
    }
    EXPECT_FALSE(inTransaction());
    EXPECT_EQ(
        database.scalar("select count(*) from pg_largeobject_metadata where oid = " + largeObject), "1");
    EXPECT_EQ(database.rows(QStringLiteral("select a from t")), (QList<QStringList> { { "1" }, { "2" } }));
}

// A guard within another (a batch of a web export) leaves the outer transaction open at its end, so that
// every batch reads the same moment; a window that waits ends it, whatever kind of window; and a guard
// that an exception leaves before its check ends it too, so that the session does not stay idle in a
// transaction whose old snapshot the next reads would see.
TEST_P(Literals, AnInnerGuardKeepsTheOuterSnapshotAWindowAndAFailureEndIt)
{
    if (GetParam() == Backend::SQLite)
        GTEST_SKIP() << "SQLite reads share no transaction";
    connection().execute(QStringLiteral("create table t (a int)"));
    const auto other = platform::db::Connection::open(database.url());
    const auto rows = [&] { return database.scalar(QStringLiteral("select count(*) from t")); };
    const auto insertElsewhere = [&] { other->execute(QStringLiteral("insert into t values (1)")); };
    {
        platform::db::ReadOnlyReads outer(&connection());
        {
            platform::db::ReadOnlyReads inner(&connection());
            EXPECT_EQ(rows(), QStringLiteral("0"));
            inner.finish();
        }
        insertElsewhere();
        EXPECT_EQ(rows(), QStringLiteral("0")) << "the inner guard ended the outer one's transaction";
        QDialog window;
        platform::ui::showModal(window);
        EXPECT_EQ(rows(), QStringLiteral("1")) << "the window waited with the transaction open";
        outer.finish();
    }
    try {
        platform::db::ReadOnlyReads reads(&connection());
        EXPECT_EQ(rows(), QStringLiteral("1"));
        throw std::runtime_error("a page that cannot be built");
    } catch (const std::runtime_error&) {
    }
    insertElsewhere();
    EXPECT_EQ(rows(), QStringLiteral("2")) << "the transaction outlived its guard";
}

INSTANTIATE_TEST_SUITE_P(Backends, Literals, testing::ValuesIn(literalBackends()), BackendTestName());

} // namespace
