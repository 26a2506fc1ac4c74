#include "CellLook.h"

#include "platform/grid/NumberFormat.h"
#include "platform/grid/TextMeasure.h"

#include <algorithm>
#include <cmath>
#include <QPaintDevice>

namespace platform::grid
{

namespace
{

Qt::BrushStyle patternStyle(int pattern)
{
    switch (pattern) {
    case 1:
        return Qt::SolidPattern;
    case 2:
        return Qt::Dense4Pattern; // 50 % grey
    case 3:
        return Qt::Dense2Pattern; // 75 % grey
    case 4:
        return Qt::Dense6Pattern; // 25 % grey
    case 5:
    case 11:
        return Qt::HorPattern;
    case 6:
    case 12:
        return Qt::VerPattern;
    case 7:
    case 13:
        return Qt::BDiagPattern;
    case 8:
    case 14:
        return Qt::FDiagPattern;
    case 15:
        return Qt::CrossPattern;
    case 9:
    case 10:
    case 16:
        return Qt::DiagCrossPattern;
    case 17:
        return Qt::Dense6Pattern; // 12.5 % grey
    case 18:
        return Qt::Dense7Pattern; // 6.25 % grey
    default:
        return Qt::NoBrush;
    }
}

Qt::Alignment horizontal(HAlign align, const CellValue& value)
{
    switch (align) {
    case HAlign::General:
        if (std::holds_alternative<double>(value))
            return Qt::AlignRight;
        if (std::holds_alternative<bool>(value) || std::holds_alternative<CellError>(value))
            return Qt::AlignHCenter;
        return Qt::AlignLeft;
    case HAlign::Left:
    case HAlign::Fill:
        return Qt::AlignLeft;
    case HAlign::Center:
    case HAlign::CenterAcross:
        return Qt::AlignHCenter;
    case HAlign::Right:
        return Qt::AlignRight;
    case HAlign::Justify:
        return Qt::AlignJustify;
    }
    return Qt::AlignLeft;
}

Qt::Alignment vertical(VAlign align)
{
    switch (align) {
    case VAlign::Top:
        return Qt::AlignTop;
    case VAlign::Center:
        return Qt::AlignVCenter;
    case VAlign::Bottom:
        return Qt::AlignBottom;
    }
    return Qt::AlignBottom;
}

constexpr int kTwipsPerPoint = 20;

QFont cellFont(const CellFormat& format)
{
    QFont font = qFontOf(fontOf(format));
    font.setStrikeOut(format.fontStrikeOut.value_or(false));
    return font;
}

} // namespace

QFont cellFontInTwips(const CellFormat& format)
{
    QFont font = cellFont(format);
    font.setPixelSize(std::max(1, int(std::lround(font.pointSizeF() * kTwipsPerPoint))));
    return font;
}

QFont deviceFont(const CellFormat& format, double scale, const QPaintDevice* device)
{
    QFont font = cellFont(format);
    const double dpi = device ? device->logicalDpiY() : 96.0;
    font.setPointSizeF(font.pointSizeF() * kTwipsPerInch * scale / dpi);
    return font;
}

bool hasFill(const CellFormat& format)
{
    return patternStyle(format.pattern.value_or(0)) != Qt::NoBrush;
}

QBrush fillBrush(const CellFormat& format)
{
    return QBrush(
        formatColor(format.patternForeground.value_or(0xFFFFFF)), patternStyle(format.pattern.value_or(0)));
}

QColor fillBackground(const CellFormat& format)
{
    return formatColor(format.patternBackground.value_or(0xFFFFFF));
}

Qt::Alignment textAlignment(const CellFormat& format, const CellValue& value)
{
    // A number in the text format "@" lies as the text it shows, as a workbook holds it.
    const bool asText
        = std::holds_alternative<double>(value) && format.numberFormat && isTextFormat(*format.numberFormat);
    return horizontal(format.hAlign.value_or(HAlign::General), asText ? CellValue(QString()) : value)
        | vertical(format.vAlign.value_or(VAlign::Bottom));
}

} // namespace platform::grid
