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
template <class RowOf> void placePictures(platform::grid::Sheet& grid, bool inBand, RowOf sheetRow)
{
    DataEngineState& engine = dataEngine();
    const DetailBand band = CurrentDetailBand();
    for (int i = 0; i < engine.PictureCells.size(); ++i) {
        const ReportCellItem& picture = engine.PictureCells[i];
        if (band.contains(picture.row) != inBand)
            continue;
        if (engine.PictureObjectIds.size() <= i)
            engine.PictureObjectIds.resize(i + 1);
        PlaceRptPicture(grid, sheetRow(picture.row), picture.col, i + 1, engine.PictureObjectIds[i]);
    }
}

} // namespace

void PlaceRptPictures(platform::grid::Sheet& grid, int page)
{
    placePictures(grid, false, [page](int templateRow) { return SheetRowOfTemplateRow(page, templateRow); });
}

void PlaceDetailPictures(platform::grid::Sheet& grid, int page, int block)
{
    placePictures(
        grid, true, [page, block](int templateRow) { return DetailSheetRow(page, block, templateRow + 1); });
}

} // namespace engine
