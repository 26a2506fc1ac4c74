#include "platform/outside/SqlDialectRewriter.h"

#include "platform/db/SqlTokens.h"
#include "platform/Error.h"
#include "platform/outside/SqlDateFunctions.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <QHash>

namespace platform::outside
{

namespace
{

using db::Dialect;
using db::SqlToken;
using Kind = SqlToken::Kind;
using sqldate::DatePart;

struct Range {
    int begin;
    int end;
};

// Function calls nest at most this deep: far beyond what a statement needs, and well within the
// stack the rewriting recursion takes.
constexpr int MaxNesting = 100;
// A rewritten call may write an argument more than once; nested, the copies multiply. A statement
// whose innermost arguments would be written more often than this is refused, which keeps every
// rewritten statement within a fixed multiple of the original's size.
constexpr int MaxCopies = 64;

[[noreturn]] void refuse(const QString& reason)
{
    throw platform::Error(platform::errors::InvalidArgument, QStringLiteral("SqlAdapterObject"), reason);
}

// For each token, the index of the ")" that closes it when it is a "(", or the token count when it is
// left open; found in one pass so that no call scans ahead again.
QList<int> closingParens(const QList<SqlToken>& tokens)
{
    QList<int> closing(tokens.size(), int(tokens.size()));
    QList<int> open;
    for (int i = 0; i < tokens.size(); ++i) {
        if (tokens[i].isSymbol(QLatin1Char('(')))
            open << i;
        else if (tokens[i].isSymbol(QLatin1Char(')')) && !open.isEmpty())
            closing[open.takeLast()] = i;
    }
    return closing;
}

class Rewriter
{
public:
    Rewriter(const QList<SqlToken>& tokens, Dialect dialect)
        : tokens_(tokens)
        , closing_(closingParens(tokens))
        , dialect_(dialect)
        , sqlite_(dialect == Dialect::SQLite)
    {
    }

    QString rewrite(int begin, int end) const
    {
        const Nested nested(depth_);
        QString out;
        int i = begin;
        while (i < end) {
            const SqlToken& token = tokens_[i];
            int next = i + 1;
            if (isOwnerPrefix(token) && next < end && tokens_[next].isSymbol(QLatin1Char('.'))) {
                next = i + 2;
            } else if (token.kind == Kind::QuotedName && token.text.startsWith(QLatin1Char('['))) {
                out += bracketName(token.text);
            } else if (token.isWord("N") && next < end && tokens_[next].kind == Kind::Text) {
                // N'text': the national-character prefix; both targets keep texts in Unicode anyway.
            } else if (!(token.kind == Kind::Word
                           && (skipNolock(i, end, next) || selectTop(i, end, out, next)
                               || orderBy(i, end, out, next) || function(i, end, out, next)))) {
                out += token.text;
                next = i + 1;
            }
            i = next;
        }
        return out;
    }

private:
    const QList<SqlToken>& tokens_;
    const QList<int> closing_;
    Dialect dialect_;
    bool sqlite_;
    mutable int depth_ = 0;
    mutable int copies_ = 1;

    class Nested
    {
    public:
        explicit Nested(int& depth)
            : depth_(depth)
        {
            if (++depth_ > MaxNesting) {
                --depth_;
                refuse(QStringLiteral("语句中的函数嵌套超过 %1 层，无法改写为当前数据库的语句。")
                           .arg(MaxNesting));
            }
        }
        ~Nested() { --depth_; }
        Nested(const Nested&) = delete;
        Nested& operator=(const Nested&) = delete;

    private:
        int& depth_;
    };

    static bool isOwnerPrefix(const SqlToken& token)
    {
        return token.isWord("dbo")
            || (token.kind == Kind::QuotedName
                && token.text.compare(QLatin1String("[dbo]"), Qt::CaseInsensitive) == 0);
    }

    int skipSpace(int i, int end) const
    {
        while (i < end && (tokens_[i].kind == Kind::Space || tokens_[i].kind == Kind::Comment))
            ++i;
        return i;
    }

    // Index of the ")" that closes the "(" at `open`, or `end` when it is not closed before `end`.
    int closingParen(int open, int end) const { return std::min(closing_[open], end); }

