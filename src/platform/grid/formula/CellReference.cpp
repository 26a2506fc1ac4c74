#include "CellReference.h"

namespace platform::grid::formula
{

namespace
{

bool isAsciiLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

QString columnLetters(int col)
{
    QString letters;
    for (; col > 0; col = (col - 1) / 26)
        letters.prepend(QChar(u'A' + (col - 1) % 26));
    return letters;
}

QString CellReference::text() const
{
    return (colAbsolute ? QStringLiteral("$") : QString()) + columnLetters(col)
        + (rowAbsolute ? QStringLiteral("$") : QString()) + QString::number(row);
}

std::optional<CellReference> CellReference::parse(QStringView text)
{
    CellReference reference;
    qsizetype i = 0;
    if (i < text.size() && text[i] == u'$') {
        reference.colAbsolute = true;
        ++i;
    }
    int col = 0;
    const qsizetype lettersStart = i;
    while (i < text.size() && isAsciiLetter(text[i]) && i - lettersStart < 4)
        col = col * 26 + (text[i++].toUpper().unicode() - u'A' + 1);
    if (i == lettersStart || i - lettersStart > 3)
        return std::nullopt;
    if (i < text.size() && text[i] == u'$') {
        reference.rowAbsolute = true;
        ++i;
    }
    const qsizetype digitsStart = i;
    qint64 row = 0;
    while (i < text.size() && isAsciiDigit(text[i]) && row <= kMaxSheetRows)
        row = row * 10 + (text[i++].unicode() - u'0');
    if (i == digitsStart || i != text.size())
        return std::nullopt;
    reference.row = int(std::min<qint64>(row, kMaxSheetRows + 1));
    reference.col = col;
    if (!reference.isOnSheet())
        return std::nullopt;
    return reference;
}

} // namespace platform::grid::formula
