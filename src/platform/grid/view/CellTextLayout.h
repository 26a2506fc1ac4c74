#pragma once

#include <QRectF>
#include <QTextLayout>

class QPainter;

namespace platform::grid
{

// A cell's text broken into lines in twips, with a font sized in twips (cellFontInTwips: one pixel a
// twip). Where the lines break and where each letter stands depends on the font's face alone, never on
// the device: a screen font comes in whole pixels, at 96 dots per inch up to half a pixel larger or
// smaller than the printed letters, and laid out on its own would break a line a character earlier or
// later and stack its lines taller or shorter than their row. Laid out once in twips and placed on the
// device at the scale of its twips, the screen at any zoom shows the lines the printed page shows, each
// taking the same share of its row.
class CellTextLayout
{
public:
    // Lays the text out in `rect` (twips): aligned and, when the option wraps, broken at its width.
    CellTextLayout(const QString& text, const QFont& font, const QTextOption& option, const QRectF& rect);

    // Draws the lines with the painter's pen on a device of `scale` device units per twip, the twips
    // counted from `origin` (device units).
    void draw(QPainter& painter, QPointF origin, double scale) const;

private:
    QTextLayout layout_;
    QPointF offset_; // of the first line, as the option aligns the lines in the rect
};

} // namespace platform::grid