    QList<Range> arguments(int open, int close) const
    {
        QList<Range> args;
        if (skipSpace(open + 1, close) == close)
            return args;
        int start = open + 1;
        for (int i = open + 1; i < close; ++i) {
            if (tokens_[i].isSymbol(QLatin1Char('(')))
                i = closingParen(i, close);
            else if (tokens_[i].isSymbol(QLatin1Char(','))) {
                args << Range { start, i };
                start = i + 1;
            }
        }
        args << Range { start, close };
        return args;
    }

    // The rewritten argument, for a replacement that writes it `copies` times.
    QString text(Range range, int copies = 1) const
    {
        if (copies_ * copies > MaxCopies)
            refuse(QStringLiteral("语句中的函数嵌套过深，改写后的语句过长，无法改写为当前数据库的语句。"));
        copies_ *= copies;
        const QString rewritten = rewrite(range.begin, range.end).trimmed();
        copies_ /= copies;
        return rewritten;
    }

    // The first word of an argument ("float" in "float", "varchar" in "varchar(10)").
    QString leadingWord(Range range) const
    {
        const int i = skipSpace(range.begin, range.end);
        return i < range.end && tokens_[i].kind == Kind::Word ? tokens_[i].text.toLower() : QString();
    }

    // The numbers in the parentheses after a type name: "decimal(10, 2)" gives 10 and 2.
    QStringList typeSizes(Range range) const
    {
        QStringList sizes;
        for (int i = range.begin; i < range.end; ++i) {
            if (tokens_[i].kind == Kind::Number)
                sizes << tokens_[i].text;
        }
        return sizes;
    }

    QString bracketName(const QString& bracketed) const
    {
        QString name
            = bracketed.mid(1, bracketed.size() - 2).replace(QLatin1String("]]"), QLatin1String("]"));
        name.replace(QLatin1Char('"'), QLatin1String("\"\""));
        // PostgreSQL folds unquoted names to lower case, so its tables carry lower-case names.
        return QLatin1Char('"') + (sqlite_ ? name : name.toLower()) + QLatin1Char('"');
    }

    bool skipNolock(int i, int end, int& next) const
    {
        if (!tokens_[i].isWord("with"))
            return false;
        const int open = skipSpace(i + 1, end);
        if (open >= end || !tokens_[open].isSymbol(QLatin1Char('(')))
            return false;
        const int hint = skipSpace(open + 1, end);
        if (hint >= end || !tokens_[hint].isWord("nolock"))
            return false;
        const int close = skipSpace(hint + 1, end);
        if (close >= end || !tokens_[close].isSymbol(QLatin1Char(')')))
            return false;
        next = close + 1;
        return true;
    }

    // "select [distinct|all] top n <rest>" becomes "select [distinct|all] <rest> limit n", the limit
    // placed at the end of that select (before the ")" that closes a subquery, or a ";").
    bool selectTop(int i, int end, QString& out, int& next) const
    {
        if (!tokens_[i].isWord("select"))
            return false;
        int top = skipSpace(i + 1, end);
        QString head = tokens_[i].text;
        if (top < end && (tokens_[top].isWord("distinct") || tokens_[top].isWord("all"))) {
            head += QLatin1Char(' ') + tokens_[top].text;
            top = skipSpace(top + 1, end);
        }
        if (top >= end || !tokens_[top].isWord("top"))
            return false;
        const int count = skipSpace(top + 1, end);
        if (count >= end)
            return false;
        QString limit;
        int after;
        if (tokens_[count].kind == Kind::Number) {
            limit = tokens_[count].text;
            after = count + 1;
        } else if (tokens_[count].isSymbol(QLatin1Char('('))) {
            const int close = closingParen(count, end);
            if (close >= end)
                return false;
            limit = text({ count + 1, close });
            after = close + 1;
        } else {
            return false;
        }
        const int following = skipSpace(after, end);
        if (following < end && (tokens_[following].isWord("percent") || tokens_[following].isWord("with")))
            return false;
        const int scopeEnd = selectEnd(after, end);
        int codeEnd = scopeEnd;
        while (codeEnd > after
            && (tokens_[codeEnd - 1].kind == Kind::Space || tokens_[codeEnd - 1].kind == Kind::Comment))
            --codeEnd;
        out += head + rewrite(after, codeEnd) + QStringLiteral(" limit ") + limit
            + rewrite(codeEnd, scopeEnd);
        next = scopeEnd;
        return true;
    }

