#include "platform/db/SingleStatement.h"

#include "platform/db/Connection.h"
#include "platform/db/SqlTokens.h"

namespace platform::db
{

namespace
{

// How a server reads the parts of a text in which a ";" ends nothing.
struct Reading {
    bool backslashInPlainLiterals = false; // PostgreSQL with standard_conforming_strings off
    bool postgres = false; // E'..', B'..', X'..', $tag$..$tag$, literals continued over a line break
    bool nestedComments = false;
    bool backtickNames = false; // SQLite
    bool sqliteTriggers = false; // a CREATE TRIGGER's body holds statements of its own
    bool commentToLineFeed = false; // SQLite: a "--" comment ends at a line feed only, not at a lone CR
    enum class Square { Symbol, ToFirstClose, Doubled } square = Square::Symbol;
};

enum class Literal { Plain, Escaped, Bits };

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r')
        || c == QLatin1Char('\f') || c == QLatin1Char('\v');
}

bool isLineBreak(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

// Names as PostgreSQL reads them: every character beyond ASCII belongs to a name.
bool isNameStart(QChar c)
{
    return c.unicode() >= 0x80 || c.isLetter() || c == QLatin1Char('_');
}

bool isNamePart(QChar c)
{
    return isNameStart(c) || c.isDigit() || c == QLatin1Char('$');
}

qsizetype lineCommentEnd(const QString& sql, qsizetype at, const Reading& reading)
{
    while (at < sql.size() && sql[at] != QLatin1Char('\n') && (reading.commentToLineFeed || sql[at] != QLatin1Char('\r')))
        ++at;
    return at;
}

qsizetype blockCommentEnd(const QString& sql, qsizetype at, bool nested)
{
    int depth = 0;
    for (qsizetype i = at + 2; i + 1 < sql.size();) {
        if (sql[i] == QLatin1Char('*') && sql[i + 1] == QLatin1Char('/')) {
            if (depth-- == 0)
                return i + 2;
            i += 2;
        } else if (nested && sql[i] == QLatin1Char('/') && sql[i + 1] == QLatin1Char('*')) {
            ++depth;
            i += 2;
        } else {
            ++i;
        }
    }
    return sql.size();
}

// The quote that continues a PostgreSQL literal closed just before `at`: one that follows blanks and
// line comments holding a line break. -1 when none does.
qsizetype continuingQuote(const QString& sql, qsizetype at, const Reading& reading)
{
    bool lineBreak = false;
    while (at < sql.size()) {
        if (isLineBreak(sql[at]))
            lineBreak = true;
        if (isBlank(sql[at]))
            ++at;
        else if (sql[at] == QLatin1Char('-') && at + 1 < sql.size() && sql[at + 1] == QLatin1Char('-'))
            at = lineCommentEnd(sql, at, reading);
        else
            break;
    }
    return lineBreak && at < sql.size() && sql[at] == QLatin1Char('\'') ? at : -1;
}

qsizetype literalEnd(const QString& sql, qsizetype quote, Literal literal, const Reading& reading)
{
    qsizetype i = quote + 1;
    while (i < sql.size()) {
        if (sql[i] == QLatin1Char('\\') && literal == Literal::Escaped) {
            i += 2;
        } else if (sql[i] != QLatin1Char('\'')) {
            ++i;
        } else if (literal != Literal::Bits && i + 1 < sql.size() && sql[i + 1] == QLatin1Char('\'')) {
            i += 2;
        } else {
            const qsizetype continued = reading.postgres ? continuingQuote(sql, i + 1, reading) : -1;
            if (continued < 0)
                return i + 1;
            i = continued + 1;
        }
    }
    return sql.size();
}

// A name, or on PostgreSQL the literal that a one-letter prefix opens (E'..' escapes, B'..' and X'..'
// close at their first quote).
qsizetype nameEnd(const QString& sql, qsizetype at, const Reading& reading)
{
    qsizetype end = at + 1;
    while (end < sql.size() && isNamePart(sql[end]))
        ++end;
    if (!reading.postgres || end != at + 1 || end == sql.size() || sql[end] != QLatin1Char('\''))
        return end;
    const QChar prefix = sql[at].toUpper();
    if (prefix == QLatin1Char('E'))
        return literalEnd(sql, end, Literal::Escaped, reading);
    if (prefix == QLatin1Char('B') || prefix == QLatin1Char('X'))
        return literalEnd(sql, end, Literal::Bits, reading);
    return end;
}

// The end of the token that starts at `at`; `blank` tells whether it is blanks or a comment.
qsizetype tokenEnd(const QString& sql, qsizetype at, const Reading& reading, bool& blank)
{
    const QChar c = sql[at];
    const QChar next = at + 1 < sql.size() ? sql[at + 1] : QChar();
    blank = true;
    if (isBlank(c))
        return at + 1;
    if (c == QLatin1Char('-') && next == QLatin1Char('-'))
        return lineCommentEnd(sql, at, reading);
    if (c == QLatin1Char('/') && next == QLatin1Char('*'))
        return blockCommentEnd(sql, at, reading.nestedComments);
    blank = false;
    if (c == QLatin1Char('\''))
        return literalEnd(
            sql, at, reading.backslashInPlainLiterals ? Literal::Escaped : Literal::Plain, reading);
    if (c == QLatin1Char('"') || (c == QLatin1Char('`') && reading.backtickNames))
        return delimitedEnd(sql, at, c);
    if (c == QLatin1Char('[') && reading.square == Reading::Square::Doubled)
        return delimitedEnd(sql, at, QLatin1Char(']'));
    if (c == QLatin1Char('[') && reading.square == Reading::Square::ToFirstClose) {
        const qsizetype close = sql.indexOf(QLatin1Char(']'), at + 1);
        return close < 0 ? sql.size() : close + 1;
    }
    if (c == QLatin1Char('$') && reading.postgres && dollarTagLength(sql, at) > 0) {
        const QString tag = sql.mid(at, dollarTagLength(sql, at));
        const qsizetype close = sql.indexOf(tag, at + tag.size());
        return close < 0 ? sql.size() : close + tag.size();
    }
    if (c.isDigit())
        return sqlNumberEnd(sql, at);
    if (isNameStart(c))
        return nameEnd(sql, at, reading);
    return at + 1;
}

// SQLite ends a CREATE TRIGGER only at the ";" after its END, as sqlite3_complete() reads it. States:
// 0 nothing yet, 1 after a statement's ";", 2 within a statement, 3 after EXPLAIN, 4 after CREATE [TEMP],
// 5 within a trigger, 6 after a ";" within it, 7 after ";END".
class TriggerReading
{
public:
    // Takes the next token other than blanks and comments; true when it is the ";" that ends a statement.
    bool ends(QStringView token)
    {
        enum { Semi, Other, Explain, Create, Temp, Trigger, End };
        static constexpr int next[8][7] = {
            { 1, 2, 3, 4, 2, 2, 2 },
            { 1, 2, 3, 4, 2, 2, 2 },
            { 1, 2, 2, 2, 2, 2, 2 },
            { 1, 3, 2, 4, 2, 2, 2 },
            { 1, 2, 2, 2, 4, 5, 2 },
            { 6, 5, 5, 5, 5, 5, 5 },
            { 6, 5, 5, 5, 5, 5, 7 },
            { 1, 5, 5, 5, 5, 5, 5 },
        };
        const auto is
            = [&](const char* word) { return token.compare(QLatin1String(word), Qt::CaseInsensitive) == 0; };
        const int kind = is(";")            ? Semi
            : is("explain")                 ? Explain
            : is("create")                  ? Create
            : is("temp") || is("temporary") ? Temp
            : is("trigger")                 ? Trigger
            : is("end")                     ? End
                                            : Other;
        state_ = next[state_][kind];
        return state_ == 1;
    }

private:
    int state_ = 0;
};

qsizetype statementEnd(const QString& sql, const Reading& reading)
{
    qsizetype end = -1;
    TriggerReading trigger;
    for (qsizetype i = 0; i < sql.size();) {
        bool blank = false;
        const qsizetype next = tokenEnd(sql, i, reading, blank);
        if (!blank) {
            if (end >= 0)
                return -1;
            const QStringView token = QStringView(sql).mid(i, next - i);
            if (reading.sqliteTriggers ? trigger.ends(token) : token == QLatin1String(";"))
                end = i;
        }
        i = next;
    }
    return end < 0 ? sql.size() : end;
}

} // namespace

qsizetype dollarTagLength(const QString& text, qsizetype at)
{
    qsizetype end = at + 1;
    if (end < text.size() && isNameStart(text[end])) {
        while (end < text.size() && isNamePart(text[end]) && text[end] != QLatin1Char('$'))
            ++end;
    }
    return end < text.size() && text[end] == QLatin1Char('$') ? end - at + 1 : 0;
}

qsizetype statementEnd(const QString& sql, Dialect dialect, bool backslashEscapes)
{
    if (!sql.contains(QLatin1Char(';')))
        return sql.size();
    switch (dialect) {
    case Dialect::SQLite:
        return statementEnd(sql,
            Reading { .backtickNames = true,
                .sqliteTriggers = true,
                .commentToLineFeed = true,
                .square = Reading::Square::ToFirstClose });
    case Dialect::SqlServer:
        return statementEnd(sql, Reading { .nestedComments = true, .square = Reading::Square::Doubled });
    case Dialect::PostgreSQL:
        break;
    }
    return statementEnd(sql,
        Reading { .backslashInPlainLiterals = backslashEscapes, .postgres = true, .nestedComments = true });
}

} // namespace platform::db
