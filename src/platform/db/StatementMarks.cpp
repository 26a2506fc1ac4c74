#include "platform/db/StatementMarks.h"

#include "platform/db/Connection.h"
#include "platform/db/SingleStatement.h"
#include "platform/db/SqlLiteral.h"
#include "platform/Error.h"

#include <algorithm>

namespace platform::db
{

namespace
{

const QString Source = QStringLiteral("StatementMarks");

qsizetype pieceAt(const QList<SqlPiece>& pieces, qsizetype at)
{
    return std::upper_bound(pieces.begin(), pieces.end(), at, [](qsizetype position, const SqlPiece& piece) {
        return position < piece.end;
    }) - pieces.begin();
}

// Whether the run from `open` to `close` lies within one literal, comment or quoted name, or in code only.
bool withinOnePart(const QList<SqlPiece>& pieces, qsizetype open, qsizetype close)
{
    const qsizetype first = pieceAt(pieces, open);
    const qsizetype last = pieceAt(pieces, close);
    if (pieces[first].part != SqlPart::Code)
        return first == last;
    return std::all_of(pieces.begin() + first, pieces.begin() + last + 1,
        [](const SqlPiece& piece) { return piece.part == SqlPart::Code; });
}

// Whether the character at `at` is taken by an odd run of escape characters before it, within a literal
// with escapes (none for any other piece).
bool escaped(const QString& sql, qsizetype at, const SqlPiece& literal)
{
    qsizetype escapes = 0;
    while (!literal.escape.isNull() && at - escapes - 1 > literal.begin
        && sql[at - escapes - 1] == literal.escape)
        ++escapes;
    return escapes % 2 == 1;
}

// Whether `at` lies in the "&" of a U&'...' literal's prefix, where no mark begins.
bool inPrefix(const QString& sql, const SqlPiece& piece, qsizetype at)
{
    return piece.part == SqlPart::UnicodeLiteral && at < sql.indexOf(QLatin1Char('\''), piece.begin);
}

// Whether a dollar-quoted text holds no "$" but its tags', so that no value without one can make a tag.
bool onlyTagsHoldDollars(const QString& quoted)
{
    const qsizetype tag = dollarTagLength(quoted, 0);
    const bool closed = quoted.size() >= 2 * tag && quoted.endsWith(QStringView(quoted).left(tag));
    return quoted.count(QLatin1Char('$')) == (closed ? 4 : 2);
}

QString inCode(const Connection& connection, const MarkValue& value)
{
    switch (value.kind) {
    case MarkValue::Kind::Text:
        return connection.literal(value.text);
    case MarkValue::Kind::Number:
        // "1-&n&" with -5 must not become a "--" comment.
        if (value.text.startsWith(QLatin1Char('-')) || value.text.startsWith(QLatin1Char('+')))
            return QLatin1Char('(') + value.text + QLatin1Char(')');
        return value.text;
    case MarkValue::Kind::Null:
        return QStringLiteral("NULL");
    case MarkValue::Kind::Sql:
        break;
    }
    return value.text;
}

QString insideLiteral(
    const Connection& connection, const QString& sql, const SqlPiece& literal, const QString& text)
{
    switch (literal.part) {
    case SqlPart::Literal:
        return connection.insideLiteral(text);
    case SqlPart::EscapeLiteral:
    case SqlPart::UnicodeLiteral:
        return doubledQuotes(text).replace(literal.escape, QString(2, literal.escape));
    default:
        break;
    }
    if (text.contains(QLatin1Char('$'))
        || !onlyTagsHoldDollars(sql.mid(literal.begin, literal.end - literal.begin)))
        throw Error(errors::InvalidArgument, Source,
            QStringLiteral("值“%1”不能放进以 $ 引起的文本：值或这段文本含有 $，可能提前结束引号。")
                .arg(text));
    return text;
}

} // namespace

QString fillMarks(const Connection& connection, const QString& sql, QChar delimiter, bool wholeLiterals,
    const MarkValueOf& valueOf)
{
    if (sql.count(delimiter) < 2)
        return sql;
    const QList<SqlPiece> pieces
        = storedStatementPieces(sql, connection.dialect(), connection.backslashEscapesIn(sql));
    QString result;
    qsizetype from = 0;
    for (qsizetype open = sql.indexOf(delimiter); open >= 0; open = sql.indexOf(delimiter, from)) {
        const qsizetype close = sql.indexOf(delimiter, open + 1);
        if (close < 0)
            break;
        const SqlPiece& piece = pieces[pieceAt(pieces, open)];
        const bool whole = wholeLiterals
            && (piece.part == SqlPart::Literal || piece.part == SqlPart::EscapeLiteral)
            && piece.begin == open - 1 && piece.end == close + 2;
        const SqlPart part = whole ? SqlPart::Code : piece.part;
        const bool onePart = withinOnePart(pieces, open, close) && !inPrefix(sql, piece, open);
        if (!onePart || part == SqlPart::Closed || (part != SqlPart::Code && escaped(sql, open, piece))) {
            const qsizetype next = onePart ? close + 1 : open + 1;
            result += QStringView(sql).mid(from, next - from);
            from = next;
            continue;
        }
        const qsizetype markBegin = whole ? open - 1 : open;
        result += QStringView(sql).mid(from, markBegin - from);
        const std::optional<MarkValue> value
            = valueOf(sql.mid(open + 1, close - open - 1), part == SqlPart::Code, result);
        if (!value) {
            result += QStringView(sql).mid(markBegin, open + 1 - markBegin);
            from = open + 1;
            continue;
        }
        if (part == SqlPart::Code)
            result += inCode(connection, *value);
        else
            result += insideLiteral(connection, sql, piece, value->text);
        from = whole ? close + 2 : close + 1;
    }
    result += QStringView(sql).mid(from);
    return result;
}

} // namespace platform::db