    int selectEnd(int from, int end) const
    {
        for (int i = from; i < end; ++i) {
            if (tokens_[i].isSymbol(QLatin1Char('(')))
                i = closingParen(i, end);
            else if (tokens_[i].isSymbol(QLatin1Char(')')) || tokens_[i].isSymbol(QLatin1Char(';')))
                return i;
        }
        return end;
    }

    // SQL Server sorts NULL before every value; PostgreSQL after, unless told. Each item of an order
    // list gets NULLS FIRST (ascending) or NULLS LAST (descending) there, so that rows come in the
    // same order on every database.
    bool orderBy(int i, int end, QString& out, int& next) const
    {
        if (sqlite_ || !tokens_[i].isWord("order"))
            return false;
        const int by = skipSpace(i + 1, end);
        if (by >= end || !tokens_[by].isWord("by"))
            return false;
        for (int k = i; k <= by; ++k)
            out += tokens_[k].text;
        const int listEnd = orderListEnd(by + 1, end);
        int itemStart = by + 1;
        for (const Range& item : arguments(by, listEnd)) {
            out += rewrite(itemStart, item.begin) + orderItem(item);
            itemStart = item.end;
        }
        next = itemStart;
        return true;
    }

    int orderListEnd(int from, int end) const
    {
        static const char* const clauseWords[] = { "limit", "offset", "for", "union", "except", "intersect" };
        for (int i = from; i < end; ++i) {
            const SqlToken& token = tokens_[i];
            if (token.isSymbol(QLatin1Char('(')))
                i = closingParen(i, end);
            else if (token.isSymbol(QLatin1Char(')')) || token.isSymbol(QLatin1Char(';')))
                return i;
            else if (std::any_of(std::begin(clauseWords), std::end(clauseWords),
                         [&](const char* word) { return token.isWord(word); }))
                return i;
        }
        return end;
    }

    QString orderItem(Range item) const
    {
        int codeEnd = item.end;
        while (codeEnd > item.begin
            && (tokens_[codeEnd - 1].kind == Kind::Space || tokens_[codeEnd - 1].kind == Kind::Comment))
            --codeEnd;
        bool ordersNulls = false;
        for (int i = item.begin; i < codeEnd; ++i)
            ordersNulls = ordersNulls || tokens_[i].isWord("nulls");
        if (codeEnd == item.begin || ordersNulls)
            return rewrite(item.begin, item.end);
        const QString nulls = tokens_[codeEnd - 1].isWord("desc") ? QStringLiteral(" NULLS LAST")
                                                                  : QStringLiteral(" NULLS FIRST");
        return rewrite(item.begin, codeEnd) + nulls + rewrite(codeEnd, item.end);
    }

    // A call of a function that the targets name or write differently, replaced as a whole.
    bool function(int i, int end, QString& out, int& next) const
    {
        using Handler = std::optional<QString> (Rewriter::*)(const QList<Range>&) const;
        static const QHash<QString, Handler> handlers = {
            { "getdate", &Rewriter::getdate },
            { "isnull", &Rewriter::isnull },
            { "len", &Rewriter::len },
            { "substring", &Rewriter::substring },
            { "charindex", &Rewriter::charindex },
            { "left", &Rewriter::left },
            { "right", &Rewriter::right },
            { "year", &Rewriter::year },
            { "month", &Rewriter::month },
            { "day", &Rewriter::day },
            { "datepart", &Rewriter::datepart },
            { "dateadd", &Rewriter::dateadd },
            { "datediff", &Rewriter::datediff },
            { "convert", &Rewriter::convert },
        };
        const auto handler = handlers.constFind(tokens_[i].text.toLower());
        if (handler == handlers.constEnd() || (i > 0 && tokens_[i - 1].isSymbol(QLatin1Char('.'))))
            return false;
        const int open = skipSpace(i + 1, end);
        if (open >= end || !tokens_[open].isSymbol(QLatin1Char('(')))
            return false;
        const int close = closingParen(open, end);
        if (close >= end)
            return false;
        const std::optional<QString> replacement = (this->*(*handler))(arguments(open, close));
        if (!replacement)
            return false;
        out += *replacement;
        next = close + 1;
        return true;
    }

