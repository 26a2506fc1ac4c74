#include "FormatTable.h"

#include <QHashFunctions>
#include <type_traits>

namespace platform::grid::io {

namespace {

template <typename T>
size_t part(const std::optional<T>& value)
{
    if (!value)
        return 0x9E3779B9u;
    if constexpr (std::is_enum_v<T> || std::is_same_v<T, bool>)
        return ::qHash(int(*value));
    else
        return ::qHash(*value);
}

size_t part(const std::optional<Border>& border)
{
    return border ? qHashMulti(0, int(border->style), border->color) : 0x9E3779B9u;
}

} // namespace

size_t qHash(const CellFormat& f, size_t seed)
{
    return qHashMulti(seed, part(f.numberFormat), part(f.hAlign), part(f.vAlign), part(f.wrapText),
                      part(f.shrinkToFit), part(f.mergeCells), part(f.fontName), part(f.fontSize), part(f.fontBold),
                      part(f.fontItalic), part(f.fontUnderline), part(f.fontStrikeOut), part(f.fontColor),
                      part(f.pattern), part(f.patternForeground), part(f.patternBackground), part(f.borders[0]),
                      part(f.borders[1]), part(f.borders[2]), part(f.borders[3]), part(f.borders[4]),
                      part(f.borders[5]));
}

int FormatTable::add(const CellFormat& format)
{
    if (lastIndex_ >= 0 && formats_[lastIndex_] == format)
        return lastIndex_;
    auto it = index_.constFind(format);
    if (it == index_.constEnd()) {
        it = index_.insert(format, int(formats_.size()));
        formats_.append(format);
    }
    lastIndex_ = it.value();
    return lastIndex_;
}

} // namespace platform::grid::io
