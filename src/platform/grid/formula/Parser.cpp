#include "Parser.h"

#include "Functions.h"
#include "Lexer.h"
#include <span>

namespace platform::grid::formula
{

namespace
{

struct OperatorLevel {
    QStringView symbol;
    BinaryOperator op;
};

const OperatorLevel kComparisons[] = {
    { u"=", BinaryOperator::Equal },
    { u"<>", BinaryOperator::NotEqual },
    { u"<", BinaryOperator::Less },
    { u"<=", BinaryOperator::LessEqual },
    { u">", BinaryOperator::Greater },
    { u">=", BinaryOperator::GreaterEqual },
};
const OperatorLevel kConcatenation[] = { { u"&", BinaryOperator::Concat } };
const OperatorLevel kAdditive[] = { { u"+", BinaryOperator::Add }, { u"-", BinaryOperator::Subtract } };
const OperatorLevel kMultiplicative[]
    = { { u"*", BinaryOperator::Multiply }, { u"/", BinaryOperator::Divide } };
const OperatorLevel kPower[] = { { u"^", BinaryOperator::Power } };

// Formulas are as long and as deeply nested as a spreadsheet accepts, which keeps the recursive
// parsing and evaluation well inside the stack.
constexpr qsizetype kMaxFormulaLength = 8192;
constexpr int kMaxNesting = 100;

class Parser
{
public:
    explicit Parser(const QString& formula)
        : formula_(formula)
        , tokens_(tokenize(formula))
    {
    }

    NodePtr run()
    {
        if (formula_.size() > kMaxFormulaLength)
            throwSyntaxError(formula_, kMaxFormulaLength, QStringLiteral("formula too long"));
        if (peek().kind == TokenKind::End)
            failAt(peek(), QStringLiteral("empty formula"));
        NodePtr root = expression();
        if (peek().kind != TokenKind::End)
            failAt(peek(), QStringLiteral("unexpected '%1'").arg(peek().text));
        return root;
    }

private:
    NodePtr expression() { return binaryLevel(0); }

    // Left-associative binary levels, loosest first; below the last one come the postfix percent,
    // the unary signs and the primaries.
    NodePtr binaryLevel(int level)
    {
        static const std::span<const OperatorLevel> levels[]
            = { kComparisons, kConcatenation, kAdditive, kMultiplicative, kPower };
        if (level == int(std::size(levels)))
            return percent();
        NodePtr left = binaryLevel(level + 1);
        for (;;) {
            const OperatorLevel* match = nullptr;
            for (const OperatorLevel& candidate : levels[level]) {
                if (peek().isOperator(candidate.symbol))
                    match = &candidate;
            }
            if (!match)
                return left;
            ++pos_;
            left = Node::makeBinary(match->op, left, binaryLevel(level + 1));
        }
    }

    NodePtr percent()
    {
        NodePtr operand = unary();
        while (peek().isOperator(u"%")) {
            ++pos_;
            operand = Node::makeUnary(NodeKind::Percent, operand);
        }
        return operand;
    }

    NodePtr unary()
    {
        if (depth_ == kMaxNesting)
            failAt(peek(), QStringLiteral("formula nested too deeply"));
        ++depth_;
        NodePtr result;
        if (peek().isOperator(u"-") || peek().isOperator(u"+")) {
            const NodeKind kind = take().text == u"-" ? NodeKind::Negate : NodeKind::UnaryPlus;
            result = Node::makeUnary(kind, unary());
        } else {
            result = primary();
        }
        --depth_;
        return result;
    }

    NodePtr primary()
    {
        const Token& token = take();
        switch (token.kind) {
        case TokenKind::Number:
            return Node::makeNumber(token.number);
        case TokenKind::Text:
            return Node::makeNamed(NodeKind::Text, token.text);
        case TokenKind::Error:
            return Node::makeNamed(NodeKind::Error, token.text);
        case TokenKind::Identifier:
            return identifier(token);
        case TokenKind::Operator:
            if (token.text == u"(") {
                NodePtr inner = expression();
                expect(u")");
                return Node::makeUnary(NodeKind::Parentheses, inner);
            }
            break;
        case TokenKind::End:
            failAt(token, QStringLiteral("incomplete formula"));
        }
        failAt(token, QStringLiteral("unexpected '%1'").arg(token.text));
    }

    NodePtr identifier(const Token& token)
    {
        if (peek().isOperator(u"("))
            return call(token);
        if (token.text.compare(u"TRUE", Qt::CaseInsensitive) == 0)
            return Node::makeLogical(true);
        if (token.text.compare(u"FALSE", Qt::CaseInsensitive) == 0)
            return Node::makeLogical(false);
        const std::optional<CellReference> first = CellReference::parse(token.text);
        if (!first)
            return Node::makeNamed(NodeKind::Name, token.text);
        if (!peek().isOperator(u":"))
            return Node::makeReference(*first);
        ++pos_;
        const Token& lastToken = take();
        const std::optional<CellReference> last
            = lastToken.kind == TokenKind::Identifier ? CellReference::parse(lastToken.text) : std::nullopt;
        if (!last)
            failAt(lastToken, QStringLiteral("a range needs a cell after ':'"));
        return Node::makeRange(*first, *last);
    }

    NodePtr call(const Token& nameToken)
    {
        ++pos_; // "("
        std::vector<NodePtr> arguments;
        if (!peek().isOperator(u")")) {
            arguments.push_back(expression());
            while (peek().isOperator(u",")) {
                ++pos_;
                arguments.push_back(expression());
            }
        }
        expect(u")");
        const FunctionInfo* info = findFunction(nameToken.text);
        const int count = int(arguments.size());
        if (info && (count < info->minArguments || count > info->maxArguments)) {
            throwSyntaxError(formula_, nameToken.position,
                QStringLiteral("%1 takes %2 to %3 arguments")
                    .arg(QLatin1StringView(info->name))
                    .arg(info->minArguments)
                    .arg(info->maxArguments));
        }
        return Node::makeCall(
            info ? info->id : Function::Unknown, nameToken.text.toUpper(), std::move(arguments));
    }

    void expect(QStringView symbol)
    {
        if (!peek().isOperator(symbol))
            failAt(peek(), QStringLiteral("'%1' expected").arg(symbol));
        ++pos_;
    }

    const Token& peek() const { return tokens_[pos_]; }
    const Token& take()
    {
        const Token& token = tokens_[pos_];
        if (token.kind != TokenKind::End)
            ++pos_;
        return token;
    }

    [[noreturn]] void failAt(const Token& token, const QString& problem) const
    {
        throwSyntaxError(formula_, token.position, problem);
    }

    const QString& formula_;
    QList<Token> tokens_;
    qsizetype pos_ = 0;
    int depth_ = 0;
};

} // namespace

NodePtr parseFormula(const QString& formula)
{
    return Parser(formula).run();
}

} // namespace platform::grid::formula
