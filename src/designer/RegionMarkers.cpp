#include "designer/RegionMarkers.h"

#include "designer/DesignSelection.h"
#include "platform/grid/Sheet.h"
#include "store/ReportState.h"
#include "store/StoredColor.h"
#include "store/WindowSeams.h"

#include <array>
#include <cmath>

namespace designer
{

namespace
{

constexpr int SolidPattern = 1;

// Black or white, whichever stands out more from the fill (contrast of relative luminances), so that a
// label stays readable on the detail band's deep blue as on the pale fills.
QRgb labelColor(QRgb fill)
{
    const auto linear = [](int channel) {
        const double value = channel / 255.0;
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    const double luminance
        = 0.2126 * linear(qRed(fill)) + 0.7152 * linear(qGreen(fill)) + 0.0722 * linear(qBlue(fill));
    const double againstBlack = (luminance + 0.05) / 0.05;
    const double againstWhite = 1.05 / (luminance + 0.05);
    return againstWhite > againstBlack ? 0xFFFFFF : 0x000000;
}

void PaintRegionMarker(platform::grid::Sheet& grid, int entry)
{
    const store::ReportRegion& region = store::reportState().RegionTable[entry];
    if (!region.present)
        return;
    grid.setText(region.beginRow, MarkerColumn, regionMarker(entry).label);
    grid.applyFormat(
        { region.beginRow, MarkerColumn, region.endRow, MarkerColumn }, regionMarkerFormat(entry));
}

} // namespace

const RegionMarker& regionMarker(int entry)
{
    const QString head = QStringLiteral("分组头");
    const QString tail = QStringLiteral("分组尾");
    static const std::array<RegionMarker, store::RegionEntryCount> markers { {
        { QStringLiteral("报表头"), 0xC0FFFF },
        { QStringLiteral("页  头"), 0x00FFFF },
        { head, 0xFFFF80 },
        { head, 0xC0C000 },
        { head, 0xFF8080 },
        { QStringLiteral("细节区"), 0xFF0000 },
        { tail, 0xFF8080 },
        { tail, 0xC0C000 },
        { tail, 0xFFFF80 },
        { QStringLiteral("页  尾"), 0x00FFFF },
        { QStringLiteral("报表尾"), 0xC0FFFF },
    } };
    return markers.at(entry - 1);
}

platform::grid::CellFormat regionMarkerFormat(int entry)
{
    const QRgb color = store::fromStoredColor(regionMarker(entry).storedColor);
    platform::grid::CellFormat format;
    format.pattern = SolidPattern;
    format.patternForeground = color;
    format.patternBackground = color;
    format.fontColor = labelColor(color);
    format.fontName = QStringLiteral("宋体");
    format.fontSize = 9;
    format.fontBold = true;
    format.hAlign = platform::grid::HAlign::Center;
    format.vAlign = platform::grid::VAlign::Center;
    return format;
}

void PaintRegionMarkers(platform::grid::Sheet& grid)
{
    if (!isDataReport())
        return;
    grid.clearRange({ 1, MarkerColumn, grid.maxRow(), MarkerColumn }, platform::grid::ClearWhat::All);
    for (int entry = 1; entry <= store::RegionEntryCount; ++entry)
        PaintRegionMarker(grid, entry);
}

void installRegionMarkerSeam()
{
    store::windowSeams().PaintRegionMarkers = PaintRegionMarkers;
}

} // namespace designer