    std::optional<QString> getdate(const QList<Range>& args) const
    {
        if (!args.isEmpty())
            return std::nullopt;
        return sqlite_ ? QStringLiteral("datetime('now','localtime')")
                       : QStringLiteral("date_trunc('second', LOCALTIMESTAMP)");
    }

    std::optional<QString> isnull(const QList<Range>& args) const
    {
        if (args.size() != 2)
            return std::nullopt;
        return QStringLiteral("coalesce(%1, %2)").arg(text(args[0]), text(args[1]));
    }

    // SQL Server's len leaves trailing blanks out of the count.
    std::optional<QString> len(const QList<Range>& args) const
    {
        if (args.size() != 1)
            return std::nullopt;
        return QStringLiteral("length(rtrim(%1))").arg(text(args[0]));
    }

    std::optional<QString> substring(const QList<Range>& args) const
    {
        if (args.size() != 3)
            return std::nullopt;
        return QStringLiteral("substr(%1, %2, %3)").arg(text(args[0]), text(args[1]), text(args[2]));
    }

    std::optional<QString> charindex(const QList<Range>& args) const
    {
        const QString position = sqlite_ ? QStringLiteral("instr") : QStringLiteral("strpos");
        if (args.size() == 2)
            return QStringLiteral("%1(%2, %3)").arg(position, text(args[1]), text(args[0]));
        if (args.size() != 3)
            return std::nullopt;
        const QString start = text(args[2], 2);
        return QStringLiteral("coalesce(nullif(%1(substr(%2, %3), %4), 0) + (%3) - 1, 0)")
            .arg(position, text(args[1]), start, text(args[0]));
    }

    std::optional<QString> left(const QList<Range>& args) const
    {
        if (!sqlite_ || args.size() != 2)
            return std::nullopt;
        return QStringLiteral("substr(%1, 1, %2)").arg(text(args[0]), text(args[1]));
    }

    std::optional<QString> right(const QList<Range>& args) const
    {
        if (!sqlite_ || args.size() != 2)
            return std::nullopt;
        return QStringLiteral("(CASE WHEN (%2) > 0 THEN substr(%1, -(%2)) ELSE '' END)")
            .arg(text(args[0]), text(args[1], 2));
    }

    std::optional<QString> year(const QList<Range>& args) const { return singlePart(DatePart::Year, args); }
    std::optional<QString> month(const QList<Range>& args) const { return singlePart(DatePart::Month, args); }
    std::optional<QString> day(const QList<Range>& args) const { return singlePart(DatePart::Day, args); }

    std::optional<QString> singlePart(DatePart part, const QList<Range>& args) const
    {
        if (args.size() != 1)
            return std::nullopt;
        return sqldate::datePart(part, text(args[0]), dialect_);
    }

    std::optional<QString> datepart(const QList<Range>& args) const
    {
        if (args.size() != 2)
            return std::nullopt;
        const std::optional<DatePart> part = sqldate::datePartNamed(leadingWord(args[0]));
        if (!part)
            return std::nullopt;
        return sqldate::datePart(*part, text(args[1]), dialect_);
    }

    std::optional<QString> dateadd(const QList<Range>& args) const
    {
        if (args.size() != 3)
            return std::nullopt;
        const std::optional<DatePart> part = sqldate::datePartNamed(leadingWord(args[0]));
        if (!part)
            return std::nullopt;
        return sqldate::dateAdd(*part, text(args[1]), text(args[2]), dialect_);
    }

    std::optional<QString> datediff(const QList<Range>& args) const
    {
        if (args.size() != 3)
            return std::nullopt;
        const std::optional<DatePart> part = sqldate::datePartNamed(leadingWord(args[0]));
        if (!part)
            return std::nullopt;
        // The difference in hours, minutes or seconds writes each date up to four times.
        return sqldate::dateDiff(*part, text(args[1], 4), text(args[2], 4), dialect_);
    }

