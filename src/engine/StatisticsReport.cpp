#include "engine/StatisticsReport.h"

#include "engine/EngineState.h"
#include "engine/PageSheet.h"
#include "engine/PaperChecks.h"
#include "engine/PaperSizes.h"
#include "engine/ReportPageSetup.h"
#include "engine/StatCells.h"
#include "engine/StatEngineState.h"
#include "engine/StatFormats.h"
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
void forgetPictures()
{
    StatEngineState& stat = statEngine();
    stat.StatPictureIds.clear();
    stat.StatPictures.clear();
    stat.StatPictureCount = 0;
}

void buildSheet(DataReportRun& report, platform::grid::Sheet& grid)
{
    forgetPictures();
    grid = platform::grid::Sheet {};
    SetRptFormat(report, grid);
    WriteData(report, grid);
    FitStatColumns(report, grid);
    SetPageBreak(grid);
    FillLastPage(report, grid);
    const StatEngineState& stat = statEngine();
    grid.setMaxCol(stat.StatColCount);
    grid.setMaxRow(stat.StatRowCount);
    // The sheet prints, and is exported, with the report's paper and its pages.
    SetGridPageSetup(report, grid);
    grid.setRowPageBreaks(QList<int>(stat.PageStartArray.cbegin(), stat.PageStartArray.cend()));
}

} // namespace

bool CanPrintReport(DataReportRun& report)
{
    const store::ReportDefinition& definition = report.definition();
    if (definition.reportId.trimmed().isEmpty())
        return false;
    if (!CheckReportDataExists(definition) || !store::AcceptReportDefinition(definition))
        return false;
    if (IsWiderThanDesignPaper(report))
        return false;
    return FitsPrinterPaper(definition);
}

bool IsWiderThanDesignPaper(DataReportRun& report)
{
    return ColumnsOverDesignPaper(report.definition(), report.DesignPaperWidth, report.DesignPaperHeight);
}

bool FitsPrinterPaper(const store::ReportDefinition& definition)
{
    StatEngineState& stat = statEngine();
    return ColumnsFitPrinterPaper(definition, stat.StatPageWidth, stat.StatPageHeight);
}

void PrepareStatisticsPrint(DataReportRun& report)
{
    forgetPictures();
    MarginsToTwips(report.definition());
    ComputePageMetrics(report.definition());
    GetRptDataInfo(report);
}

void MarginsToTwips(const store::ReportDefinition& definition)
{
    const store::PageSettings& page = definition.page;
    StatEngineState& stat = statEngine();
    stat.StatTopMargin = roundInt16(page.TopMarge * platform::grid::kTwipsPerInch);
    stat.StatBottomMargin = roundInt16(page.BottomMarge * platform::grid::kTwipsPerInch);
}

void ComputePageMetrics(const store::ReportDefinition& definition)
{
    const store::PageSettings& settings = definition.page;
    StatEngineState& stat = statEngine();
    stat.StatWidthFactor = 1.0;
    try {
        const QSize page = printerPageInReportOrientation(definition);
        stat.StatPageHeight = page.height();
        stat.StatPageWidth = page.width();
        if (settings.SelfFit) {
            const int usable = roundInt16(stat.StatPageWidth
                - (settings.RightMarge + settings.LeftMarge) * platform::grid::kTwipsPerInch);
            stat.StatWidthFactor = ratio(usable, LoadColWidths(definition));
        }
    } catch (const std::exception&) {
        // Without a printer or stored widths the pages keep their last metrics and the widths their sizes.
    }
}

void CreateStatisticsReport(DataReportRun& report, platform::grid::Sheet& grid)
{
    const store::ReportState& state = store::reportState();
    const auto expressions = platform::outside::sharedStatExpression();
    expressions->setConnection(state.Connection);
    expressions->setReportId(state.ReportId);
    expressions->initialise(state.WebPrintMode ? platform::outside::ParameterPrompt::Never
                                               : platform::outside::ParameterPrompt::WhenWindowAvailable);
    buildSheet(report, grid);
}

void PreviewStatisticsReport(DataReportRun& report, platform::grid::Sheet& grid)
{
    MarginsToTwips(report.definition());
    ComputePageMetrics(report.definition());
    GetRptTextAndPictureData(report);
    buildSheet(report, grid);
}

void ApplyPageSetup(const store::ReportDefinition& definition, platform::grid::Sheet& grid)
{
    const store::PageSettings& page = definition.page;
    platform::grid::PageSetup setup = grid.pageSetup();
    setup.paperSize = page.PageSize;
    setup.landscape = page.PageLandscape;
    setup.printGridLines = false;
    setup.printHeadings = false;
    ClearHeaderAndFooter(setup);
    SetReportMargins(definition, setup);
    grid.setPageSetup(setup);
}

void ApplyPaperAndOrientation(const store::ReportDefinition& definition, platform::grid::Sheet& grid)
{
    const store::PageSettings& page = definition.page;
    platform::grid::PageSetup setup = grid.pageSetup();
    setup.paperSize = page.PageSize;
    setup.landscape = page.PageLandscape;
    grid.setPageSetup(setup);
}

void UnloadStatPictures()
{
    statEngine().StatPictures.clear();
}

} // namespace engine
