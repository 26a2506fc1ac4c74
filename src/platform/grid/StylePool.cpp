#include "StylePool.h"

#include <algorithm>
#include <atomic>
#include <QHash>

namespace platform::grid::internal
{

namespace
{

template <typename T> size_t hashOf(const std::optional<T>& value, size_t seed)
{
    if (!value)
        return qHash(-1, seed);
    if constexpr (std::is_enum_v<T>)
        return qHash(int(*value), seed);
    else
        return qHash(*value, seed);
}

size_t hashOf(const std::optional<Border>& border, size_t seed)
{
    if (!border)
        return qHash(-1, seed);
    return qHashMulti(seed, int(border->style), border->color);
}

template <typename T> void overlay(std::optional<T>& target, const std::optional<T>& change)
{
    if (change)
        target = change;
}

QRgb withoutAlpha(QRgb color)
{
    return color & 0xFFFFFF;
}

} // namespace

size_t CellFormatHash::operator()(const CellFormat& f) const
{
    size_t seed = 0;
    seed = hashOf(f.numberFormat, seed);
    seed = hashOf(f.hAlign, seed);
    seed = hashOf(f.vAlign, seed);
    seed = hashOf(f.wrapText, seed);
    seed = hashOf(f.shrinkToFit, seed);
    seed = hashOf(f.mergeCells, seed);
    seed = hashOf(f.fontName, seed);
    seed = hashOf(f.fontSize, seed);
    seed = hashOf(f.fontBold, seed);
    seed = hashOf(f.fontItalic, seed);
    seed = hashOf(f.fontUnderline, seed);
    seed = hashOf(f.fontStrikeOut, seed);
    seed = hashOf(f.fontColor, seed);
    seed = hashOf(f.pattern, seed);
    seed = hashOf(f.patternForeground, seed);
    seed = hashOf(f.patternBackground, seed);
    for (const auto& border : f.borders)
        seed = hashOf(border, seed);
    return seed;
}

StylePool::StylePool()
{
    intern(defaultFormat());
}

StylePool::StylePool(const StylePool& other)
    : formats_(other.formats_)
    , ids_(other.ids_)
{
}

StylePool& StylePool::operator=(const StylePool& other)
{
    if (this != &other) {
        serial_ = nextSerial();
        formats_ = other.formats_;
        ids_ = other.ids_;
    }
    return *this;
}

quint64 StylePool::nextSerial()
{
    static std::atomic<quint64> last { 0 };
    return ++last;
}

CellFormat StylePool::defaultFormat()
{
    CellFormat f;
    f.numberFormat = QStringLiteral("General");
    f.hAlign = HAlign::General;
    f.vAlign = VAlign::Bottom;
    f.wrapText = false;
    f.shrinkToFit = false;
    f.mergeCells = false;
    f.fontName = QString::fromUtf8(kDefaultFontName);
    f.fontSize = kDefaultFontSize;
    f.fontBold = false;
    f.fontItalic = false;
    f.fontUnderline = false;
    f.fontStrikeOut = false;
    f.fontColor = 0x000000;
    f.pattern = 0;
    f.patternForeground = 0xFFFFFF;
    f.patternBackground = 0xFFFFFF;
    for (auto& border : f.borders)
        border = Border {};
    return f;
}

quint32 StylePool::intern(const CellFormat& fullFormat)
{
    auto found = ids_.find(fullFormat);
    if (found != ids_.end())
        return found->second;
    const auto id = quint32(formats_.size());
    formats_.push_back(fullFormat);
    ids_.emplace(fullFormat, id);
    return id;
}

quint32 StylePool::intern(const CellFormat& fullFormat, quint32 likelyId)
{
    if (likelyId < formats_.size() && formats_[likelyId] == fullFormat)
        return likelyId;
    return intern(fullFormat);
}

quint32 StylePool::withChanges(quint32 id, const CellFormat& changes)
{
    CellFormat f = formats_[id];
    overlay(f.numberFormat, changes.numberFormat);
    overlay(f.hAlign, changes.hAlign);
    overlay(f.vAlign, changes.vAlign);
    overlay(f.wrapText, changes.wrapText);
    overlay(f.shrinkToFit, changes.shrinkToFit);
    overlay(f.fontName, changes.fontName);
    if (changes.fontSize)
        f.fontSize = std::clamp(*changes.fontSize, kMinFontSize, kMaxFontSize);
    overlay(f.fontBold, changes.fontBold);
    overlay(f.fontItalic, changes.fontItalic);
    overlay(f.fontUnderline, changes.fontUnderline);
    overlay(f.fontStrikeOut, changes.fontStrikeOut);
    if (changes.fontColor)
        f.fontColor = withoutAlpha(*changes.fontColor);
    if (changes.pattern)
        f.pattern = std::max(0, *changes.pattern);
    if (changes.patternForeground)
        f.patternForeground = withoutAlpha(*changes.patternForeground);
    if (changes.patternBackground)
        f.patternBackground = withoutAlpha(*changes.patternBackground);
    for (auto side : { BorderSide::Top, BorderSide::Left, BorderSide::Bottom, BorderSide::Right }) {
        if (const auto& border = changes.border(side))
            f.border(side) = Border { border->style, withoutAlpha(border->color) };
    }
    return intern(f);
}

} // namespace platform::grid::internal
