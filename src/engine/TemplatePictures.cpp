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

void GetRptPicture()
{
    platform::outside::runLogged("GetRptPicture", [] {
        DataEngineState& engine = dataEngine();
        engine.PictureCells.clear();
        for (const TemplateCellRow& cell : CurrentTemplateRows().cells) {
            if (cell.letter != QLatin1String("D"))
                continue;
            engine.PictureCells.append(
                ParseCellExpression(cell.row, cell.col, cell.letter, cell.content.mid(3)));
        }
    });
}

void LoadRptPictures()
{
    DataEngineState& engine = dataEngine();
    const int count = int(engine.PictureCells.size());
    engine.PictureObjectIds = QVector<int>(count, 0);
    engine.PictureOfObject = QVector<int>(count * 10 + 1, 0);
    engine.PictureImages = QVector<QImage>(count);
    for (int i = 0; i < count; ++i) {
        const QString path = engine.PictureCells[i].text.trimmed();
        engine.PictureImages[i] = platform::outside::logged(
            "LoadRptPictures", QImage(), [&] { return platform::grid::readPictureFile(path); });
    }
    if (engine.Output && count > 0)
        engine.Output->picturesLoaded(engine.PictureImages);
}

void PlaceRptPicture(platform::grid::Sheet& grid, int row, int col, int index, int& objectId)
{
    DataEngineState& engine = dataEngine();
    grid.select(row, col, row, col);
    if (index < 1 || index > engine.PictureImages.size() || engine.PictureImages[index - 1].isNull())
        return;
    const int id = grid.addPicture(
        engine.PictureImages[index - 1], grid.selection(), engine.PictureCells[index - 1].text.trimmed());
    objectId = id;
    if (id >= engine.PictureOfObject.size())
        engine.PictureOfObject.resize(id + 1);
    engine.PictureOfObject[id] = index;
}

} // namespace engine
