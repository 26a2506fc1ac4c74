#include "TextMeasure.h"

#include "CellFormat.h"
#include "ReportFonts.h"
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <vector>

namespace platform::grid
{

namespace
{

// Metrics are taken on an image of 1440 dots per inch, where one pixel is one twip: the result
// depends on the font file alone, not on the screen.
constexpr int kTwipDotsPerMeter = 56693; // 1440 dpi

const QImage& twipDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        image.setDotsPerMeterX(kTwipDotsPerMeter);
        image.setDotsPerMeterY(kTwipDotsPerMeter);
        return image;
    }();
    return device;
}

} // namespace

QFont qFontOf(const TextFont& font)
{
    useReportFonts();
    QFont result(reportFontFamilies(font.name));
    result.setPointSizeF(font.size > 0 ? font.size : kDefaultFontSize);
    result.setBold(font.bold);
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    result.setHintingPreference(QFont::PreferNoHinting);
    return result;
}

QSize measureTextTwips(const QString& text, const TextFont& font)
{
    const QFontMetricsF metrics(qFontOf(font), &twipDevice());
    const QStringList lines
        = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n');
    qreal width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    const qreal height = metrics.lineSpacing() * qreal(lines.size());
    return QSize(int(std::ceil(width)), int(std::ceil(height)));
}

namespace
{

// Room for rounding and for the rare pair of characters that a font sets apart.
constexpr qreal kRoom = 1.02;

// The width with room, rounded up to whole twips. Widths are never negative, so truncating and adding one
// for a fraction rounds up, without a call to ceil() for every cell.
int roundedUp(qreal width)
{
    const qreal withRoom = width * kRoom;
    const int whole = int(withRoom);
    return whole + (withRoom > whole ? 1 : 0);
}

} // namespace

// The advances of the characters met so far in one font, in pages of 256 characters made on first use.
class FontAdvances
{
public:
    explicit FontAdvances(const TextFont& font)
        : font_(font)
        , metrics_(qFontOf(font), &twipDevice())
    {
        wholeNumberBounds_.fill(-1);
    }

    const TextFont& font() const { return font_; }

    qreal advance(char16_t c)
    {
        auto& page = pages_[c >> 8];
        if (!page) {
            page = std::make_unique<std::array<qreal, 256>>();
            page->fill(-1);
        }
        qreal& known = (*page)[c & 0xFF];
        if (known < 0)
            known = metrics_.horizontalAdvance(QChar(c));
        return known;
    }

    int wholeNumberBound(int digits, bool negative)
    {
        const size_t slot = size_t(digits) * 2 + (negative ? 1 : 0);
        if (slot < wholeNumberBounds_.size() && wholeNumberBounds_[slot] >= 0)
            return wholeNumberBounds_[slot];
        qreal widestDigit = 0;
        for (char16_t c = u'0'; c <= u'9'; ++c)
            widestDigit = std::max(widestDigit, advance(c));
        // One twip more than the digits' own bound, so that adding up and multiplying round alike.
        const int bound = roundedUp(digits * widestDigit + (negative ? advance(u'-') : 0)) + 1;
        if (slot < wholeNumberBounds_.size())
            wholeNumberBounds_[slot] = bound;
        return bound;
    }

private:
    TextFont font_;
    QFontMetricsF metrics_;
    std::array<int, 2 * 20> wholeNumberBounds_; // by digit count and sign
    std::array<std::unique_ptr<std::array<qreal, 256>>, 256> pages_;
};

namespace
{

bool sameFont(const TextFont& a, const TextFont& b)
{
    return a.size == b.size && a.bold == b.bold && a.italic == b.italic && a.underline == b.underline
        && a.name == b.name;
}

// The advances of a font, kept per thread so that no thread waits for another, for as long as the
// thread runs.
FontAdvances& advancesOf(const TextFont& font)
{
    thread_local std::vector<std::unique_ptr<FontAdvances>> fonts;
    auto known
        = std::find_if(fonts.begin(), fonts.end(), [&](const auto& f) { return sameFont(f->font(), font); });
    if (known != fonts.end())
        return **known;
    fonts.push_back(std::make_unique<FontAdvances>(font));
    return *fonts.back();
}

} // namespace

TextWidthBounds::TextWidthBounds(const TextFont& font)
    : advances_(&advancesOf(font))
{
}

const TextFont& TextWidthBounds::font() const
{
    return advances_->font();
}

int TextWidthBounds::text(QStringView text) const
{
    qreal width = 0;
    for (const QChar c : text) {
        if (c.isSurrogate() || c == u'\n')
            return measureTextTwips(text.toString(), advances_->font()).width();
        width += advances_->advance(c.unicode());
    }
    return roundedUp(width);
}

int TextWidthBounds::wholeNumber(int digits, bool negative) const
{
    return advances_->wholeNumberBound(digits, negative);
}

TextFont fontOf(const CellFormat& format)
{
    TextFont font;
    font.name = format.fontName ? *format.fontName : QString::fromUtf8(kDefaultFontName);
    font.size = format.fontSize.value_or(kDefaultFontSize);
    font.bold = format.fontBold.value_or(false);
    font.italic = format.fontItalic.value_or(false);
    font.underline = format.fontUnderline.value_or(false);
    return font;
}

} // namespace platform::grid
