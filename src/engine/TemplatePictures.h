#pragma once

#include <QImage>
#include <QString>

namespace platform::grid
{
class Sheet;
}

// The pictures of a data report: picture cells ("D", the body a file path) placed as drawing objects
// over their cells on every page.
namespace engine
{

struct DataReportRun;

// PictureCells from every picture cell of the template (row as stored); a failure is logged under
// "GetRptPicture".
void GetRptPicture(DataReportRun& run);

// Once per build: reads every picture file into PictureImages and clears PictureObjectIds and
// PictureOfObject. A file that is missing or unreadable is logged under "LoadRptPictures" and its
// picture stays empty. The OutputForm, when set, is told.
void LoadRptPictures(DataReportRun& run);

// Places picture `index` (from 1) over the cell (row, col) of the grid, or over its merged block, and
// gives the new drawing object's id in `objectId`; PictureOfObject remembers which picture the object
// shows. A picture that did not load places nothing and leaves `objectId` as it was.
void PlaceRptPicture(
    DataReportRun& run, platform::grid::Sheet& grid, int row, int col, int index, int& objectId);

} // namespace engine
