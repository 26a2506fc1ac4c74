#pragma once

#include "platform/grid/CellFormat.h"
#include "platform/grid/PageSetup.h"

#include <cmath>
#include <QJsonObject>
#include <QJsonValue>
#include <type_traits>

// The names under which the sheet file stores format and page-setup properties, listed once for
// writing and reading.
namespace platform::grid::io::vts
{

template <typename Format, typename Visit> void forEachFormatField(Format& f, Visit&& visit)
{
    visit("numberFormat", f.numberFormat);
    visit("hAlign", f.hAlign);
    visit("vAlign", f.vAlign);
    visit("wrap", f.wrapText);
    visit("shrink", f.shrinkToFit);
    visit("merge", f.mergeCells);
    visit("fontName", f.fontName);
    visit("fontSize", f.fontSize);
    visit("bold", f.fontBold);
    visit("italic", f.fontItalic);
    visit("underline", f.fontUnderline);
    visit("strikeOut", f.fontStrikeOut);
    visit("fontColor", f.fontColor);
    visit("pattern", f.pattern);
    visit("patternForeground", f.patternForeground);
    visit("patternBackground", f.patternBackground);
}

template <typename Setup, typename Visit> void forEachPageField(Setup& p, Visit&& visit)
{
    visit("paperSize", p.paperSize);
    visit("customWidthCm", p.customWidthCm);
    visit("customHeightCm", p.customHeightCm);
    visit("landscape", p.landscape);
    visit("header", p.header);
    visit("footer", p.footer);
    visit("leftMargin", p.leftMargin);
    visit("rightMargin", p.rightMargin);
    visit("topMargin", p.topMargin);
    visit("bottomMargin", p.bottomMargin);
    visit("headerMargin", p.headerMargin);
    visit("footerMargin", p.footerMargin);
    visit("scalePercent", p.scalePercent);
    visit("fitPagesWide", p.fitPagesWide);
    visit("centerHorizontally", p.centerHorizontally);
    visit("centerVertically", p.centerVertically);
    visit("printGridLines", p.printGridLines);
    visit("printHeadings", p.printHeadings);
    visit("blackAndWhite", p.blackAndWhite);
    visit("leftToRight", p.leftToRight);
}

// Colours keep their alpha byte, so they are stored as plain numbers.
template <typename T> QJsonValue toJson(const T& value)
{
    if constexpr (std::is_enum_v<T>)
        return int(value);
    else if constexpr (std::is_same_v<T, QRgb>)
        return qint64(value);
    else
        return value;
}

template <typename T> T fromJson(const QJsonValue& value)
{
    if constexpr (std::is_enum_v<T>)
        return T(value.toInt());
    else if constexpr (std::is_same_v<T, QRgb>)
        return QRgb(value.toInteger());
    else if constexpr (std::is_same_v<T, bool>)
        return value.toBool();
    else if constexpr (std::is_same_v<T, int>)
        return value.toInt();
    else if constexpr (std::is_same_v<T, double>)
        return value.toDouble();
    else
        return value.toString();
}

// Whether a number is a whole number of at most 15 digits, which the file writes as those digits: read
// back without the characters it was written with, such a number counts as written as its digits.
inline bool isWholeDigits(double number)
{
    constexpr double WholeDigits = 1e15;
    return std::abs(number) < WholeDigits && number == std::trunc(number);
}

} // namespace platform::grid::io::vts
