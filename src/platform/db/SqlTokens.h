#pragma once

#include <QList>
#include <QString>

namespace platform::db
{

struct SqlToken {
    enum class Kind {
        Space, // blanks, tabs, line breaks
        Word, // a name or keyword: letters (also Chinese), digits, "_", "$"
        Number,
        Text, // a literal, its prefix and quotes included
        QuotedName, // a "..." or [...] name, delimiters included
        Comment, // -- to the end of the line, or /* ... */
        Symbol, // any other single character
    };
    Kind kind;
    QString text;

    bool isSymbol(QChar c) const { return kind == Kind::Symbol && text.size() == 1 && text[0] == c; }
    bool isWord(const char* word) const
    {
        return kind == Kind::Word && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
};

enum class Dialect;

// Splits a statement stored in SQL Server's dialect into tokens whose texts, joined, give the text back
// unchanged, reading it as storedStatementPieces does for `dialect`'s server: a dollar-quoted text, an
// escape string (E'...' or U&'...') or a bit string is a Text, a SQLite parameter a Word. A literal or
// quoted name left open runs to the end of the text.
QList<SqlToken> tokenizeSql(const QString& sql, Dialect dialect, bool backslashEscapes = false);

// Index just past the number that starts at `from` (digits and points, then an exponent if one follows).
qsizetype sqlNumberEnd(const QString& sql, qsizetype from);

// Index just past the run that opens at `from` and ends with `close`, where a doubled `close` stands
// for itself (a quoted literal or name); the text's end when the run is left open.
qsizetype delimitedEnd(const QString& sql, qsizetype from, QChar close);

} // namespace platform::db
