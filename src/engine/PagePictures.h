#pragma once

namespace platform::grid
{
class Sheet;
}

// The pictures of a data report on its pages: those outside the detail band once per page, those of the
// band once per detail block, each over its template cell as the page lays it out.
namespace engine
{

struct DataReportRun;

// The pictures outside the detail band on page `page` (0-based within the build).
void PlaceRptPictures(DataReportRun& run, platform::grid::Sheet& grid, int page);

// The pictures of the detail band in block `block` (from 1) of page `page`.
void PlaceDetailPictures(DataReportRun& run, platform::grid::Sheet& grid, int page, int block);

} // namespace engine
