#pragma once

#include "platform/db/Connection.h"

#include <QList>
#include <QString>

// Pieces of the report query as texts: conditions joined so that each keeps its meaning, a condition
// added to a whole statement, and sort lists split into their terms. The texts are SQL by contract (the
// report's stored pieces, the host's filter and order); a statement that a value entered is read as its
// server reads it.
namespace engine
{

// How a report's statements are read: as the connection's server reads them (tokenizeSql, the SQL
// adapter's reading), in SQL Server's dialect, which they are written in, without a connection.
struct SqlReading {
    platform::db::Dialect dialect = platform::db::Dialect::SqlServer;
    bool backslashEscapes = false;

    // The reading of `sql` on `connection` (none when null); asks the server only for a text that holds a
    // backslash.
    static SqlReading of(const platform::db::Connection* connection, const QString& sql);
};

// Where `text` (" from ", any letter case) first stands in the statement outside its literals, quoted
// names and comments; -1 when nowhere.
qsizetype IndexInCode(const QString& sql, QLatin1String text, const SqlReading& reading);

// Joins two pieces. With "and" (blanks around it as the caller writes them) every non-empty piece is
// put in parentheses, so that a piece holding "or" keeps its meaning whatever it is joined with later:
// "( a) and (b) ", or "(a) " when only one is non-empty. With "," the pieces are listed: a + separator
// + b, or the one non-empty piece followed by " ". Empty pieces (blanks only included) give "", and so
// does any other separator.
QString JoinSqlCondition(const QString& a, const QString& b, const QString& separator);

// Adds `condition` to a whole statement: to its own WHERE clause as "where (own) and (condition)", or as
// a new WHERE clause before its GROUP BY, HAVING or ORDER BY, or at its end. Only the statement's own
// clauses count, not those of a sub-query or inside a literal or comment. An empty condition changes
// nothing.
QString AddSqlCondition(const QString& sql, const QString& condition, const SqlReading& reading = {});

// One term of a sort list: its expression and the direction word written after it ("" when none).
struct SortTerm {
    QString expression;
    QString direction;

    QString text() const;
};

// The terms of a comma list such as "t.a desc,Convert(float,t.b)"; a comma inside parentheses belongs to
// its term; empty terms are dropped.
QList<SortTerm> parseSortList(const QString& list);
QString sortListText(const QList<SortTerm>& terms);

} // namespace engine
