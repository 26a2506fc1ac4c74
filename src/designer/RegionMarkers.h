#pragma once

#include <QString>
#include <QtGlobal>

namespace platform::grid
{
class Sheet;
struct CellFormat;
} // namespace platform::grid

// The region-marker column of a data report's design grid: column 1 shows each present region of the
// state's region table as a block of its colour with its label in the block's first cell. The column
// holds no template content and is never saved; statistics reports have none (their column 1 is content).
namespace designer
{

// Label and colour of an entry's marker; the colour as the report tables store colours (0x00BBGGRR).
struct RegionMarker {
    QString label;
    qint32 storedColor;
};
const RegionMarker& regionMarker(int entry);

// The look of a marker block: solid fill in the region's colour, 宋体 9 bold in black or white, whichever
// reads better on the fill, centred both ways.
platform::grid::CellFormat regionMarkerFormat(int entry);

// Rebuilds the marker column of a data report from the state's region table: column 1 from row 1 to the
// sheet's last row is cleared, then every present region is painted over its rows (coloured as one
// block, not merged). The grid's selection is left as it was. Does nothing for other report types.
void PaintRegionMarkers(platform::grid::Sheet& grid);

// Fills the store's seam, so that the loader paints the markers of a data report it opens. The component
// does it at start-up; tests that reset the seams call it again.
void installRegionMarkerSeam();

} // namespace designer
