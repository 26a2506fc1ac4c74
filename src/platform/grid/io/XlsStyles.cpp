#include "XlsStyles.h"

#include "XlsPalette.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <QHash>
#include <QStringList>
#include <tuple>

namespace platform::grid::io
{

namespace
{

constexpr int kFirstCellXf = XlsStyles::kDefaultXf + 1;
constexpr int kMaxXfCount = 4000; // the file format allows about 4050
constexpr int kRequiredFonts = 4; // font 0 and its three copies; index 4 does not exist
constexpr quint16 kFirstCustomFormat = 164;
constexpr quint16 kWindowTextColor = 64;
constexpr quint16 kWindowBackgroundColor = 65;
constexpr int kMaxPattern = 18;

struct FontKey {
    QString name;
    int heightTwips;
    bool bold, italic, underline, strikeOut;
    quint16 color;
    bool operator==(const FontKey&) const = default;
};

size_t qHash(const FontKey& k, size_t seed = 0)
{
    return qHashMulti(
        seed, k.name, k.heightTwips, int(k.bold), int(k.italic), int(k.underline), int(k.strikeOut), k.color);
}

FontKey fontKey(const CellFormat& f, const XlsPalette& palette)
{
    return { f.fontName.value_or(kDefaultFontName),
        int(std::lround(f.fontSize.value_or(kDefaultFontSize) * 20)), f.fontBold.value_or(false),
        f.fontItalic.value_or(false), f.fontUnderline.value_or(false), f.fontStrikeOut.value_or(false),
        palette.index(f.fontColor.value_or(qRgb(0, 0, 0))) };
}

void writeFont(BiffWriter& out, const FontKey& font)
{
    out.begin(biff::Font);
    out.u16(quint16(font.heightTwips));
    // Bit 0 repeats the weight for older readers, which look at it instead.
    out.u16(quint16((font.bold ? 0x01 : 0) | (font.italic ? 0x02 : 0) | (font.strikeOut ? 0x08 : 0)));
    out.u16(font.color);
    out.u16(font.bold ? 700 : 400);
    out.u16(0); // neither superscript nor subscript
    out.u8(font.underline ? 1 : 0); // single underline
    out.u8(0); // family
    out.u8(1); // character set: the system default
    out.u8(0);
    out.shortString(font.name);
    out.end();
}

// The number formats every reader knows by index without a FORMAT record.
std::optional<quint16> builtInFormat(const QString& code)
{
    static const QHash<QString, quint16> builtIn = {
        { QStringLiteral("General"), 0 },
        { QStringLiteral("0"), 1 },
        { QStringLiteral("0.00"), 2 },
        { QStringLiteral("#,##0"), 3 },
        { QStringLiteral("#,##0.00"), 4 },
        { QStringLiteral("0%"), 9 },
        { QStringLiteral("0.00%"), 10 },
        { QStringLiteral("0.00E+00"), 11 },
        { QStringLiteral("@"), 49 },
    };
    if (code.isEmpty())
        return 0;
    const auto it = builtIn.constFind(code);
    return it == builtIn.constEnd() ? std::nullopt : std::optional<quint16>(it.value());
}

bool hasPattern(const CellFormat& f)
{
    return f.pattern.value_or(0) > 0;
}

Border sideOf(const CellFormat& f, BorderSide side)
{
    return f.border(side).value_or(Border {});
}

void collectColors(const CellFormat& f, XlsPalette& palette)
{
    palette.use(f.fontColor.value_or(qRgb(0, 0, 0)));
    for (const auto& border : f.borders) {
        if (border && border->style != BorderStyle::None)
            palette.use(border->color);
    }
    if (hasPattern(f)) {
        palette.use(f.patternForeground.value_or(qRgb(0, 0, 0)));
        palette.use(f.patternBackground.value_or(qRgb(255, 255, 255)));
    }
}

struct XfFields {
    quint16 font = 0;
    quint16 format = 0;
    quint16 typeAndProtection = 0x0001; // locked cell whose parent is style XF 0
    quint8 alignment = 0x20; // general, bottom
    quint8 indentAndShrink = 0;
    quint8 usedAttributes = 0;
    quint32 borderStyles = 0;
    quint32 bordersAndFill = 0;
    quint16 fillColors = kWindowTextColor | (kWindowBackgroundColor << 7);
};

void writeXf(BiffWriter& out, const XfFields& xf)
{
    out.begin(biff::Xf);
    out.u16(xf.font);
    out.u16(xf.format);
    out.u16(xf.typeAndProtection);
    out.u8(xf.alignment);
    out.u8(0); // rotation
    out.u8(xf.indentAndShrink);
    out.u8(xf.usedAttributes);
    out.u32(xf.borderStyles);
    out.u32(xf.bordersAndFill);
    out.u16(xf.fillColors);
    out.end();
}

XfFields cellXf(const CellFormat& f, quint16 font, quint16 format, const XlsPalette& palette)
{
    auto line = [&](BorderSide side) { return quint32(sideOf(f, side).style) & 0xF; };
    auto color = [&](BorderSide side) {
        const Border b = sideOf(f, side);
        return b.style == BorderStyle::None ? 0u : quint32(palette.index(b.color));
    };
    XfFields xf;
    xf.font = font;
    xf.format = format;
    const int hAlign = int(f.hAlign.value_or(HAlign::General)) - 1;
    const int vAlign = int(f.vAlign.value_or(VAlign::Bottom)) - 1;
    xf.alignment = quint8((hAlign & 0x7) | (f.wrapText.value_or(false) ? 0x08 : 0) | ((vAlign & 0x7) << 4));
    xf.indentAndShrink = f.shrinkToFit.value_or(false) ? 0x10 : 0;
    xf.usedAttributes
        = 0xFC; // number format, font, alignment, borders, fill and protection are the cell's own
    xf.borderStyles = line(BorderSide::Left) | line(BorderSide::Right) << 4 | line(BorderSide::Top) << 8
        | line(BorderSide::Bottom) << 12 | color(BorderSide::Left) << 16 | color(BorderSide::Right) << 23;
    const quint32 pattern = quint32(std::clamp(f.pattern.value_or(0), 0, kMaxPattern));
    xf.bordersAndFill = color(BorderSide::Top) | color(BorderSide::Bottom) << 7 | pattern << 26;
    if (hasPattern(f)) {
        xf.fillColors = quint16(palette.index(f.patternForeground.value_or(qRgb(0, 0, 0)))
            | palette.index(f.patternBackground.value_or(qRgb(255, 255, 255))) << 7);
    }
    return xf;
}

} // namespace

quint16 XlsStyles::xfFor(const CellFormat& format)
{
    const qsizetype known = formats_.indexOf(format);
    if (known >= 0)
        return quint16(kFirstCellXf + known);
    if (formats_.size() == kMaxXfCount - kFirstCellXf)
        return kDefaultXf;
    formats_.append(format);
    return quint16(kFirstCellXf + formats_.size() - 1);
}

void XlsStyles::write(BiffWriter& out) const
{
    XlsPalette palette;
    palette.use(qRgb(0, 0, 0));
    for (const CellFormat& f : formats_)
        collectColors(f, palette);
    palette.assign();

    const FontKey defaultFont = fontKey(CellFormat {}, palette);
    QHash<FontKey, quint16> fontIndex;
    fontIndex.insert(defaultFont, 0);
    for (int i = 0; i < kRequiredFonts; ++i)
        writeFont(out, defaultFont);

    QHash<QString, quint16> formatIndex;
    QStringList customFormats; // in the order of their numbers, from kFirstCustomFormat
    QList<std::tuple<quint16, quint16>> cellXfs; // font and number format of each cell XF
    for (const CellFormat& f : formats_) {
        const FontKey font = fontKey(f, palette);
        auto fontIt = fontIndex.constFind(font);
        if (fontIt == fontIndex.constEnd()) {
            // Font records after the required four are numbered from 5.
            fontIt = fontIndex.insert(font, quint16(fontIndex.size() + kRequiredFonts));
            writeFont(out, font);
        }
        const QString code = f.numberFormat.value_or(QString());
        std::optional<quint16> format = builtInFormat(code);
        if (!format) {
            auto formatIt = formatIndex.constFind(code);
            if (formatIt == formatIndex.constEnd()) {
                formatIt = formatIndex.insert(code, quint16(kFirstCustomFormat + customFormats.size()));
                customFormats.append(code);
            }
            format = formatIt.value();
        }
        cellXfs.append({ fontIt.value(), *format });
    }

    for (qsizetype i = 0; i < customFormats.size(); ++i) {
        out.begin(biff::Format);
        out.u16(quint16(kFirstCustomFormat + i));
        out.string(customFormats[i].left(255));
        out.end();
    }

    XfFields styleXf;
    styleXf.typeAndProtection = 0xFFF5; // a cell style, locked, without parent
    for (int i = 0; i < kDefaultXf; ++i) {
        styleXf.usedAttributes = i == 0 ? 0 : 0xF4;
        writeXf(out, styleXf);
    }
    writeXf(out, XfFields {});
    for (int i = 0; i < cellXfs.size(); ++i) {
        const auto [font, format] = cellXfs[i];
        writeXf(out, cellXf(formats_[i], font, format, palette));
    }

    out.begin(biff::Style); // the built-in "Normal" style on XF 0
    out.u16(0x8000);
    out.u8(0);
    out.u8(0xFF);
    out.end();

    palette.write(out);
}

} // namespace platform::grid::io
