#include "engine/StatisticsReport.h"

#include "engine/EngineState.h"
#include "engine/MarginTwips.h"
#include "engine/PageSheet.h"
#include "engine/PaperChecks.h"
#include "engine/PaperSizes.h"
#include "engine/ReportPageSetup.h"
#include "engine/StatCells.h"
#include "engine/StatFormats.h"
#include "engine/StatisticsRun.h"
#include "engine/StatPagination.h"
#include "engine/StoredSizes.h"
#include "engine/WholeNumbers.h"
#include "platform/grid/Sheet.h"
#include "platform/outside/SharedObjects.h"
#include "platform/outside/StatExpressionObject.h"
#include "store/DefinitionCheck.h"
#include "store/ReportDefinition.h"
#include "store/ReportState.h"

namespace engine
{

namespace
{

// The pictures belong to the sheet they were placed on: a new build, or a new preparation, starts
// without them.
void forgetPictures(StatisticsRun& run)
{
    run.StatPictureIds.clear();
    run.StatPictures.clear();
    run.StatPictureCount = 0;
}

void buildSheet(StatisticsRun& run, platform::grid::Sheet& grid)
{
    forgetPictures(run);
    grid = platform::grid::Sheet {};
    SetRptFormat(run, grid);
    WriteData(run, grid);
    FitStatColumns(run, grid);
    SetPageBreak(run, grid);
    FillLastPage(run, grid);
    grid.setMaxCol(run.StatColCount);
    grid.setMaxRow(run.StatRowCount);
    // The sheet prints, and is exported, with the report's paper and its pages.
    SetGridPageSetup(grid);
    grid.setRowPageBreaks(QList<int>(run.PageStartArray.cbegin(), run.PageStartArray.cend()));
}

} // namespace

bool CanPrintReport(StatisticsRun& run)
{
    if (reportDefinition().reportId.trimmed().isEmpty())
        return false;
    if (!CheckReportDataExists() || !store::AcceptReportDefinition(reportDefinition()))
        return false;
    if (IsWiderThanDesignPaper())
        return false;
    return FitsPrinterPaper(run);
}

bool IsWiderThanDesignPaper()
{
    int width = 0;
    int height = 0;
    return ColumnsOverDesignPaper(width, height);
}

bool FitsPrinterPaper(StatisticsRun& run)
{
    return ColumnsFitPrinterPaper(run.StatPageWidth, run.StatPageHeight);
}

void PrepareStatisticsPrint(StatisticsRun& run)
{
    forgetPictures(run);
    MarginsToTwips(run);
    ComputePageMetrics(run);
    GetRptDataInfo(run);
}

void MarginsToTwips(StatisticsRun& run)
{
    const store::PageSettings& page = reportDefinition().page;
    run.StatTopMargin = marginTwips(page.TopMarge);
    run.StatBottomMargin = marginTwips(page.BottomMarge);
}

void ComputePageMetrics(StatisticsRun& run)
{
    const store::PageSettings& settings = reportDefinition().page;
    run.StatWidthFactor = 1.0;
    try {
        const QSize page = printerPageInReportOrientation();
        run.StatPageHeight = page.height();
        run.StatPageWidth = page.width();
        if (settings.SelfFit) {
            const int usable = roundInt16(run.StatPageWidth
                - (settings.RightMarge + settings.LeftMarge) * platform::grid::kTwipsPerInch);
            run.StatWidthFactor = ratio(usable, LoadColWidths(reportDefinition()));
        }
    } catch (const std::exception&) {
        // Without a printer or stored widths the pages keep their last metrics and the widths their sizes.
    }
}

void CreateStatisticsReport(StatisticsRun& run, platform::grid::Sheet& grid)
{
    const store::ReportState& state = store::reportState();
    const auto expressions = platform::outside::sharedStatExpression();
    expressions->setConnection(state.Connection);
    expressions->setReportId(state.ReportId);
    expressions->initialise(state.WebPrintMode ? platform::outside::ParameterPrompt::Never
                                               : platform::outside::ParameterPrompt::WhenWindowAvailable);
    buildSheet(run, grid);
}

void PreviewStatisticsReport(StatisticsRun& run, platform::grid::Sheet& grid)
{
    MarginsToTwips(run);
    ComputePageMetrics(run);
    GetRptTextAndPictureData(run);
    buildSheet(run, grid);
}

void ApplyPageSetup(platform::grid::Sheet& grid)
{
    const store::PageSettings& page = reportDefinition().page;
    platform::grid::PageSetup setup = grid.pageSetup();
    setup.paperSize = page.PageSize;
    setup.landscape = page.PageLandscape;
    setup.printGridLines = false;
    setup.printHeadings = false;
    ClearHeaderAndFooter(setup);
    SetReportMargins(setup);
    grid.setPageSetup(setup);
}

void ApplyPaperAndOrientation(platform::grid::Sheet& grid)
{
    const store::PageSettings& page = reportDefinition().page;
    platform::grid::PageSetup setup = grid.pageSetup();
    setup.paperSize = page.PageSize;
    setup.landscape = page.PageLandscape;
    grid.setPageSetup(setup);
}

void UnloadStatPictures(StatisticsRun& run)
{
    run.StatPictures.clear();
}

} // namespace engine
