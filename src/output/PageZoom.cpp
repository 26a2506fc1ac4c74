#include "output/PageZoom.h"

#include "platform/grid/view/GridView.h"

#include <algorithm>

namespace output
{

namespace
{

int centredLeft(int areaWidth, double pageWidth, int zoom)
{
    return std::max(0, int((areaWidth - pageWidth * zoom / 100.0) / 2));
}

int truncatedPercent(double part, double whole)
{
    return int(part / whole * 100);
}

} // namespace

PagePlacement FitPage(QSize area, QSizeF page)
{
    using platform::grid::GridView;
    if (page.height() <= 0)
        return NaturalSize(area, page);
    int zoom = truncatedPercent(area.height(), page.height());
    if (page.width() > 0 && page.width() * zoom / 100.0 > area.width())
        zoom = truncatedPercent(area.width(), page.width());
    zoom = std::clamp(zoom, GridView::kMinZoom, GridView::kMaxZoom);
    return { zoom, centredLeft(area.width(), page.width(), zoom) };
}

PagePlacement NaturalSize(QSize area, QSizeF page)
{
    return { 100, centredLeft(area.width(), page.width(), 100) };
}

} // namespace output
