#include "platform/db/SqlTokens.h"

#include "platform/db/SingleStatement.h"

namespace platform::db
{

qsizetype sqlNumberEnd(const QString& sql, qsizetype i)
{
    while (i < sql.size() && (sql[i].isDigit() || sql[i] == QLatin1Char('.')))
        ++i;
    if (i < sql.size() && (sql[i] == QLatin1Char('e') || sql[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < sql.size() && (sql[j] == QLatin1Char('+') || sql[j] == QLatin1Char('-')))
            ++j;
        if (j < sql.size() && sql[j].isDigit()) {
            i = j;
            while (i < sql.size() && sql[i].isDigit())
                ++i;
        }
    }
    return i;
}

qsizetype delimitedEnd(const QString& sql, qsizetype from, QChar close)
{
    qsizetype i = from + 1;
    while (i < sql.size()) {
        if (sql[i] == close) {
            if (i + 1 < sql.size() && sql[i + 1] == close) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return i;
}

QList<SqlToken> tokenizeSql(const QString& sql, Dialect dialect, bool backslashEscapes)
{
    using Kind = SqlToken::Kind;
    QList<SqlToken> tokens;
    for (const SqlPiece& piece : storedStatementPieces(sql, dialect, backslashEscapes)) {
        const QString text = sql.mid(piece.begin, piece.end - piece.begin);
        const QChar c = text[0];
        Kind kind = Kind::Symbol;
        if (piece.blank)
            kind = piece.part == SqlPart::Code ? Kind::Space : Kind::Comment;
        else if (piece.part == SqlPart::Closed)
            kind = c == QLatin1Char('"') || c == QLatin1Char('[') || c == QLatin1Char('`') ? Kind::QuotedName
                : c.isLetter() ? Kind::Text // a bit string
                               : Kind::Word; // a SQLite parameter
        else if (piece.part != SqlPart::Code)
            kind = Kind::Text;
        else if (c.isDigit())
            kind = Kind::Number;
        else if (text.size() > 1 || c.isLetter() || c == QLatin1Char('_') || c.unicode() >= 0x80)
            kind = Kind::Word;
        tokens.append({ kind, text });
    }
    return tokens;
}

} // namespace platform::db
