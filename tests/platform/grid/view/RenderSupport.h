#pragma once

#include "platform/grid/Sheet.h"
#include "platform/grid/view/AxisLayout.h"
#include "platform/grid/view/CellGeometry.h"
#include "platform/grid/view/SheetPainter.h"

#include <functional>
#include <QImage>

namespace platform::grid
{

// A range of a sheet painted at 100 % (15 twips a pixel) onto a white image, its first cell at the
// image's corner, with the positions of its cells.
class RenderedSheet
{
public:
    RenderedSheet(const Sheet& sheet, const CellRange& range, const SheetPaintOptions& options = {});
    RenderedSheet(const RenderedSheet&) = delete;

    const QImage& image() const { return image_; }
    int x(int col) const { return int(geometry_.x(col)); }
    int y(int row) const { return int(geometry_.y(row)); }
    QRect rect(const CellRange& cells) const { return geometry_.rect(cells).toRect(); }
    QRect rect(int row, int col) const { return rect(CellRange::cell(row, col)); }
    // The cell's inside, one pixel clear of its grid lines and borders.
    QRect inside(int row, int col) const { return rect(row, col).adjusted(3, 3, -3, -3); }

private:
    SheetLayout layout_;
    CellGeometry geometry_;
    QImage image_;
};

bool isDark(QRgb pixel); // text and black lines
bool isWhite(QRgb pixel); // paper
int countPixels(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& test);
int darkPixels(const QImage& image, const QRect& area);
// The smallest rectangle holding every pixel of the area that passes `test` (dark ones unless told);
// empty when there is none.
QRect inkBounds(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& test = isDark);

} // namespace platform::grid
