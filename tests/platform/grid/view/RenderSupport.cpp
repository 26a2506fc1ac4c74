#include "RenderSupport.h"

#include <QPainter>

namespace platform::grid
{

namespace
{

constexpr double kScreenScale = 1.0 / 15;

CellGeometry placed(SheetLayout& layout, const Sheet& sheet, const CellRange& range)
{
    layout.update(sheet);
    return CellGeometry(layout, range.row1, range.col1, QPointF(0, 0), kScreenScale);
}

} // namespace

RenderedSheet::RenderedSheet(const Sheet& sheet, const CellRange& range, const SheetPaintOptions& options)
    : geometry_(placed(layout_, sheet, range))
{
    const QRect area = geometry_.rect(range).toRect();
    image_ = QImage(area.width() + 4, area.height() + 4, QImage::Format_RGB32);
    image_.fill(Qt::white);
    QPainter painter(&image_);
    SheetPainter(sheet, geometry_).paint(painter, range, options);
}

bool isDark(QRgb pixel)
{
    return qGray(pixel) < 110;
}

bool isWhite(QRgb pixel)
{
    return qRed(pixel) > 250 && qGreen(pixel) > 250 && qBlue(pixel) > 250;
}

int countPixels(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& test)
{
    const QRect r = area.intersected(image.rect());
    int count = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

int darkPixels(const QImage& image, const QRect& area)
{
    return countPixels(image, area, isDark);
}

QRect inkBounds(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& test)
{
    const QRect r = area.intersected(image.rect());
    QRect bounds;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (test(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

} // namespace platform::grid
