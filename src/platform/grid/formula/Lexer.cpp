#include "Lexer.h"

#include "platform/Error.h"

namespace platform::grid::formula
{

namespace
{

const QStringView kErrorCodes[]
    = { u"#NULL!", u"#DIV/0!", u"#VALUE!", u"#REF!", u"#NAME?", u"#NUM!", u"#N/A" };
const QStringView kTwoCharOperators[] = { u"<>", u"<=", u">=" };
const QStringView kOneCharOperators = u"+-*/^&=<>%(),:";

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool startsIdentifier(QChar c)
{
    return c.isLetter() || c == u'_' || c == u'$';
}

bool continuesIdentifier(QChar c)
{
    return startsIdentifier(c) || isDigit(c) || c == u'.';
}

class Lexer
{
public:
    explicit Lexer(const QString& formula)
        : s_(formula)
    {
    }

    QList<Token> run()
    {
        QList<Token> tokens;
        for (;;) {
            while (i_ < s_.size() && s_[i_].isSpace())
                ++i_;
            if (i_ >= s_.size())
                break;
            tokens << next();
        }
        tokens << Token { TokenKind::End, {}, 0, s_.size() };
        return tokens;
    }

private:
    Token next()
    {
        const QChar c = s_[i_];
        Token token { TokenKind::Operator, {}, 0, i_ };
        if (isDigit(c) || (c == u'.' && i_ + 1 < s_.size() && isDigit(s_[i_ + 1]))) {
            token.kind = TokenKind::Number;
            token.number = readNumber();
        } else if (c == u'"') {
            token.kind = TokenKind::Text;
            token.text = readText();
        } else if (startsIdentifier(c)) {
            token.kind = TokenKind::Identifier;
            const qsizetype start = i_;
            while (i_ < s_.size() && continuesIdentifier(s_[i_]))
                ++i_;
            token.text = s_.mid(start, i_ - start);
        } else if (c == u'#') {
            token.kind = TokenKind::Error;
            token.text = readErrorCode();
        } else {
            token.text = readOperator();
        }
        return token;
    }

    double readNumber()
    {
        const qsizetype start = i_;
        while (i_ < s_.size() && isDigit(s_[i_]))
            ++i_;
        if (i_ < s_.size() && s_[i_] == u'.') {
            ++i_;
            while (i_ < s_.size() && isDigit(s_[i_]))
                ++i_;
        }
        if (i_ < s_.size() && (s_[i_] == u'e' || s_[i_] == u'E')) {
            qsizetype j = i_ + 1;
            if (j < s_.size() && (s_[j] == u'+' || s_[j] == u'-'))
                ++j;
            if (j < s_.size() && isDigit(s_[j])) {
                i_ = j;
                while (i_ < s_.size() && isDigit(s_[i_]))
                    ++i_;
            }
        }
        bool ok = false;
        const double value = s_.mid(start, i_ - start).toDouble(&ok);
        if (!ok || !qIsFinite(value))
            throwSyntaxError(s_, start, QStringLiteral("number out of range"));
        return value;
    }

    // A text between double quotes, a doubled quote standing for one.
    QString readText()
    {
        const qsizetype start = i_++;
        QString text;
        for (;;) {
            if (i_ >= s_.size())
                throwSyntaxError(s_, start, QStringLiteral("text without closing quote"));
            if (s_[i_] == u'"') {
                if (i_ + 1 < s_.size() && s_[i_ + 1] == u'"') {
                    text += u'"';
                    i_ += 2;
                    continue;
                }
                ++i_;
                return text;
            }
            text += s_[i_++];
        }
    }

    QString readErrorCode()
    {
        const QStringView rest = QStringView(s_).mid(i_);
        for (const QStringView code : kErrorCodes) {
            if (rest.startsWith(code, Qt::CaseInsensitive)) {
                i_ += code.size();
                return code.toString();
            }
        }
        throwSyntaxError(s_, i_, QStringLiteral("unknown error value"));
    }

    QString readOperator()
    {
        const QStringView rest = QStringView(s_).mid(i_);
        for (const QStringView op : kTwoCharOperators) {
            if (rest.startsWith(op)) {
                i_ += 2;
                return op.toString();
            }
        }
        if (!kOneCharOperators.contains(s_[i_]))
            throwSyntaxError(s_, i_, QStringLiteral("unexpected character '%1'").arg(s_[i_]));
        return QString(s_[i_++]);
    }

    const QString& s_;
    qsizetype i_ = 0;
};

} // namespace

QList<Token> tokenize(const QString& formula)
{
    return Lexer(formula).run();
}

void throwSyntaxError(const QString& formula, qsizetype position, const QString& problem)
{
    throw Error(errors::InvalidArgument, QStringLiteral("Formula"),
        QStringLiteral("Formula \"%1\": %2 at position %3").arg(formula, problem).arg(position + 1));
}

} // namespace platform::grid::formula
