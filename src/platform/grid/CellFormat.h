#pragma once

#include "GridTypes.h"
#include <array>
#include <optional>
#include <QRgb>

namespace platform::grid
{

struct Border {
    BorderStyle style = BorderStyle::None;
    QRgb color = 0; // 0xRRGGBB, black
    bool operator==(const Border&) const = default;
};

// A cell-format object with only-what-is-set semantics: applying it to a range changes exactly the
// properties that hold a value. Reading one cell's format gives a fully set object; reading a range's
// format sets the properties that all its cells share. Colours are 0xRRGGBB (an alpha byte is ignored);
// font sizes are points (10.5 is a common body size).
struct CellFormat {
    std::optional<QString> numberFormat;
    std::optional<HAlign> hAlign;
    std::optional<VAlign> vAlign;
    std::optional<bool> wrapText;
    std::optional<bool> shrinkToFit;
    std::optional<bool> mergeCells;

    std::optional<QString> fontName;
    std::optional<double> fontSize;
    std::optional<bool> fontBold;
    std::optional<bool> fontItalic;
    std::optional<bool> fontUnderline;
    std::optional<bool> fontStrikeOut;
    std::optional<QRgb> fontColor;

    // Fill pattern: 0 none, 1 solid, further codes as the spreadsheet numbers them.
    std::optional<int> pattern;
    std::optional<QRgb> patternForeground;
    std::optional<QRgb> patternBackground;

    // Indexed by borderIndex(side): top, left, bottom, right, inner vertical, inner horizontal.
    std::array<std::optional<Border>, 6> borders;

    static int borderIndex(BorderSide side)
    {
        switch (side) {
        case BorderSide::Top:
            return 0;
        case BorderSide::Left:
            return 1;
        case BorderSide::Bottom:
            return 2;
        case BorderSide::Right:
            return 3;
        case BorderSide::InnerVertical:
            return 4;
        case BorderSide::InnerHorizontal:
            return 5;
        }
        return 0;
    }
    std::optional<Border>& border(BorderSide side) { return borders[borderIndex(side)]; }
    const std::optional<Border>& border(BorderSide side) const { return borders[borderIndex(side)]; }

    bool operator==(const CellFormat&) const = default;
};

// The default look of a cell that nobody formatted.
inline constexpr const char* kDefaultFontName = "宋体";
inline constexpr double kDefaultFontSize = 10.5;

} // namespace platform::grid
