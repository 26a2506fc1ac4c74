#include "engine/PagePictures.h"

#include "engine/EngineState.h"
#include "engine/PageLayout.h"
#include "engine/TemplatePictures.h"
#include "engine/TemplateRows.h"

namespace engine
{

namespace
{

// Places every picture whose template row lies inside (`inBand`) or outside the detail band at the
// sheet row that `sheetRow` gives for its template row.
template <class RowOf>
void placePictures(DataReportRun& run, platform::grid::Sheet& grid, bool inBand, RowOf sheetRow)
{
    const DetailBand band = CurrentDetailBand(run);
    for (int i = 0; i < run.PictureCells.size(); ++i) {
        const ReportCellItem& picture = run.PictureCells[i];
        if (band.contains(picture.row) != inBand)
            continue;
        if (run.PictureObjectIds.size() <= i)
            run.PictureObjectIds.resize(i + 1);
        PlaceRptPicture(run, grid, sheetRow(picture.row), picture.col, i + 1, run.PictureObjectIds[i]);
    }
}

} // namespace

void PlaceRptPictures(DataReportRun& run, platform::grid::Sheet& grid, int page)
{
    placePictures(run, grid, false,
        [&run, page](int templateRow) { return SheetRowOfTemplateRow(run, page, templateRow); });
}

void PlaceDetailPictures(DataReportRun& run, platform::grid::Sheet& grid, int page, int block)
{
    placePictures(run, grid, true,
        [&run, page, block](int templateRow) { return DetailSheetRow(run, page, block, templateRow + 1); });
}

} // namespace engine
