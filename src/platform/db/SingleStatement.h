#pragma once

#include <QList>
#include <QString>

namespace platform::db
{

enum class Dialect;

// Where the statement that `sql` begins with ends: the index of the ";" that closes it, or the text's
// size when none does; -1 when anything but blanks and comments follows that ";", which a server would
// run as a further statement. Literals, quoted names and comments are read as the dialect's server reads
// them (on PostgreSQL also escape strings, bit strings, dollar quotes and nested comments, U&'...'
// strings, and plain literals with backslash escapes when `backslashEscapes`, as with
// standard_conforming_strings off, where the server refuses U&'...'; on
// SQLite a parameter's raw "(...)" as in "$a(--)"), so that a ";" inside them closes nothing.
qsizetype statementEnd(const QString& sql, Dialect dialect, bool backslashEscapes = false);

// What a stretch of a statement is to the server that reads it.
enum class SqlPart {
    Code,
    Literal, // a plain '...' literal, read without backslash escapes
    EscapeLiteral, // PostgreSQL's E'...', or a plain literal read with backslash escapes
    UnicodeLiteral, // PostgreSQL's U&'...', its escape character a backslash or the one UESCAPE names
    DollarQuote, // PostgreSQL's $tag$...$tag$, its tags included
    Closed, // a comment, a quoted name, a bit string, or the raw "(...)" of a SQLite parameter
};

// A token of a statement: where it is, what it is to the server, whether it is blanks or a comment, and
// for a literal with escapes the character that escapes.
struct SqlPiece {
    qsizetype begin;
    qsizetype end;
    SqlPart part;
    bool blank;
    QChar escape {};
};

// The tokens of a statement stored in SQL Server's dialect, in order and together the whole text, as the
// dialect's server reads them once the SQL adapter has made its "[name]"s quoted names (statementEnd's
// reading otherwise): each run of blanks, name, number and other character, and each literal (from its
// prefix), quoted name, comment and dollar-quoted text whole. A literal continued after a line break is a
// second token of the same part.
QList<SqlPiece> storedStatementPieces(const QString& sql, Dialect dialect, bool backslashEscapes);

// Length of the PostgreSQL dollar-quote tag ("$$" or "$body$") that starts at `at`, 0 when none does.
qsizetype dollarTagLength(const QString& text, qsizetype at);

} // namespace platform::db
