#include "platform/db/SingleStatement.h"

#include "platform/db/Connection.h"
#include "platform/db/SqlTokens.h"

#include <optional>

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
    bool sqliteParameters = false; // SQLite: "$a(...)", ":a(...)" take their "(...)" raw
    enum class Square { Symbol, ToFirstClose, Doubled } square = Square::Symbol;
};

enum class Literal { Plain, Escaped, Bits, Unicode };

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

qsizetype literalEnd(const QString& sql, qsizetype quote, Literal literal)
{
    qsizetype i = quote + 1;
    while (i < sql.size()) {
        if (sql[i] == QLatin1Char('\\') && literal == Literal::Escaped)
            i += 2;
        else if (sql[i] != QLatin1Char('\''))
            ++i;
        else if (literal != Literal::Bits && i + 1 < sql.size() && sql[i + 1] == QLatin1Char('\''))
            i += 2;
        else
            return i + 1;
    }
    return sql.size();
}

// A token: its end, what it is to the server, and for a literal how it is read (a literal continued
// after a line break is read as the one it continues).
struct Token {
    Token(
        qsizetype end, SqlPart part = SqlPart::Code, bool blank = false, std::optional<Literal> literal = {})
        : end(end)
        , part(part)
        , blank(blank)
        , literal(literal)
    {
    }
    qsizetype end;
    SqlPart part;
    bool blank; // blanks or a comment
    std::optional<Literal> literal;
};

Token literalToken(const QString& sql, qsizetype quote, Literal literal)
{
    const SqlPart part = literal == Literal::Bits ? SqlPart::Closed
        : literal == Literal::Escaped             ? SqlPart::EscapeLiteral
        : literal == Literal::Unicode             ? SqlPart::UnicodeLiteral
                                                  : SqlPart::Literal;
    return { literalEnd(sql, quote, literal), part, false, literal };
}

// A name, or on PostgreSQL the literal that a one-letter prefix opens (E'..' escapes, B'..' and X'..'
// close at their first quote, U&'..' reads its escapes only where the server takes it at all).
Token nameToken(const QString& sql, qsizetype at, const Reading& reading)
{
    qsizetype end = at + 1;
    while (end < sql.size() && isNamePart(sql[end]))
        ++end;
    const QChar prefix = sql[at].toUpper();
    if (reading.postgres && !reading.backslashInPlainLiterals && end == at + 1 && prefix == QLatin1Char('U')
        && QStringView(sql).mid(end, 2) == QLatin1String("&'"))
        return literalToken(sql, end + 1, Literal::Unicode);
    if (!reading.postgres || end != at + 1 || end == sql.size() || sql[end] != QLatin1Char('\''))
        return { end };
    if (prefix == QLatin1Char('E'))
        return literalToken(sql, end, Literal::Escaped);
    if (prefix == QLatin1Char('B') || prefix == QLatin1Char('X'))
        return literalToken(sql, end, Literal::Bits);
    return { end };
}

// A SQLite parameter as SQLite's tokenizer reads it: "$", "@", ":" or "#", name characters and "::",
// and after at least one name character a "(" whose contents run raw to the first ")" or blank.
Token sqliteParameter(const QString& sql, qsizetype at)
{
    const auto isIdChar = [](QChar c) {
        return c.unicode() >= 0x80 || c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
    };
    qsizetype i = at + 1;
    bool named = false;
    for (; i < sql.size(); ++i) {
        if (isIdChar(sql[i])) {
            named = true;
        } else if (sql[i] == QLatin1Char('(') && named) {
            while (++i < sql.size() && !isBlank(sql[i]) && sql[i] != QLatin1Char(')')) { }
            return { i < sql.size() && sql[i] == QLatin1Char(')') ? i + 1 : i, SqlPart::Closed };
        } else if (sql[i] == QLatin1Char(':') && i + 1 < sql.size() && sql[i + 1] == QLatin1Char(':')) {
            ++i;
        } else {
            break;
        }
    }
    return { i };
}

// The token that starts at `at`; a quote there that continues a literal is read as `continued`.
Token tokenAt(const QString& sql, qsizetype at, const Reading& reading, std::optional<Literal> continued)
{
    const QChar c = sql[at];
    const QChar next = at + 1 < sql.size() ? sql[at + 1] : QChar();
    if (isBlank(c)) {
        qsizetype end = at + 1;
        while (end < sql.size() && isBlank(sql[end]))
            ++end;
        return { end, SqlPart::Code, true };
    }
    if (c == QLatin1Char('-') && next == QLatin1Char('-'))
        return { lineCommentEnd(sql, at, reading), SqlPart::Closed, true };
    if (c == QLatin1Char('/') && next == QLatin1Char('*'))
        return { blockCommentEnd(sql, at, reading.nestedComments), SqlPart::Closed, true };
    if (c == QLatin1Char('\''))
        return literalToken(sql, at,
            continued.value_or(reading.backslashInPlainLiterals ? Literal::Escaped : Literal::Plain));
    if (c == QLatin1Char('"') || (c == QLatin1Char('`') && reading.backtickNames))
        return { delimitedEnd(sql, at, c), SqlPart::Closed };
    if (c == QLatin1Char('[') && reading.square == Reading::Square::Doubled)
        return { delimitedEnd(sql, at, QLatin1Char(']')), SqlPart::Closed };
    if (c == QLatin1Char('[') && reading.square == Reading::Square::ToFirstClose) {
        const qsizetype close = sql.indexOf(QLatin1Char(']'), at + 1);
        return { close < 0 ? sql.size() : close + 1, SqlPart::Closed };
    }
    if (c == QLatin1Char('$') && reading.postgres && dollarTagLength(sql, at) > 0) {
        const QString tag = sql.mid(at, dollarTagLength(sql, at));
        const qsizetype close = sql.indexOf(tag, at + tag.size());
        return { close < 0 ? sql.size() : close + tag.size(), SqlPart::DollarQuote };
    }
    if (reading.sqliteParameters
        && (c == QLatin1Char('$') || c == QLatin1Char('@') || c == QLatin1Char(':') || c == QLatin1Char('#')))
        return sqliteParameter(sql, at);
    if (c.isDigit())
        return { sqlNumberEnd(sql, at) };
    if (isNameStart(c))
        return nameToken(sql, at, reading);
    return { at + 1 };
}

