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

// The advances of the characters met so far in one font, in pages of 256 characters made on first use.
class FontAdvances
{
public:
    explicit FontAdvances(const TextFont& font)
        : font_(font)
        , metrics_(qFontOf(font), &twipDevice())
    {
    }

    const TextFont& font() const { return font_; }

    qreal widestDigit()
    {
        if (widestDigit_ < 0) {
            for (char16_t c = u'0'; c <= u'9'; ++c)
                widestDigit_ = std::max(widestDigit_, advance(c));
        }
        return widestDigit_;
    }

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

private:
    TextFont font_;
    QFontMetricsF metrics_;
    qreal widestDigit_ = -1;
    std::array<std::unique_ptr<std::array<qreal, 256>>, 256> pages_;
};

bool sameFont(const TextFont& a, const TextFont& b)
{
    return a.size == b.size && a.bold == b.bold && a.italic == b.italic && a.underline == b.underline
        && a.name == b.name;
}

// The advances of a font, kept per thread so that no thread waits for another; the font asked last is
// looked at first, since the cells of a page share a few fonts.
FontAdvances& advancesOf(const TextFont& font)
{
    thread_local std::vector<std::unique_ptr<FontAdvances>> fonts;
    thread_local FontAdvances* last = nullptr;
    if (last && sameFont(last->font(), font))
        return *last;
    auto known
        = std::find_if(fonts.begin(), fonts.end(), [&](const auto& f) { return sameFont(f->font(), font); });
    if (known == fonts.end()) {
        fonts.push_back(std::make_unique<FontAdvances>(font));
        known = fonts.end() - 1;
    }
    last = known->get();
    return *last;
}

} // namespace

int textWidthBoundTwips(const QString& text, const TextFont& font)
{
    FontAdvances& advances = advancesOf(font);
    qreal width = 0;
    for (const QChar c : text) {
        if (c.isSurrogate() || c == u'\n')
            return measureTextTwips(text, font).width();
        width += advances.advance(c.unicode());
    }
    return int(std::ceil(width * kRoom));
}

int wholeNumberWidthBoundTwips(int digits, bool negative, const TextFont& font)
{
    FontAdvances& advances = advancesOf(font);
    const qreal width = digits * advances.widestDigit() + (negative ? advances.advance(u'-') : 0);
    // One twip more than the digits' own bound, so that adding up and multiplying round alike.
    return int(std::ceil(width * kRoom)) + 1;
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
