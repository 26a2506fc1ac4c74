#pragma once

#include "CellGeometry.h"

#include <QColor>

class QPainter;

namespace platform::grid
{

class Sheet;

struct SheetPaintOptions {
    bool gridLines = true;
    QColor gridColor = QColor(0xD0, 0xD0, 0xD0);
    bool whiteBackground = true; // paper white under the cells; off to paint over what is there
    bool blackAndWhite = false; // no fills; texts and lines in black
};

// Draws a range of a sheet onto any QPainter (a widget, an image, a printer page): fills, grid
// lines, texts with their fonts, colours, alignment, wrapping and shrinking, borders of every style,
// merged blocks as one cell and pictures over their anchors. A merged block or a picture reaching
// past the range is drawn cut at the range's edge, so that pages and scrolled views show their part.
class SheetPainter
{
public:
    SheetPainter(const Sheet& sheet, const CellGeometry& geometry);
    void paint(QPainter& painter, const CellRange& range, const SheetPaintOptions& options = {}) const;

private:
    const Sheet& sheet_;
    const CellGeometry& geometry_;
};

} // namespace platform::grid