// Visits every token of `sql` in order, `visit(begin, token)`, until it returns false.
template <typename Visit> void walk(const QString& sql, const Reading& reading, Visit visit)
{
    qsizetype continuation = -1;
    std::optional<Literal> continued;
    for (qsizetype i = 0; i < sql.size();) {
        const Token token = tokenAt(sql, i, reading, i == continuation ? continued : std::nullopt);
        if (!visit(i, token))
            return;
        if (token.literal && reading.postgres) {
            continuation = continuingQuote(sql, token.end, reading);
            continued = token.literal;
        }
        i = token.end;
    }
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
    walk(sql, reading, [&](qsizetype begin, const Token& token) {
        if (token.blank)
            return true;
        if (end >= 0) {
            end = -2;
            return false;
        }
        const QStringView text = QStringView(sql).mid(begin, token.end - begin);
        if (reading.sqliteTriggers ? trigger.ends(text) : text == QLatin1String(";"))
            end = begin;
        return true;
    });
    return end == -2 ? -1 : end < 0 ? sql.size() : end;
}

Reading readingOf(Dialect dialect, bool backslashEscapes)
{
    switch (dialect) {
    case Dialect::SQLite:
        return Reading { .backtickNames = true,
            .sqliteTriggers = true,
            .commentToLineFeed = true,
            .sqliteParameters = true,
            .square = Reading::Square::ToFirstClose };
    case Dialect::SqlServer:
        return Reading { .nestedComments = true, .square = Reading::Square::Doubled };
    case Dialect::PostgreSQL:
        break;
    }
    return Reading { .backslashInPlainLiterals = backslashEscapes, .postgres = true, .nestedComments = true };
}

// The index of the first piece from `from` on that is neither blanks nor a comment; the count when none is.
qsizetype solidFrom(const QList<SqlPiece>& pieces, qsizetype from)
{
    while (from < pieces.size() && pieces[from].blank)
        ++from;
    return from;
}

// The text of a piece.
QStringView pieceText(const QString& sql, const SqlPiece& piece)
{
    return QStringView(sql).mid(piece.begin, piece.end - piece.begin);
}

// The character that a "UESCAPE 'x'" at `word` names; a backslash when none stands there.
QChar unicodeEscape(const QString& sql, const QList<SqlPiece>& pieces, qsizetype word)
{
    if (word >= pieces.size()
        || pieceText(sql, pieces[word]).compare(QLatin1String("uescape"), Qt::CaseInsensitive) != 0)
        return QLatin1Char('\\');
    const qsizetype quoted = solidFrom(pieces, word + 1);
    if (quoted < pieces.size() && pieces[quoted].part == SqlPart::Literal
        && pieces[quoted].end - pieces[quoted].begin == 3)
        return sql[pieces[quoted].begin + 1];
    return QLatin1Char('\\');
}

// Gives every literal with escapes its escape character: a backslash, or for a U&'...' literal (and the
// lines that continue it) the character that a UESCAPE 'x' after it names.
void setEscapes(const QString& sql, QList<SqlPiece>& pieces)
{
    for (qsizetype first = 0; first < pieces.size(); ++first) {
        if (pieces[first].part == SqlPart::EscapeLiteral)
            pieces[first].escape = QLatin1Char('\\');
        if (pieces[first].part != SqlPart::UnicodeLiteral)
            continue;
        qsizetype last = first;
        qsizetype next = solidFrom(pieces, first + 1);
        while (next < pieces.size() && pieces[next].part == SqlPart::UnicodeLiteral
            && sql[pieces[next].begin] == QLatin1Char('\''))
            next = solidFrom(pieces, (last = next) + 1);
        const QChar escape = unicodeEscape(sql, pieces, next);
        for (qsizetype i = first; i <= last; ++i)
            pieces[i].escape = escape;
        first = last;
    }
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
    return statementEnd(sql, readingOf(dialect, backslashEscapes));
}

QList<SqlPiece> storedStatementPieces(const QString& sql, Dialect dialect, bool backslashEscapes)
{
    Reading reading = readingOf(dialect, backslashEscapes);
    reading.square = Reading::Square::Doubled;
    QList<SqlPiece> pieces;
    walk(sql, reading, [&](qsizetype begin, const Token& token) {
        pieces.append({ begin, token.end, token.part, token.blank });
        return true;
    });
    setEscapes(sql, pieces);
    return pieces;
}

} // namespace platform::db
