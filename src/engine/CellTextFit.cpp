#include "engine/CellTextFit.h"

#include "engine/BoundedMemo.h"
#include "engine/EngineState.h"
#include "engine/GrowingSearch.h"
#include "engine/TextAnswer.h"
#include "engine/WholeNumbers.h"
#include "platform/grid/NumberFormat.h"
#include "platform/grid/Sheet.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace engine
{

namespace
{

int textWidth(const QString& text, const platform::grid::TextFont& font)
{
    return platform::grid::measureTextTwips(text, font).width();
}

bool isGeneral(const std::optional<QString>& numberFormat)
{
    thread_local TextAnswer<bool> general(
        [](QStringView format) { return platform::grid::isGeneralFormat(format); });
    return numberFormat ? general(*numberFormat) : true;
}

// A whole number that the General format shows as its digits.
std::optional<qint64> shownWholeNumber(const platform::grid::CellValue& value)
{
    constexpr double WholeDigitsShown = 1e10;
    const double* number = std::get_if<double>(&value);
    if (number && std::abs(*number) < WholeDigitsShown && *number == std::trunc(*number))
        return qint64(*number);
    return std::nullopt;
}

int digitCount(qint64 number)
{
    const quint64 magnitude = number < 0 ? 0 - quint64(number) : quint64(number);
    int digits = 1;
    for (quint64 next = 10; digits < 19 && magnitude >= next; next *= 10)
        ++digits;
    return digits;
}

// A number under a number format: what decides the text it shows.
struct FormattedNumber {
    quint64 bits; // the number's own bits, so that 0 and -0 stay apart
    QString format;
    platform::grid::NumberWritten written;
    bool operator==(const FormattedNumber&) const = default;
};
struct FormattedNumberHash {
    std::size_t operator()(const FormattedNumber& key) const
    {
        return qHash(key.format, key.bits + quint64(key.written));
    }
};

// A text in a font within a width: what decides the size it shrinks to.
struct FittedText {
    QString text;
    platform::grid::TextFont font;
    int width;
    bool operator==(const FittedText&) const = default;
};
struct FittedTextHash {
    std::size_t operator()(const FittedText& key) const
    {
        return qHashMulti(0, key.text, key.width, key.font.name, key.font.size, key.font.bold);
    }
};

// What the cell shows, when it is not a text under the General format (which shows as it is). A whole
// number under the General format shows its digits, which need no formatting to be known; a number is
// formatted once for all the cells that show it.
QString shownText(const platform::grid::Sheet& grid, int row, int col,
    const platform::grid::CellFormat& style, bool general, const platform::grid::CellValue& value)
{
    if (general) {
        if (const auto whole = shownWholeNumber(value))
            return QString::number(*whole);
    }
    const double* number = std::get_if<double>(&value);
    if (!number)
        return grid.text(row, col);
    thread_local BoundedMemo<FormattedNumber, QString, FormattedNumberHash> formatted;
    const QString format = style.numberFormat.value_or(QString());
    const platform::grid::NumberWritten written = grid.numberWritten(row, col);
    return formatted({ std::bit_cast<quint64>(*number), format, written },
        [&] { return platform::grid::formatCellValue(value, format, written); });
}

// What a cell's style decides of its fit: its font and the bounds of widths in it, whether it wraps and
// whether it shows values in the General format. Kept for the style met last, which the cells of a
// detail row mostly share; a style's id and its sheet's styles serial name one format for good.
struct FitStyle {
    quint64 stylesSerial;
    int styleId;
    bool wrap;
    bool general;
    platform::grid::TextWidthBounds bounds;
};

const FitStyle& fitStyleOf(const platform::grid::Sheet& grid, int row, int col)
{
    thread_local std::optional<FitStyle> last;
    const quint64 serial = grid.stylesSerial();
    const int id = grid.styleId(row, col);
    if (!last || last->stylesSerial != serial || last->styleId != id) {
        const platform::grid::CellFormat& style = grid.cellStyle(row, col);
        last.emplace(FitStyle { serial, id, style.wrapText.value_or(false), isGeneral(style.numberFormat),
            platform::grid::TextWidthBounds(platform::grid::fontOf(style)) });
    }
    return *last;
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

double ShrunkFontSize(double designed, const std::function<bool(double)>& fits)
{
    if (designed <= MinShrinkFontPoints || fits(designed))
        return designed;
    // The sizes below the designed one are its whole number less 1, less 2...: the first that fits.
    const int whole = roundInt16(designed);
    const long long step = FirstHolding(1, whole - 1, [&](long long k) { return fits(double(whole - k)); });
    return std::max(MinShrinkFontPoints, double(whole - step));
}

void ShrinkToFit(platform::grid::Sheet& grid, const std::optional<platform::grid::CellValue>& written)
{
    const int row = grid.activeRow();
    const int col = grid.activeCol();
    const FitStyle& fit = fitStyleOf(grid, row, col);
    if (fit.wrap)
        return;
    const bool general = fit.general;
    const platform::grid::TextFont& font = fit.bounds.font();
    // The value just written is read where it is, without a copy of its text.
    std::optional<platform::grid::CellValue> stored;
    const platform::grid::CellValue& value = written ? *written : stored.emplace(grid.value(row, col));
    const int available = CellWidth(grid, row, col);
    // Most numbers fit by their count of digits alone, without a text to measure.
    if (const auto whole = general ? shownWholeNumber(value) : std::nullopt;
        whole && fit.bounds.wholeNumber(digitCount(*whole), *whole < 0) <= available)
        return;
    const QString* plainText = general ? std::get_if<QString>(&value) : nullptr;
    const QString formatted
        = plainText ? QString() : shownText(grid, row, col, grid.cellStyle(row, col), general, value);
    const QString& text = plainText ? *plainText : formatted;
    if (text.isEmpty() || fit.bounds.text(text) <= available)
        return;
    // A text wider than its bound is shaped at a few sizes: once for all the cells that show it.
    thread_local BoundedMemo<FittedText, double, FittedTextHash> shrunk;
    const double designed = font.size;
    const double size = shrunk({ text, font, available }, [&] {
        return ShrunkFontSize(designed, [&](double points) {
            platform::grid::TextFont smaller = font;
            smaller.size = points;
            return textWidth(text, smaller) <= available;
        });
    });
    if (size == designed)
        return;
    platform::grid::CellFormat smaller;
    smaller.fontSize = size;
    grid.applyFormatToSelection(smaller);
}

QString WidthFittedPiece(DataReportRun& run, const QString& value, int start, int count,
    const platform::grid::TextFont& font, long long page, int record)
{
    if (run.FieldSplitPage != page || run.FieldSplitRecord != record) {
        run.FieldSplitPage = page;
        run.FieldSplitRecord = record;
        run.FieldSplitNextStart = 1;
        run.FieldSplitLastText.clear();
    }
    if (value == run.FieldSplitLastText)
        start = run.FieldSplitNextStart;
    const int target = textWidth(QString(count, u'试') + QLatin1Char('T'), font);
    const int rest = int(value.size()) - start + 1;
    // The fewest characters from `count` on that are as wide as the target; the rest when none are.
    const int taken = int(FirstHolding(count, rest,
        [&](long long length) { return textWidth(value.mid(start - 1, length), font) >= target; }));
    run.FieldSplitNextStart = start + taken;
    run.FieldSplitLastText = value;
    return start >= 1 && start <= value.size() ? value.mid(start - 1, taken) : QString();
}

} // namespace engine
