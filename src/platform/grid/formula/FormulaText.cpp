#include "FormulaText.h"

#include <cmath>
#include <QLocale>

namespace platform::grid::formula
{

namespace
{

QString operatorSymbol(BinaryOperator op)
{
    switch (op) {
    case BinaryOperator::Add:
        return QStringLiteral("+");
    case BinaryOperator::Subtract:
        return QStringLiteral("-");
    case BinaryOperator::Multiply:
        return QStringLiteral("*");
    case BinaryOperator::Divide:
        return QStringLiteral("/");
    case BinaryOperator::Power:
        return QStringLiteral("^");
    case BinaryOperator::Concat:
        return QStringLiteral("&");
    case BinaryOperator::Equal:
        return QStringLiteral("=");
    case BinaryOperator::NotEqual:
        return QStringLiteral("<>");
    case BinaryOperator::Less:
        return QStringLiteral("<");
    case BinaryOperator::LessEqual:
        return QStringLiteral("<=");
    case BinaryOperator::Greater:
        return QStringLiteral(">");
    case BinaryOperator::GreaterEqual:
        return QStringLiteral(">=");
    }
    return {};
}

// The shortest text that reads back as the same number: plain digits for everyday magnitudes,
// the exponent form ("1E+20") for the others.
QString numberText(double number)
{
    const double magnitude = std::fabs(number);
    if (magnitude == 0 || (magnitude >= 1e-6 && magnitude < 1e15))
        return QString::number(number, 'f', QLocale::FloatingPointShortest);
    return QString::number(number, 'e', QLocale::FloatingPointShortest).toUpper();
}

void write(const Node& node, QString& out)
{
    switch (node.kind) {
    case NodeKind::Number:
        out += numberText(node.number);
        break;
    case NodeKind::Text:
        out += u'"' + QString(node.text).replace(u'"', QStringLiteral("\"\"")) + u'"';
        break;
    case NodeKind::Logical:
        out += node.logical ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        break;
    case NodeKind::Error:
    case NodeKind::Name:
        out += node.text;
        break;
    case NodeKind::Reference:
        out += node.first.text();
        break;
    case NodeKind::Range:
        out += node.first.text() + u':' + node.last.text();
        break;
    case NodeKind::Parentheses:
        out += u'(';
        write(*node.operands.front(), out);
        out += u')';
        break;
    case NodeKind::Negate:
    case NodeKind::UnaryPlus:
        out += node.kind == NodeKind::Negate ? u'-' : u'+';
        write(*node.operands.front(), out);
        break;
    case NodeKind::Percent:
        write(*node.operands.front(), out);
        out += u'%';
        break;
    case NodeKind::Binary:
        write(*node.operands[0], out);
        out += operatorSymbol(node.op);
        write(*node.operands[1], out);
        break;
    case NodeKind::Call:
        out += node.text + u'(';
        for (std::size_t i = 0; i < node.operands.size(); ++i) {
            if (i > 0)
                out += u',';
            write(*node.operands[i], out);
        }
        out += u')';
        break;
    }
}

} // namespace

QString formulaText(const Node& node)
{
    QString out;
    write(node, out);
    return out;
}

} // namespace platform::grid::formula
