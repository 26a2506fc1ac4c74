#include "engine/SqlClauses.h"

#include "platform/db/SingleStatement.h"
#include "platform/db/SqlTokens.h"

namespace engine
{

namespace
{

using platform::db::Dialect;
using platform::db::SqlToken;

bool isAndSeparator(const QString& separator)
{
    return separator.trimmed().compare(QLatin1String("and"), Qt::CaseInsensitive) == 0;
}

// A token of the statement itself (outside any parentheses), with its offset in the text.
struct TopLevelWord {
    qsizetype offset;
    QString word;
};

QList<TopLevelWord> topLevelWords(const QString& sql, const SqlReading& reading)
{
    QList<TopLevelWord> words;
    int depth = 0;
    qsizetype offset = 0;
    for (const SqlToken& token : platform::db::tokenizeSql(sql, reading.dialect, reading.backslashEscapes)) {
        if (token.isSymbol(QLatin1Char('(')))
            ++depth;
        else if (token.isSymbol(QLatin1Char(')')))
            --depth;
        else if (depth == 0 && token.kind == SqlToken::Kind::Word)
            words.append({ offset, token.text.toLower() });
        offset += token.text.size();
    }
    return words;
}

bool isClauseAfterWhere(const QString& word)
{
    return word == QLatin1String("group") || word == QLatin1String("having")
        || word == QLatin1String("order");
}

// True when the whole text is one parenthesised expression, "(a or b)", not "(a) or (b)".
bool isParenthesised(const QString& text, const SqlReading& reading)
{
    const QString trimmed = text.trimmed();
    if (!trimmed.startsWith(QLatin1Char('(')))
        return false;
    int depth = 0;
    qsizetype offset = 0;
    for (const SqlToken& token :
        platform::db::tokenizeSql(trimmed, reading.dialect, reading.backslashEscapes)) {
        offset += token.text.size();
        if (token.isSymbol(QLatin1Char('(')))
            ++depth;
        else if (token.isSymbol(QLatin1Char(')')) && --depth == 0)
            return offset == trimmed.size();
    }
    return false;
}

QString enclosed(const QString& condition, const SqlReading& reading)
{
    const QString trimmed = condition.trimmed();
    return isParenthesised(trimmed, reading) ? trimmed : QLatin1Char('(') + trimmed + QLatin1Char(')');
}

} // namespace

QString JoinSqlCondition(const QString& a, const QString& b, const QString& separator)
{
    const bool hasA = !a.trimmed().isEmpty();
    const bool hasB = !b.trimmed().isEmpty();
    if (!hasA && !hasB)
        return QString();
    if (isAndSeparator(separator)) {
        if (hasA && hasB)
            return QStringLiteral("( ") + a + QStringLiteral(") ") + separator + QStringLiteral(" (") + b
                + QStringLiteral(") ");
        return QLatin1Char('(') + (hasA ? a : b) + QStringLiteral(") ");
    }
    if (separator.trimmed() == QLatin1String(",")) {
        if (hasA && hasB)
            return a + separator + b;
        return (hasA ? a : b) + QLatin1Char(' ');
    }
    return QString();
}

SqlReading SqlReading::of(const platform::db::Connection* connection, const QString& sql)
{
    if (!connection)
        return {};
    return { connection->dialect(), connection->backslashEscapesIn(sql) };
}

qsizetype IndexInCode(const QString& sql, QLatin1String text, const SqlReading& reading)
{
    const QList<platform::db::SqlPiece> pieces
        = platform::db::storedStatementPieces(sql, reading.dialect, reading.backslashEscapes);
    auto piece = pieces.begin();
    for (qsizetype at = sql.indexOf(text, 0, Qt::CaseInsensitive); at >= 0;
         at = sql.indexOf(text, at + 1, Qt::CaseInsensitive)) {
        while (piece->end <= at)
            ++piece;
        if (piece->part == platform::db::SqlPart::Code)
            return at;
    }
    return -1;
}

QString AddSqlCondition(const QString& sql, const QString& condition, const SqlReading& reading)
{
    if (condition.trimmed().isEmpty())
        return sql;
    const QList<TopLevelWord> words = topLevelWords(sql, reading);
    qsizetype where = -1;
    qsizetype clauseEnd = sql.size();
    for (const TopLevelWord& word : words) {
        if (word.word == QLatin1String("where") && where < 0) {
            where = word.offset;
        } else if (isClauseAfterWhere(word.word)) {
            clauseEnd = word.offset;
            break;
        }
    }
    const QString rest = clauseEnd < sql.size() ? QLatin1Char(' ') + sql.mid(clauseEnd) : QString();
    if (where >= 0) {
        const qsizetype ownStart = where + QLatin1String("where").size();
        const QString own = sql.mid(ownStart, clauseEnd - ownStart);
        return sql.left(where) + QStringLiteral("where ") + enclosed(own, reading) + QStringLiteral(" and ")
            + enclosed(condition, reading) + rest;
    }
    return sql.left(clauseEnd).trimmed() + QStringLiteral(" where ") + enclosed(condition, reading) + rest;
}

QString SortTerm::text() const
{
    return direction.isEmpty() ? expression : expression + QLatin1Char(' ') + direction;
}

QList<SortTerm> parseSortList(const QString& list)
{
    QList<SortTerm> terms;
    QList<SqlToken> current;
    const auto finishTerm = [&] {
        while (!current.isEmpty() && current.last().kind == SqlToken::Kind::Space)
            current.removeLast();
        SortTerm term;
        if (current.size() > 1 && (current.last().isWord("asc") || current.last().isWord("desc"))) {
            term.direction = current.takeLast().text;
        }
        for (const SqlToken& token : current)
            term.expression += token.text;
        term.expression = term.expression.trimmed();
        if (!term.expression.isEmpty())
            terms.append(term);
        current.clear();
    };
    int depth = 0;
    for (const SqlToken& token : platform::db::tokenizeSql(list, Dialect::SqlServer)) {
        if (token.isSymbol(QLatin1Char('(')))
            ++depth;
        else if (token.isSymbol(QLatin1Char(')')))
            --depth;
        if (depth == 0 && token.isSymbol(QLatin1Char(','))) {
            finishTerm();
            continue;
        }
        current.append(token);
    }
    finishTerm();
    return terms;
}

QString sortListText(const QList<SortTerm>& terms)
{
    QStringList texts;
    for (const SortTerm& term : terms)
        texts.append(term.text());
    return texts.join(QLatin1Char(','));
}

} // namespace engine
