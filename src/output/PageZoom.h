#pragma once

#include <QSize>
#include <QSizeF>

// Where a page goes in the page area of an output window, and at which zoom: fitted to the area, or
// at its natural size. Sizes are screen pixels; a page's size is its size at 100 %.
namespace output
{

struct PagePlacement {
    int zoom = 100; // percent
    int left = 0; // from the page area's left edge, so that the page stands centred
    int top = 0; // from its top edge: a page fitted by its width stands in the middle of the height
    bool operator==(const PagePlacement&) const = default;
};

// The page fitted by its height (centred across), or by its width when it would then be wider than the
// area (centred from top to bottom); a page without height stays at 100 %. The zoom stays within what
// the page view shows.
PagePlacement FitPage(QSize area, QSizeF page);

// The page at 100 %, centred when it is narrower than the area.
PagePlacement NaturalSize(QSize area, QSizeF page);

} // namespace output
