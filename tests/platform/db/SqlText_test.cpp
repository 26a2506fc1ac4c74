#include "platform/db/BatchStatements.h"
#include "platform/db/Connection.h"
#include "platform/db/SingleStatement.h"
#include "platform/db/SqlLiteral.h"
#include "platform/db/SqlScript.h"
#include "platform/db/SqlTokens.h"
#include "platform/db/ValueText.h"

#include <gtest/gtest.h>
#include <QDateTime>

using namespace platform::db;

namespace
{

TEST(SqlLiteral, QuotesEveryQuoteInsideTheValue)
{
    EXPECT_EQ(sqlText("abc"), "'abc'");
    EXPECT_EQ(sqlText("it's"), "'it''s'");
    EXPECT_EQ(sqlText("'; delete from report_index; --"), "'''; delete from report_index; --'");
    EXPECT_EQ(sqlText(""), "''");
    EXPECT_EQ(sqlNumber(2.50), "2.5");
}

TEST(ValueText, ShowsValuesAsADesktopDatabaseDoes)
{
    const std::pair<QVariant, const char*> cases[] = {
        { QVariant(), "" },
        { QVariant(3.0), "3" },
        { QVariant(0.1), "0.1" },
        { QVariant(0.1 + 0.2), "0.3" },
        { QVariant(-0.0), "0" },
        { QVariant(1e20), "100000000000000000000" },
        { QVariant(1.5e-7), "0.00000015" },
        { QVariant(qlonglong(9007199254740993)), "9007199254740993" },
        { QVariant(QDate(2024, 1, 31)), "2024-01-31" },
        { QVariant(QDateTime(QDate(2024, 1, 31), QTime(0, 0))), "2024-01-31 00:00:00" },
        { QVariant(QDateTime(QDate(2024, 1, 31), QTime(8, 5, 9))), "2024-01-31 08:05:09" },
        { QVariant(true), "True" },
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(valueText(value), text) << value.toString().toStdString();
}

TEST(SingleSourceTable, FindsTheOneTableAPlainSelectReads)
{
    const std::pair<const char*, const char*> cases[] = {
        { "select * from report_info where report_id='1'", "report_info" },
        { "Select * from hyjlml where batchid='x' and currentpos='1'", "hyjlml" },
        { "select * from t order by a", "t" },
        { "select a, (select max(b) from u) from t where x in (select y from v)", "t" },
        { "select * from report_index\n", "report_index" },
        { "select * from a, b", "" },
        { "select * from a join b on a.x = b.x", "" },
        { "select * from (select * from t) s", "" },
        { "update t set a = 1", "" },
    };
    for (const auto& [sql, table] : cases)
        EXPECT_EQ(singleSourceTable(sql), table) << sql;
}

TEST(SqlTokens, KeepTheTextAndItsLiteralsWhole)
{
    const QString sql
        = "select [a]]b], \"c d\", 'it''s -- no comment' -- comment\n from t /* x */ where n=1.5e3";
    const QList<SqlToken> tokens = tokenizeSql(sql, Dialect::SqlServer);
    QString joined;
    for (const SqlToken& token : tokens)
        joined += token.text;
    EXPECT_EQ(joined, sql);
    auto has = [&](SqlToken::Kind kind, const QString& text) {
        return std::any_of(tokens.begin(), tokens.end(),
            [&](const SqlToken& t) { return t.kind == kind && t.text == text; });
    };
    EXPECT_TRUE(has(SqlToken::Kind::QuotedName, "[a]]b]"));
    EXPECT_TRUE(has(SqlToken::Kind::QuotedName, "\"c d\""));
    EXPECT_TRUE(has(SqlToken::Kind::Text, "'it''s -- no comment'"));
    EXPECT_TRUE(has(SqlToken::Kind::Comment, "-- comment"));
    EXPECT_TRUE(has(SqlToken::Kind::Comment, "/* x */"));
    EXPECT_TRUE(has(SqlToken::Kind::Number, "1.5e3"));
    EXPECT_EQ(tokenizeSql("'open", Dialect::SqlServer).size(), 1);
}

TEST(SqlScript, SplitsOnlyBetweenStatements)
{
    const QString script = "-- header; not a statement\n"
                           "create function f() returns int as $body$ select 1; $body$ language sql;\n"
                           "insert into t values ('a;b', \"c;d\");;\n"
                           "/* ; */ select 2";
    EXPECT_EQ(splitSqlScript(script),
        (QStringList { "create function f() returns int as $body$ select 1; $body$ language sql",
            "insert into t values ('a;b', \"c;d\")", "select 2" }));
}

// Whether each server would read the text as one statement: SQLite, PostgreSQL (with
// standard_conforming_strings on, and off), SQL Server.
struct StatementCase {
    const char* sql;
    bool sqlite, postgres, postgresEscaping, sqlServer;
};

TEST(SingleStatement, RefusesWhatAServerWouldRunAsAFurtherStatement)
{
    const StatementCase cases[] = {
        { "select 1", true, true, true, true },
        { "select 1; -- done\n /* ; */ \t", true, true, true, true },
        { "select 1;;", false, false, false, false },
        { "select * from wsda where (1=1); delete from report_index; --)", false, false, false, false },
        { "select * from wsda order by wsda.archive_no; delete from wsda", false, false, false, false },
        { "select * from t where a = 'it''s; fine' and b = \"x;\" -- ; drop table t", true, true, true,
            true },
        { "select * from t where a = 'a\\'; delete from t; --'", false, false, true, false },
        // escape strings (also after a number), and names that merely begin or end with "E"
        { "select E'\\'; delete from t; --'", false, true, true, false },
        { "select 1E'\\'; delete from t; --'", false, true, true, false },
        { "select ee'\\'; delete from t; --'", false, false, true, false },
        // a bit string closes at its first quote, a backslash or not
        { "select B'\\'; delete from t; --'", false, false, false, false },
        // an escape string continued on the next line stays one
        { "select E'a'\n'\\''; delete from t; --'", true, false, false, true },
        { "select $$;$$, $x$ $$; $x$", false, true, true, false },
        { "select 1 /* a /* b */ ; */", false, true, true, true },
        // SQLite ends a "--" comment at a line feed only, PostgreSQL at a carriage return too
        { "select 1 -- x\r; delete from t", true, false, false, false },
        { "select [a;b] from t", true, false, false, true },
        { "select [a]]; delete from t; --] from t", false, false, false, true },
        { "select `a;b` from t", true, false, false, false },
        // SQLite reads a parameter's "(...)" raw up to the first ")" or blank: no comment or literal in it
        { "select * from wsda where ($a(--) is null); delete from wsda; --)", false, true, true, true },
        { "select :a(') ; delete from t; --'", false, true, true, true },
        { "select @a(--); delete from t", false, true, true, true },
        { "select $a::b(--); delete from t", false, true, true, true },
        { "select $a( --); delete from t", true, true, true, true },
        // SQLite's trigger bodies hold statements of their own
        { "create temp trigger r after delete on t begin delete from u; end;", true, false, false, false },
        { "create trigger r after delete on t begin delete from u; end; drop table t", false, false, false,
            false },
    };
    for (const auto& [sql, sqlite, postgres, postgresEscaping, sqlServer] : cases) {
        EXPECT_EQ(statementEnd(sql, Dialect::SQLite) >= 0, sqlite) << sql;
        EXPECT_EQ(statementEnd(sql, Dialect::PostgreSQL) >= 0, postgres) << sql;
        EXPECT_EQ(statementEnd(sql, Dialect::PostgreSQL, true) >= 0, postgresEscaping) << sql;
        EXPECT_EQ(statementEnd(sql, Dialect::SqlServer) >= 0, sqlServer) << sql;
    }
    EXPECT_EQ(statementEnd("select 'x;y'; -- end", Dialect::PostgreSQL), 12);
}

} // namespace
