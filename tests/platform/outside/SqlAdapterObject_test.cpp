#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/Error.h"
#include "platform/outside/SqlAdapterObject.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>
#include <QDateTime>

using platform::db::Dialect;
using platform::outside::LiteralKind;
using platform::outside::SqlAdapterObject;
using namespace orvtest;

namespace
{

struct RewriteCase {
    const char* sql;
    const char* sqlite;
    const char* postgres;
};

TEST(SqlAdapterRewrite, RewritesSqlServerDialectForEachTarget)
{
    const RewriteCase cases[] = {
        { "select top 1 a from t -- first\n", "select a from t limit 1 -- first\n",
            "select a from t limit 1 -- first\n" },
        { "select top 10 percent a from t", "select top 10 percent a from t",
            "select top 10 percent a from t" },
        { "select a + 'x', cast(b as int), ltrim(rtrim(c)) from t",
            "select a + 'x', cast(b as int), ltrim(rtrim(c)) from t",
            "select a + 'x', cast(b as int), ltrim(rtrim(c)) from t" },
        { "select t.len, isnull(a) from t", "select t.len, isnull(a) from t",
            "select t.len, isnull(a) from t" },
        { "select a from t order by a, b desc , c asc -- sorted\n",
            "select a from t order by a, b desc , c asc -- sorted\n",
            "select a from t order by a NULLS FIRST, b desc NULLS LAST , c asc NULLS FIRST -- sorted\n" },
        { "select a from t order by a nulls last", "select a from t order by a nulls last",
            "select a from t order by a nulls last" },
        { "select convert(bit, a) from t", "select convert(bit, a) from t", "select convert(bit, a) from t" },
    };
    const SqlAdapterObject adapter;
    for (const RewriteCase& c : cases) {
        EXPECT_EQ(adapter.adaptSql(c.sql, Dialect::SQLite), c.sqlite) << c.sql;
        EXPECT_EQ(adapter.adaptSql(c.sql, Dialect::PostgreSQL), c.postgres) << c.sql;
        EXPECT_EQ(adapter.adaptSql(c.sql, Dialect::SqlServer), c.sql);
    }
}

QString nested(const QString& call, int depth, const QString& inner)
{
    QString sql = inner;
    for (int i = 0; i < depth; ++i)
        sql = QString(call).arg(sql);
    return sql;
}

// Every nesting level of a call adds the same text to the rewritten statement, however the call
// writes its arguments; calls nested without bound are refused instead of exhausting the stack.
TEST(SqlAdapterRewrite, NestedCallsGrowLinearlyAndAreBounded)
{
    const char* const calls[] = { "convert(int, %1)", "convert(decimal(10,2), %1)", "isnull(%1, 0)",
        "charindex('-', code, %1)", "right(code, %1)", "datediff(second, %1, op_time)" };
    const SqlAdapterObject adapter;
    for (const Dialect dialect : { Dialect::SQLite, Dialect::PostgreSQL }) {
        for (const char* call : calls) {
            const bool copies = QString(call).startsWith("charindex") || QString(call).startsWith("right")
                || QString(call).startsWith("datediff");
            const int depth = copies ? 3 : 14;
            QList<qsizetype> sizes;
            for (int d = 0; d <= depth; ++d)
                sizes << adapter.adaptSql(nested(call, d, "x"), dialect).size();
            for (int d = 2; d <= depth && !copies; ++d)
                EXPECT_EQ(sizes[d] - sizes[d - 1], sizes[1] - sizes[0]) << call << " depth " << d;
            EXPECT_LT(sizes[depth], 200 * nested(call, depth, "x").size()) << call;
            // A call the target keeps as written is never rewritten, so nothing recurses.
            if (adapter.adaptSql(call, dialect) != call)
                EXPECT_THROW(adapter.adaptSql(nested(call, 4500, "x"), dialect), platform::Error) << call;
        }
    }
    EXPECT_EQ(
        adapter.adaptSql(nested("convert(int, %1)", 4500, "x"), Dialect::SqlServer).size(), 4500 * 14 + 1);
}

struct LiteralCase {
    const char* value;
    LiteralKind kind;
    const char* literal;
};

TEST(SqlAdapterLiteral, WritesEachKindOfValue)
{
    const LiteralCase cases[] = {
        { "O'Neil", LiteralKind::Text, "O''Neil" },
        { "''", LiteralKind::Text, "''''" },
        { "", LiteralKind::Text, "" },
        { "2024-01-31", LiteralKind::Date, "'2024-01-31'" },
        { "2024/1/5", LiteralKind::Date, "'2024-01-05'" },
        { "2024年1月5日", LiteralKind::Date, "'2024-01-05'" },
        { "20240105", LiteralKind::Date, "'2024-01-05'" },
        { "2024-01-31 08:30:05", LiteralKind::Date, "'2024-01-31 08:30:05'" },
        { "  ", LiteralKind::Date, "NULL" },
        { "x') or ('1'='1", LiteralKind::Date, "'x'') or (''1''=''1'" },
        { "12", LiteralKind::Number, "12" },
        { " -3.50 ", LiteralKind::Number, "-3.5" },
        { "12345678901234567", LiteralKind::Number, "12345678901234567" },
        { "", LiteralKind::Number, "NULL" },
    };
    const SqlAdapterObject adapter;
    for (const LiteralCase& c : cases)
        EXPECT_EQ(adapter.sqlLiteral(c.value, c.kind), c.literal) << c.value;
    EXPECT_THROW(adapter.sqlLiteral("1; delete from t", LiteralKind::Number), platform::Error);
}

class SqlAdapterExecution : public orvtest::BackendTest
{
protected:
    TestDatabase db { GetParam() };
    platform::db::Connection& connection = *db.connection();
    SqlAdapterObject adapter;

