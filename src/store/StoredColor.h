#pragma once

#include <QRgb>
#include <QtGlobal>

namespace store
{

// Colours in the report tables (FONTCOLOR, BORDERCOLOR) are 32-bit longs laid out as 0x00BBGGRR, the way
// the archive application has always stored them; the grid works with 0xRRGGBB. These two are the only
// place where one becomes the other.
constexpr qint32 toStoredColor(QRgb rgb)
{
    return qint32(((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu));
}

constexpr QRgb fromStoredColor(qint32 stored)
{
    const quint32 bits = quint32(stored);
    return ((bits & 0xFFu) << 16) | (bits & 0xFF00u) | ((bits >> 16) & 0xFFu);
}

} // namespace store