    // A number read from a value of any type; NULL when the value is no number (SQL Server would stop
    // the whole statement there, which would cost the report all its rows for one stray text). The
    // value is written once, so that conversions nested in each other stay as long as they are written.
    QString safeNumber(const QString& value) const
    {
        if (sqlite_)
            return QStringLiteral("orv_number(%1)").arg(value);
        return QStringLiteral(
            "CAST(substring(CAST(%1 AS TEXT), "
            "'^[[:space:]]*([-+]?([0-9]+[.]?[0-9]*|[.][0-9]+)([eE][-+]?[0-9]+)?)[[:space:]]*$') "
            "AS DOUBLE PRECISION)")
            .arg(value);
    }

    std::optional<QString> convert(const QList<Range>& args) const
    {
        if (args.size() != 2 && args.size() != 3)
            return std::nullopt;
        const QString type = leadingWord(args[0]);
        const QStringList sizes = typeSizes(args[0]);
        const QString value = text(args[1]);
        static const QStringList floating = { "float", "real", "double", "money", "smallmoney" };
        static const QStringList whole = { "int", "integer", "smallint", "tinyint", "bigint" };
        static const QStringList decimal = { "decimal", "numeric" };
        static const QStringList textual
            = { "varchar", "nvarchar", "char", "nchar", "text", "ntext", "sysname" };
        if (floating.contains(type))
            return safeNumber(value);
        if (whole.contains(type)) {
            if (sqlite_)
                return QStringLiteral("CAST(%1 AS INTEGER)").arg(safeNumber(value));
            return QStringLiteral("CAST(trunc(%1) AS %2)")
                .arg(safeNumber(value),
                    type == QLatin1String("bigint") ? QStringLiteral("BIGINT") : QStringLiteral("INTEGER"));
        }
        if (decimal.contains(type)) {
            if (sqlite_)
                return sizes.size() == 2 ? QStringLiteral("ROUND(%1, %2)").arg(safeNumber(value), sizes[1])
                                         : safeNumber(value);
            return QStringLiteral("CAST(%1 AS NUMERIC%2)")
                .arg(safeNumber(value),
                    sizes.isEmpty() ? QString()
                                    : QLatin1Char('(') + sizes.join(QLatin1Char(',')) + QLatin1Char(')'));
        }
        if (textual.contains(type))
            return textOf(value, args.size() == 3 ? text(args[2]).toInt() : 0, sizes.value(0));
        if (type == QLatin1String("datetime") || type == QLatin1String("smalldatetime")
            || type == QLatin1String("datetime2"))
            return sqlite_ ? QStringLiteral("datetime(%1)").arg(value)
                           : QStringLiteral("CAST(%1 AS TIMESTAMP)").arg(value);
        if (type == QLatin1String("date"))
            return sqlite_ ? QStringLiteral("date(%1)").arg(value)
                           : QStringLiteral("CAST(%1 AS DATE)").arg(value);
        return std::nullopt;
    }

    // Convert(varchar(n), value[, style]): a date in the style's form, or the value as text, cut to n.
    QString textOf(const QString& value, int style, const QString& length) const
    {
        const QString converted = sqldate::dateText(value, style, dialect_)
                                      .value_or(QStringLiteral("CAST(%1 AS TEXT)").arg(value));
        if (length.isEmpty())
            return converted;
        return sqlite_ ? QStringLiteral("substr(%1, 1, %2)").arg(converted, length)
                       : QStringLiteral("CAST(%1 AS VARCHAR(%2))").arg(converted, length);
    }
};

} // namespace

QString rewriteSqlServerDialect(const QString& sql, db::Dialect target, bool backslashEscapes)
{
    if (target == Dialect::SqlServer)
        return sql;
    const QList<SqlToken> tokens = db::tokenizeSql(sql, target, backslashEscapes);
    return Rewriter(tokens, target).rewrite(0, int(tokens.size()));
}

} // namespace platform::outside
