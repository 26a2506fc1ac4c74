#include "store/CellSourceText.h"

namespace store
{

namespace
{

const QString FieldPrefix = QStringLiteral("@B|");
const QLatin1Char OptionMark('&');

std::optional<int> digitsValue(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    for (const QChar c : text) {
        if (!c.isDigit())
            return std::nullopt;
    }
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

bool CellSourceText::isKindLetter(QChar letter)
{
    return (letter >= QLatin1Char('A') && letter <= QLatin1Char('L')) || letter == QLatin1Char('R');
}

std::optional<CellSourceText> CellSourceText::parse(const QString& text)
{
    if (text.size() < 3 || text.at(0) != QLatin1Char('@') || text.at(2) != QLatin1Char('|')
        || !isKindLetter(text.at(1)))
        return std::nullopt;
    return CellSourceText { text.at(1), text.mid(3) };
}

QString CellSourceText::text() const
{
    return QLatin1Char('@') + letter + QLatin1Char('|') + body;
}

bool isFieldCellText(const QString& text)
{
    return text.startsWith(FieldPrefix);
}

QString storedDataType(const QString& content)
{
    return content.size() >= 2 ? QString(content.at(1)) : QString();
}

FieldBody FieldBody::split(const QString& body)
{
    const qsizetype mark = body.indexOf(OptionMark);
    if (mark < 0)
        return { body, {} };
    return { body.left(mark), body.mid(mark) };
}

std::optional<FieldOption> FieldOption::parse(const QString& options)
{
    if (options.size() < 3 || !options.startsWith(OptionMark) || !options.endsWith(OptionMark))
        return std::nullopt;
    const QString inner = options.mid(1, options.size() - 2);
    const qsizetype modeMark = inner.lastIndexOf(OptionMark);
    if (modeMark < 0)
        return std::nullopt;
    const QString argument = inner.left(modeMark);
    const QString mode = inner.mid(modeMark + 1);

    FieldOption option;
    if (mode == QLatin1String("FI") || mode == QLatin1String("BI")) {
        option.mode = mode == QLatin1String("FI") ? Mode::InsertFront : Mode::InsertBack;
        option.characters = argument;
        return option;
    }
    if (mode != QLatin1String("B") && mode != QLatin1String("F"))
        return std::nullopt;
    option.mode = mode == QLatin1String("B") ? Mode::TakeBack : Mode::TakeFront;
    const qsizetype dash = argument.indexOf(QLatin1Char('-'));
    if (dash < 0)
        return std::nullopt;
    const auto start = digitsValue(argument.left(dash));
    const auto count = digitsValue(argument.mid(dash + 1));
    if (!start || !count)
        return std::nullopt;
    option.start = *start;
    option.count = *count;
    return option;
}

} // namespace store