    QString firstText(const QString& sql) { return adapter.open(sql, connection)->text(0); }
    QStringList column(const QString& sql)
    {
        QStringList texts;
        for (auto rs = adapter.open(sql, connection); !rs->eof(); rs->moveNext())
            texts << rs->text(0);
        return texts;
    }
};

TEST_P(SqlAdapterExecution, GetdateIsTheLocalTimeToTheSecond)
{
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    const QDateTime now = QDateTime::fromString(firstText("select GetDate ( )"), "yyyy-MM-dd hh:mm:ss");
    ASSERT_TRUE(now.isValid());
    EXPECT_GE(now, before.addMSecs(-before.time().msec()));
    EXPECT_LE(now, QDateTime::currentDateTime());
}

TEST_P(SqlAdapterExecution, ConvertToFloatReadsNumbersAndNullsTheRest)
{
    connection.execute("insert into report_info (report_id, info_type, info_order, info_description) values "
                       "('R', 'A', 1, '10'), ('R', 'B', 2, '9.5'), ('R', 'C', 3, ''), ('R', 'D', 4, 'abc'), "
                       "('R', 'E', 5, ' -2 '), ('R', 'F', 6, null), ('R', 'G', 7, '1e2')");
    EXPECT_EQ(column("select Convert(float, info_description) from report_info order by info_order"),
        (QStringList { "10", "9.5", "", "", "-2", "", "100" }));
    // Descending, the values that are no numbers come last, as on SQL Server.
    EXPECT_EQ(
        column("select info_type from report_info order by Convert(float,info_description) desc, info_type"),
        (QStringList { "G", "A", "B", "E", "C", "D", "F" }));
    EXPECT_EQ(firstText("select convert(int, info_description) + convert(float, info_order) from report_info "
                        "where info_type = 'b'"),
        "11");
}

TEST_P(SqlAdapterExecution, NestedConversionsRunAndKeepNullForTexts)
{
    connection.execute("insert into report_info (report_id, info_type, info_order, info_description) values "
                       "('R', 'A', 1, ' 12.7 '), ('R', 'B', 2, 'abc'), ('R', 'C', 3, '-3')");
    const QString sql = nested("convert(int, convert(float, %1))", 7, "info_description");
    EXPECT_EQ(column(QString("select %1 from report_info order by info_order").arg(sql)),
        (QStringList { "12", "", "-3" }));
    EXPECT_EQ(
        firstText(
            QString("select sum(%1) from report_info").arg(nested("convert(float, %1)", 3, "info_order"))),
        "6");
}

TEST_P(SqlAdapterExecution, IsnullTopAndBracketsRunOnTheTarget)
{
    connection.execute("insert into report_index (report_id, report_name, report_type) values "
                       "('R1', null, 1), ('R2', '乙', 2), ('R3', '丙', 1)");
    EXPECT_EQ(column("select isnull([Report_Name], '无') from [report_index] order by [report_id]"),
        (QStringList { "无", "乙", "丙" }));
    EXPECT_EQ(column("SELECT DISTINCT TOP (1) report_type FROM report_index order by report_type"),
        (QStringList { "1" }));
    EXPECT_EQ(
        firstText("select count(*) from dbo.report_index with (nolock) where report_name = N'乙'"), "1");
    EXPECT_EQ(column("select top 2 report_id from report_index order by report_id desc"),
        (QStringList { "R3", "R2" }));
    EXPECT_EQ(
        column("select report_id from report_index where report_id in "
               "(select top 1 report_id from report_index where report_type = 1 order by report_id desc)"),
        (QStringList { "R3" }));
    EXPECT_EQ(firstText("select len(report_name) from report_index where report_id = 'R2'"), "1");
    EXPECT_EQ(adapter.execute("update [dbo].[report_index] set report_name = N'甲' where report_name is null",
                  connection),
        1);
}

TEST_P(SqlAdapterExecution, TextAndDateFunctionsGiveSqlServersResults)
{
    connection.execute("insert into report_logs (recid, report_name, op_time) values "
                       "('1', 'abcabc', '2024-02-28 23:30:15')");
    connection.execute("update report_logs set report_content = 'ab  '");
    const char* const expected[][2] = {
        { "charindex('c', report_name)", "3" },
        { "charindex('c', report_name, 4)", "6" },
        { "charindex('c', report_name, charindex('c', report_name) + 1)", "6" },
        { "charindex('c', report_name, 7)", "0" },
        { "charindex('z', report_name)", "0" },
        { "substring(report_name, 2, 3)", "bca" },
        { "left(report_name, 2)", "ab" },
        { "right(report_name, 4)", "cabc" },
        { "right(report_name, 0)", "" },
        { "len(report_content)", "2" },
        { "'getdate() isnull( [x] top 1' -- getdate()\n", "getdate() isnull( [x] top 1" },
        { "year(op_time)", "2024" },
        { "month(op_time)", "2" },
        { "datepart(dd, op_time)", "28" },
        { "datepart(hh, op_time)", "23" },
        { "datepart(weekday, op_time)", "4" },
        { "datepart(quarter, op_time)", "1" },
        { "convert(varchar(10), op_time, 120)", "2024-02-28" },
        { "convert(varchar(8), op_time, 112)", "20240228" },
        { "convert(varchar, op_time, 108)", "23:30:15" },
        { "datediff(day, op_time, '2024-03-01')", "2" },
        { "datediff(month, op_time, '2025-01-01')", "11" },
        { "datediff(year, op_time, '2025-01-01')", "1" },
        { "datediff(hour, op_time, '2024-02-29 01:00:00')", "2" },
        { "datediff(second, op_time, '2024-02-28 23:31:00')", "45" },
        { "convert(varchar(10), dateadd(day, 2, op_time), 120)", "2024-03-01" },
        { "convert(varchar(10), dateadd(month, -1, op_time), 23)", "2024-01-28" },
    };
    for (const auto& [expression, result] : expected)
        EXPECT_EQ(firstText(QString("select %1 from report_logs").arg(expression)), result) << expression;
    // A server reading backslashes as escapes reads on in the literal after "\'".
    if (connection.backslashEscapesIn(QStringLiteral("\\")))
        EXPECT_EQ(firstText("select 'it\\'s [x] isnull(' as t"), "it's [x] isnull(");
}

TEST_P(SqlAdapterExecution, NullsSortBeforeEveryValueAsOnSqlServer)
{
    connection.execute("insert into report_index (report_id, report_name) values "
                       "('R1', 'b'), ('R2', null), ('R3', 'a')");
    EXPECT_EQ(column("select report_id from report_index order by report_name"),
        (QStringList { "R2", "R3", "R1" }));
    EXPECT_EQ(column("select report_id from report_index order by report_name desc, report_id"),
        (QStringList { "R1", "R3", "R2" }));
    EXPECT_EQ(
        column("select top 1 report_id from report_index order by report_name"), (QStringList { "R2" }));
}

INSTANTIATE_TEST_SUITE_P(Backends, SqlAdapterExecution, testing::ValuesIn(allBackends()), BackendTestName());

} // namespace
