#include "platform/db/SqlTokens.h"

namespace platform::db
{

namespace
{

bool isWordStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('@') || c == QLatin1Char('#');
}

bool isWordPart(QChar c)
{
    return isWordStart(c) || c.isDigit() || c == QLatin1Char('$');
}

} // namespace

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

QList<SqlToken> tokenizeSql(const QString& sql)
{
    using Kind = SqlToken::Kind;
    QList<SqlToken> tokens;
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        const QChar next = i + 1 < sql.size() ? sql[i + 1] : QChar();
        Kind kind = Kind::Symbol;
        qsizetype end = i + 1;
        if (c.isSpace()) {
            kind = Kind::Space;
            while (end < sql.size() && sql[end].isSpace())
                ++end;
        } else if (c == QLatin1Char('-') && next == QLatin1Char('-')) {
            kind = Kind::Comment;
            end = sql.indexOf(QLatin1Char('\n'), i);
            end = end < 0 ? sql.size() : end;
        } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            kind = Kind::Comment;
            end = sql.indexOf(QLatin1String("*/"), i + 2);
            end = end < 0 ? sql.size() : end + 2;
        } else if (c == QLatin1Char('\'')) {
            kind = Kind::Text;
            end = delimitedEnd(sql, i, c);
        } else if (c == QLatin1Char('"')) {
            kind = Kind::QuotedName;
            end = delimitedEnd(sql, i, c);
        } else if (c == QLatin1Char('[')) {
            kind = Kind::QuotedName;
            end = delimitedEnd(sql, i, QLatin1Char(']'));
        } else if (c.isDigit() || (c == QLatin1Char('.') && next.isDigit())) {
            kind = Kind::Number;
            end = sqlNumberEnd(sql, i);
        } else if (isWordStart(c)) {
            kind = Kind::Word;
            while (end < sql.size() && isWordPart(sql[end]))
                ++end;
        }
        tokens.append({ kind, sql.mid(i, end - i) });
        i = end;
    }
    return tokens;
}

} // namespace platform::db
