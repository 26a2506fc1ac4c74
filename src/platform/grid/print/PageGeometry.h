#pragma once

#include "platform/grid/PageSetup.h"

#include <optional>
#include <QPageSize>
#include <QRectF>

namespace platform::grid
{

// Where things go on a printed page, in device units: the body between the margins where the cells
// go, the header band above it (from the header margin down) and the footer band below it (up to the
// footer margin).
struct PageGeometry {
    QRectF paper;
    QRectF body;
    QRectF header;
    QRectF footer;
    double scale = 1; // device units per twip of the sheet, with the scale percent applied

    QSizeF roomTwips() const { return body.size() / scale; }
};

// The page of a setup on a device of `dpi` dots per inch whose paper measures `paper` device units.
// A scale outside 10..400 % prints at 100 %.
PageGeometry pageGeometry(const PageSetup& setup, const QSizeF& paper, double dpi);

// The paper of a setup: its paper code, or its own size in centimetres for code 256; none when the
// code names no paper (the printer keeps its own).
std::optional<QPageSize> paperOf(const PageSetup& setup);

} // namespace platform::grid
