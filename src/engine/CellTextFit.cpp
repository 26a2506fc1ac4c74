#include "engine/CellTextFit.h"

#include "engine/EngineState.h"
#include "engine/WholeNumbers.h"
#include "platform/grid/Sheet.h"

#include <algorithm>
#include <cmath>

namespace engine
{

namespace
{

int textWidth(const QString& text, const platform::grid::TextFont& font)
{
    return platform::grid::measureTextTwips(text, font).width();
}

// What the cell shows. A whole number under the General format shows its digits, which need no
// formatting to be known.
QString shownText(
    const platform::grid::Sheet& grid, int row, int col, const platform::grid::CellFormat& format)
{
    constexpr double WholeDigitsShown = 1e10;
    const platform::grid::CellValue value = grid.value(row, col);
    const double* number = std::get_if<double>(&value);
    const bool general = format.numberFormat.value_or(QStringLiteral("General"))
                             .compare(QLatin1String("General"), Qt::CaseInsensitive)
        == 0;
    if (number && general && std::abs(*number) < WholeDigitsShown && *number == std::trunc(*number))
        return QString::number(qint64(*number));
    return grid.text(row, col);
}

} // namespace

int CellWidth(const platform::grid::Sheet& grid, int row, int col)
{
    const auto block = grid.mergedBlockAt(row, col);
    if (!block)
        return grid.colWidth(col);
    int width = 0;
    for (int c = block->col1; c <= block->col2; ++c)
        width += grid.colWidth(c);
    return width;
}

void ShrinkToFit(platform::grid::Sheet& grid)
{
    const int row = grid.activeRow();
    const int col = grid.activeCol();
    const platform::grid::CellFormat format = grid.format(row, col);
    if (format.wrapText.value_or(false))
        return;
    const QString text = shownText(grid, row, col, format);
    if (text.isEmpty())
        return;
    platform::grid::TextFont font = platform::grid::fontOf(format);
    const double designed = font.size;
    const int available = CellWidth(grid, row, col);
    if (platform::grid::textWidthBoundTwips(text, font) <= available)
        return;
    while (textWidth(text, font) > available && font.size > MinShrinkFontPoints)
        font.size = std::max(MinShrinkFontPoints, double(roundInt16(font.size) - 1));
    if (font.size == designed)
        return;
    platform::grid::CellFormat smaller;
    smaller.fontSize = font.size;
    grid.applyFormatToSelection(smaller);
}

QString WidthFittedPiece(const QString& value, int start, int count, const platform::grid::TextFont& font,
    long long page, int record)
{
    DataEngineState& engine = dataEngine();
    if (engine.FieldSplitPage != page || engine.FieldSplitRecord != record) {
        engine.FieldSplitPage = page;
        engine.FieldSplitRecord = record;
        engine.FieldSplitNextStart = 1;
        engine.FieldSplitLastText.clear();
    }
    if (value == engine.FieldSplitLastText)
        start = engine.FieldSplitNextStart;
    const int target = textWidth(QString(count, u'试') + QLatin1Char('T'), font);
    const int rest = int(value.size()) - start + 1;
    int taken = count;
    while (taken <= rest && textWidth(value.mid(start - 1, taken), font) < target)
        ++taken;
    engine.FieldSplitNextStart = start + taken;
    engine.FieldSplitLastText = value;
    return start >= 1 && start <= value.size() ? value.mid(start - 1, taken) : QString();
}

} // namespace engine
