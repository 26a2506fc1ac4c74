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
bool prepareBlankReport(DataReportRun& run)
{
    run.PrinterPaperHeight = run.DesignPaperHeight;
    run.PrinterPaperWidth = run.DesignPaperWidth;
    GetRptRowHeight(run);
    if (!GetDataCountInPage(run))
        return false;
    GetPageRowCount(run);
    // One whole page in every row mode: the margin rows and the windows find the page's rows here, and a
    // list left from an earlier build would describe pages of another report.
    run.PageRowRanges = { { 1, run.PageSheetRows } };
    run.PageFirstRow = 0;
    run.FirstBuild = true;
    CalcPrintScale(run);
    GetRptDetailText(run);
    GetRptPicture(run);
    return true;
}

void fillBlankDetailText(DataReportRun& run, platform::grid::Sheet& grid)
{
    for (int block = 1; block <= run.RecordsPerPage; ++block) {
        for (const ReportCellItem& cell : run.DetailCells) {
            const int row = DetailSheetRow(run, 0, block, cell.row);
            grid.select(row, cell.col, row, cell.col);
            grid.setSelectionText(cell.text);
        }
        PlaceDetailPictures(run, grid, 0, block);
    }
}

} // namespace

void CreateBlankReport(DataReportRun& run, platform::grid::Sheet& grid)
{
    if (!prepareBlankReport(run))
        return;
    InitPageSheet(run, grid);
    LoadRptPictures(run);
    PlaceRptPictures(run, grid, 0);
    fillBlankDetailText(run, grid);
    SetMarginRowHeights(run, grid, 1);
    SetRptRowHeight(run, grid, 1);
    grid.setMaxRow(run.PageSheetRows);
    if (!run.definition().page.SelfFit)
        grid.setRowHeight(run.PageSheetRows, FillerHeightLeft(run, grid));
    run.CurrentPage = 1;
}

void GetRptDetailText(DataReportRun& run)
{
    platform::outside::runLogged("GetRptDetailText", [&run] {
        const DetailBand band = CurrentDetailBand(run);
        QVector<ReportCellItem> texts;
        for (const TemplateCellRow& cell : CurrentTemplateRows(run).cells) {
            if (cell.letter != QLatin1String("A") || !band.contains(cell.row))
                continue;
            const auto parsed = store::CellSourceText::parse(cell.content);
            if (parsed)
                texts.append(ParseCellExpression(&run, cell.row + 1, cell.col, cell.letter, parsed->body));
        }
        run.DetailCells = texts;
    });
}

} // namespace engine
