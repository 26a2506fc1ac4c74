#include "Sheet.h"

#include <QRegularExpression>

#include <charconv>
#include <iterator>

namespace platform::grid
{

namespace
{

// Appends a column's letters ("B", "AA") to `text`.
void appendColumnName(QString& text, int col)
{
    const qsizetype first = text.size();
    for (int n = col; n > 0; n = (n - 1) / 26)
        text.insert(first, QChar(u'A' + (n - 1) % 26));
}

} // namespace

QString columnName(int col)
{
    QString name;
    appendColumnName(name, col);
    return name;
}

int columnNumber(const QString& name)
{
    if (name.isEmpty() || name.size() > 3)
        return 0;
    int number = 0;
    for (QChar ch : name) {
        const char16_t letter = ch.toUpper().unicode();
        if (letter < u'A' || letter > u'Z')
            return 0;
        number = number * 26 + (letter - u'A' + 1);
    }
    return number <= kMaxSheetCols ? number : 0;
}

namespace
{

// Appends a cell's name ("B2", "$B$2") to `text`: a print area names every page, so without a string
// made for each piece.
void appendCellText(QString& text, int row, int col, bool absolute)
{
    if (absolute)
        text += u'$';
    appendColumnName(text, col);
    if (absolute)
        text += u'$';
    char digits[16];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), row).ptr;
    text += QLatin1StringView(digits, end - digits);
}

// One corner of a range text: a cell ("$B$2"), a whole row ("$3") or a whole column ("$C").
struct Corner {
    int row = 0; // 0 for a whole column
    int col = 0; // 0 for a whole row
};

std::optional<Corner> parseCorner(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\$?([A-Za-z]{0,3})\\$?([0-9]{0,7})$"));
    const auto match = pattern.match(text);
    if (!match.hasMatch() || (match.capturedLength(1) == 0 && match.capturedLength(2) == 0))
        return std::nullopt;
    Corner corner;
    if (match.capturedLength(1) > 0) {
        corner.col = columnNumber(match.captured(1));
        if (corner.col == 0)
            return std::nullopt;
    }
    if (match.capturedLength(2) > 0) {
        corner.row = match.captured(2).toInt();
        if (corner.row < 1 || corner.row > kMaxSheetRows)
            return std::nullopt;
    }
    return corner;
}

} // namespace

QString rangeText(const CellRange& range, bool absolute)
{
    const CellRange r = range.normalized();
    QString text;
    text.reserve(24);
    appendCellText(text, r.row1, r.col1, absolute);
    if (r.row1 == r.row2 && r.col1 == r.col2)
        return text;
    text += u':';
    appendCellText(text, r.row2, r.col2, absolute);
    return text;
}

std::optional<CellRange> parseRangeText(const QString& text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char(':'));
    if (parts.size() > 2)
        return std::nullopt;
    const auto first = parseCorner(parts.front());
    const auto last = parseCorner(parts.back());
    if (!first || !last)
        return std::nullopt;
    const bool wholeRows = first->col == 0 && last->col == 0;
    const bool wholeCols = first->row == 0 && last->row == 0;
    if (wholeRows)
        return CellRange { first->row, 1, last->row, kWholeRowLastCol }.normalized();
    if (wholeCols)
        return CellRange { 1, first->col, kWholeColLastRow, last->col }.normalized();
    if (first->row == 0 || first->col == 0 || last->row == 0 || last->col == 0)
        return std::nullopt;
    return CellRange { first->row, first->col, last->row, last->col }.normalized();
}

} // namespace platform::grid
