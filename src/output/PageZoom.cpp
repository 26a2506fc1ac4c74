#include "output/PageZoom.h"

#include "platform/grid/view/GridView.h"

#include <algorithm>

namespace output
{

namespace
{

int centred(int area, double page, int zoom)
{
    return std::max(0, int((area - page * zoom / 100.0) / 2));
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
    const bool byWidth = page.width() > 0 && page.width() * zoom / 100.0 > area.width();
    if (byWidth)
        zoom = truncatedPercent(area.width(), page.width());
    zoom = std::clamp(zoom, GridView::kMinZoom, GridView::kMaxZoom);
    return { zoom, centred(area.width(), page.width(), zoom),
        byWidth ? centred(area.height(), page.height(), zoom) : 0 };
}

PagePlacement NaturalSize(QSize area, QSizeF page)
{
    return { 100, centred(area.width(), page.width(), 100) };
}

} // namespace output
