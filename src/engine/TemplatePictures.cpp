#include "engine/TemplatePictures.h"

#include "engine/EngineState.h"
#include "engine/OutputForm.h"
#include "engine/TemplateCells.h"
#include "engine/TemplateRows.h"
#include "platform/grid/PictureFile.h"
#include "platform/grid/Sheet.h"
#include "platform/outside/FailureLog.h"

namespace engine
{

void GetRptPicture(DataReportRun& run)
{
    platform::outside::runLogged("GetRptPicture", [&run] {
        run.PictureCells.clear();
        for (const TemplateCellRow& cell : CurrentTemplateRows(run).cells) {
            if (cell.letter != QLatin1String("D"))
                continue;
            run.PictureCells.append(
                ParseCellExpression(&run, cell.row, cell.col, cell.letter, cell.content.mid(3)));
        }
    });
}

void LoadRptPictures(DataReportRun& run)
{
    const int count = int(run.PictureCells.size());
    run.PictureObjectIds = QVector<int>(count, 0);
    run.PictureOfObject = QVector<int>(count * 10 + 1, 0);
    run.PictureImages = QVector<QImage>(count);
    for (int i = 0; i < count; ++i) {
        const QString path = run.PictureCells[i].text.trimmed();
        run.PictureImages[i] = platform::outside::logged(
            "LoadRptPictures", QImage(), [&] { return platform::grid::readPictureFile(path); });
    }
    if (run.Output && count > 0)
        run.Output->picturesLoaded(run.PictureImages);
}

void PlaceRptPicture(
    DataReportRun& run, platform::grid::Sheet& grid, int row, int col, int index, int& objectId)
{
    grid.select(row, col, row, col);
    if (index < 1 || index > run.PictureImages.size() || run.PictureImages[index - 1].isNull())
        return;
    const int id = grid.addPicture(
        run.PictureImages[index - 1], grid.selection(), run.PictureCells[index - 1].text.trimmed());
    objectId = id;
    if (id >= run.PictureOfObject.size())
        run.PictureOfObject.resize(id + 1);
    run.PictureOfObject[id] = index;
}

} // namespace engine
