#pragma once

#include "platform/grid/CellFormat.h"

#include <QBrush>
#include <QColor>
#include <QFont>

class QPaintDevice;

namespace platform::grid
{

// The drawing tools that a cell format stands for.

// A colour of a format (0xRRGGBB).
inline QColor formatColor(QRgb rgb)
{
    return QColor(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

// The cell's font sized in twips, one pixel a twip, for texts laid out in twips (CellTextLayout).
QFont cellFontInTwips(const CellFormat& format);

// The cell's font sized for a device on which one twip is `scale` device units: a 10.5 point text
// is as tall, relative to its cell, on the screen at any zoom as on paper.
QFont deviceFont(const CellFormat& format, double scale, const QPaintDevice* device);

// The brush of the cell's fill: none for pattern 0, the foreground colour for pattern 1, and for the
// other pattern codes the foreground colour in the pattern's dots or lines (over the background,
// which fillBackground gives).
QBrush fillBrush(const CellFormat& format);
bool hasFill(const CellFormat& format);
QColor fillBackground(const CellFormat& format);

// How a text lies in its cell: the format's alignment, and for General alignment the value's own
// (numbers to the right, logical and error values centred, texts to the left).
Qt::Alignment textAlignment(const CellFormat& format, const CellValue& value);

} // namespace platform::grid
