#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/Error.h"

#include <gtest/gtest.h>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

using platform::db::Connection;
using platform::db::Recordset;

namespace
{

class SqliteRows : public testing::Test
{
protected:
    // Reads `select` into a record set and compares it with what the driver reads, field by field, value
    // and type; the first row that differs ends the comparison.
    void expectTheDriversValues(const QString& select, qsizetype rowCount)
    {
        Recordset records;
        records.open(select, *connection);
        QSqlQuery driver = connection->runFetchedWhole(select);
        ASSERT_EQ(records.recordCount(), rowCount);
        for (int r = 0; r < rowCount && !HasFailure(); ++r, records.moveNext()) {
            ASSERT_TRUE(driver.next());
            for (int i = 0; i < driver.record().count(); ++i) {
                const QVariant expected = driver.value(i).isNull() ? QVariant() : driver.value(i);
                EXPECT_EQ(records.value(i), expected) << "row " << r + 1 << " field " << i;
                EXPECT_EQ(records.value(i).typeId(), expected.typeId()) << "row " << r + 1 << " field " << i;
                // A text takes the room of its characters, not of its bytes.
                if (const QString* text = records.textValue(i))
                    EXPECT_EQ(text->capacity(), text->size()) << "row " << r + 1 << " field " << i;
            }
        }
    }

    QTemporaryDir folder;
    std::shared_ptr<Connection> connection = Connection::open(folder.filePath(QStringLiteral("rows.db")));
};

} // namespace

// The record set reads a SQLite query's rows from the statement itself; every value is the one the
// driver reads, whatever its kind, and whatever the row above held in that column.
TEST_F(SqliteRows, EveryValueIsTheDriversWhateverTheRowAbove)
{
    connection->execute(QStringLiteral("create table t (k integer, n integer, x real, s text, b blob)"));
    const QString loneSurrogate(QChar(0xD800));
    const QList<QVariantList> rows {
        { 1, 1, 1.5, QStringLiteral("G0001"), QByteArray("ab") },
        { 2, 1, 1.5, QStringLiteral("G0001"), QVariant() }, // a text repeated from the row above
        { 3, QVariant(), QVariant(), QString(""), QByteArray() }, // empty below a text
        { 4, 2, -0.25, QString(""), QByteArray("ab") },
        { 5, 3, 1e20, QStringLiteral("关于档案1号文件"), QVariant() },
        { 6, 3, 2.0, QStringLiteral("关于档案1号文件"), QVariant() },
        { 7, 4, QVariant(), QVariant(), QVariant() },
        { 8, 5, 3.0, QStringLiteral("G0001"), QVariant() }, // the same text again below a NULL
        { 9, QStringLiteral("x"), QStringLiteral("7"), loneSurrogate, QVariant() }, // texts in number columns
        { 10, QStringLiteral("x"), 8.0, loneSurrogate, QVariant() },
        // Numbers on both sides of what a value holds in place, a whole number of 32 bits or a real
        // whose lower half is zero, and beyond.
        { 11, 2147483647, -0.0, QVariant(), QVariant() },
        { 12, Q_INT64_C(2147483648), 0.1, QVariant(), QVariant() },
        { 13, -2147483647 - 1, 1e300, QVariant(), QVariant() },
        { 14, Q_INT64_C(-2147483649), -2.5, QVariant(), QVariant() },
        { 15, Q_INT64_C(9007199254740993), 4294967296.0 + 1, QVariant(), QVariant() },
    };
    for (const QVariantList& row : rows)
        connection->execute(QStringLiteral("insert into t values (?, ?, ?, ?, ?)"), row);

    expectTheDriversValues(QStringLiteral("select n, x, s, b from t order by k"), rows.size());
}

// A long query is read in blocks, decoded on a second thread while the statement steps on: texts
// repeated across a block's edge, NULLs under texts, blobs and a lone surrogate far down read as the
// driver reads them, in order.
TEST_F(SqliteRows, ALongQueryReadsAsTheDriverDoesAcrossItsBlocks)
{
    connection->execute(QStringLiteral("create table t (k integer, g text, n real, b blob)"));
    connection->execute(QStringLiteral(
        "with recursive i(k) as (select 1 union all select k + 1 from i where k < 10000) "
        "insert into t select k, case when k % 13 = 0 then null when k = 9000 then char(55296) "
        "else 'G' || (k / 7) end, case when k % 5 = 0 then null else k / 4.0 end, "
        "case when k % 100 = 0 then x'00ff' end from i"));
    expectTheDriversValues(QStringLiteral("select g, n, b from t order by k"), 10000);
}

// A step that fails half-way through the rows is an error, not a shorter record set, in the first
// block as in a later one.
TEST_F(SqliteRows, AStepThatFailsIsAnErrorNotFewerRows)
{
    connection->execute(QStringLiteral(
        "create table t as with recursive i(n) as (select 1 union all select n + 1 from i where n < 9000) "
        "select n from i"));
    for (const int failing : { 3, 8999 }) {
        Recordset records;
        try {
            // No sort: the failing row is computed when the fetch reaches it.
            records.open(QStringLiteral("select case when n = %1 then abs(-9223372036854775807 - 1) "
                                        "else n end from t")
                             .arg(failing),
                *connection);
            FAIL() << "read " << records.recordCount() << " rows without an error";
        } catch (const platform::Error& error) {
            EXPECT_EQ(error.number(), platform::errors::DatabaseError);
        }
    }
}
