#pragma once

#include <functional>
#include <optional>
#include <QString>

namespace platform::db
{

class Connection;

// What a mark of a stored statement stands for.
struct MarkValue {
    enum class Kind {
        Text,
        Number, // digits as SQL writes a number
        Null,
        Sql, // a piece of SQL of the caller's own, for a mark in code
    };
    Kind kind;
    QString text; // empty for Null
};

// What the mark named `name` stands for, or nothing when the run is no mark. `inCode` tells whether the
// mark stands in code rather than inside a literal; `done`, the statement so far, may be changed (a NULL
// compared with "=" becomes "is null").
using MarkValueOf = std::function<std::optional<MarkValue>(const QString& name, bool inCode, QString& done)>;

// The statement with values in place of its marks, as the connection's server will read it. A mark is a
// run from `delimiter` to the next one within one literal (after its opening quote), comment or quoted
// name, or in code only, as storedStatementPieces reads the statement; when the run is no mark, its first
// delimiter stays as written and the search goes on from the next one. In code a value becomes a whole
// literal that reads back as the value (Connection::literal), a number stays as written (in parentheses
// with its sign) and NULL is NULL; where `wholeLiterals`, a plain literal holding nothing but the mark
// counts as code, its quotes dropped. Inside an author's literal the value's text continues it, escaped
// for its kind (its quotes doubled, and the escape character of an E'...' or U&'...' literal), a NULL as
// the empty text; inside a dollar-quoted text it goes as it is, refused (platform::Error) when it or that
// text holds a "$" that could close the quote. In a comment, a quoted name, a bit string or a SQLite
// parameter, and after an escape character that would take its first character, a mark has no place for
// a value and stays as written.
QString fillMarks(const Connection& connection, const QString& statement, QChar delimiter, bool wholeLiterals,
    const MarkValueOf& valueOf);

} // namespace platform::db
