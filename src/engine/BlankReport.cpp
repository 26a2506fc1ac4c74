#include "engine/BlankReport.h"

#include "engine/EngineState.h"
#include "engine/FitScale.h"
#include "engine/PageGeometry.h"
#include "engine/PageLayout.h"
#include "engine/PagePictures.h"
#include "engine/PagePipeline.h"
#include "engine/PageRowHeights.h"
#include "engine/PageSheet.h"
#include "engine/TemplateCells.h"
#include "engine/TemplatePictures.h"
#include "engine/TemplateRows.h"
#include "platform/grid/Sheet.h"
#include "platform/outside/FailureLog.h"
#include "store/CellSourceText.h"
#include "store/ReportDefinition.h"

namespace engine
{

namespace
{

// The page sizes of the blank form: the designed paper stands for the printer's.
bool prepareBlankReport()
{
    DataEngineState& engine = dataEngine();
    engine.PrinterPaperHeight = engine.DesignPaperHeight;
    engine.PrinterPaperWidth = engine.DesignPaperWidth;
    GetRptRowHeight();
    if (!GetDataCountInPage())
        return false;
    GetPageRowCount();
    // One whole page in every row mode: the margin rows and the windows find the page's rows here, and a
    // list left from an earlier build would describe pages of another report.
    engine.PageRowRanges = { { 1, engine.PageSheetRows } };
    engine.PageFirstRow = 0;
    engine.PageLastRow = engine.PageSheetRows;
    engine.FirstBuild = true;
    CalcPrintScale();
    GetRptDetailText();
    GetRptPicture();
    return true;
}

void fillBlankDetailText(platform::grid::Sheet& grid)
{
    const DataEngineState& engine = dataEngine();
    for (int block = 1; block <= engine.RecordsPerPage; ++block) {
        for (const ReportCellItem& cell : engine.DetailCells) {
            const int row = DetailSheetRow(0, block, cell.row);
            grid.select(row, cell.col, row, cell.col);
            grid.setSelectionText(cell.text);
        }
        PlaceDetailPictures(grid, 0, block);
    }
}

} // namespace

void CreateBlankReport(platform::grid::Sheet& grid)
{
    if (!prepareBlankReport())
        return;
    DataEngineState& engine = dataEngine();
    InitPageSheet(grid);
    LoadRptPictures();
    PlaceRptPictures(grid, 0);
    fillBlankDetailText(grid);
    SetMarginRowHeights(grid, 1);
    SetRptRowHeight(grid, 1);
    grid.setMaxRow(engine.PageSheetRows);
    if (!reportDefinition().page.SelfFit)
        grid.setRowHeight(engine.PageSheetRows, FillerHeightLeft(grid));
    engine.CurrentPage = 1;
}

void GetRptDetailText()
{
    platform::outside::runLogged("GetRptDetailText", [] {
        const DetailBand band = CurrentDetailBand();
        QVector<ReportCellItem> texts;
        for (const TemplateCellRow& cell : CurrentTemplateRows().cells) {
            if (cell.letter != QLatin1String("A") || !band.contains(cell.row))
                continue;
            const auto parsed = store::CellSourceText::parse(cell.content);
            if (parsed)
                texts.append(ParseCellExpression(cell.row + 1, cell.col, cell.letter, parsed->body));
        }
        dataEngine().DetailCells = texts;
    });
}

} // namespace engine
