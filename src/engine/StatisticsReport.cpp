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
#include "platform/db/ReadOnlyReads.h"
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

// The cells' reads share one read-only transaction, so that they count the archive as it stood at one
// moment.
void buildSheet(StatisticsRun& run, DataReportRun& report, platform::grid::Sheet& grid)
{
    platform::db::ReadOnlyReads reads(store::reportState().Connection.get());
    forgetPictures(run);
    grid = platform::grid::Sheet {};
    SetRptFormat(run, report, grid);
    WriteData(run, grid);
    FitStatColumns(run, report, grid);
    SetPageBreak(run, grid);
    FillLastPage(run, report, grid);
    grid.setMaxCol(run.StatColCount);
    grid.setMaxRow(run.StatRowCount);
    // The sheet prints, and is exported, with the report's paper and its pages.
    SetGridPageSetup(report, grid);
    grid.setRowPageBreaks(QList<int>(run.PageStartArray.cbegin(), run.PageStartArray.cend()));
    reads.finish();
}

} // namespace

bool CanPrintReport(StatisticsRun& run, DataReportRun& report)
{
    const store::ReportDefinition& definition = report.definition();
    if (definition.reportId.trimmed().isEmpty())
        return false;
    if (!CheckReportDataExists(definition) || !store::AcceptReportDefinition(definition))
        return false;
    if (IsWiderThanDesignPaper(report))
        return false;
    return FitsPrinterPaper(run, definition);
}

bool IsWiderThanDesignPaper(DataReportRun& report)
{
    return ColumnsOverDesignPaper(report.definition(), report.DesignPaperWidth, report.DesignPaperHeight);
}

bool FitsPrinterPaper(StatisticsRun& run, const store::ReportDefinition& definition)
{
    return ColumnsFitPrinterPaper(definition, run.StatPageWidth, run.StatPageHeight);
}

void PrepareStatisticsPrint(StatisticsRun& run, DataReportRun& report)
{
    forgetPictures(run);
    MarginsToTwips(run, report.definition());
    ComputePageMetrics(run, report.definition());
    GetRptDataInfo(run, report);
}

void MarginsToTwips(StatisticsRun& run, const store::ReportDefinition& definition)
{
    const store::PageSettings& page = definition.page;
    run.StatTopMargin = marginTwips(page.TopMarge);
    run.StatBottomMargin = marginTwips(page.BottomMarge);
}

void ComputePageMetrics(StatisticsRun& run, const store::ReportDefinition& definition)
{
    const store::PageSettings& settings = definition.page;
    run.StatWidthFactor = 1.0;
    try {
        const QSize page = printerPageInReportOrientation(definition);
        run.StatPageHeight = page.height();
        run.StatPageWidth = page.width();
        if (settings.SelfFit) {
            const int usable = roundInt16(run.StatPageWidth
                - (settings.RightMarge + settings.LeftMarge) * platform::grid::kTwipsPerInch);
            run.StatWidthFactor = ratio(usable, LoadColWidths(definition));
        }
    } catch (const std::exception&) {
        // Without a printer or stored widths the pages keep their last metrics and the widths their sizes.
    }
}

void CreateStatisticsReport(StatisticsRun& run, DataReportRun& report, platform::grid::Sheet& grid)
{
    const store::ReportState& state = store::reportState();
    const auto expressions = platform::outside::sharedStatExpression();
    expressions->setConnection(state.Connection);
    expressions->setReportId(state.ReportId);
    expressions->initialise(state.WebPrintMode ? platform::outside::ParameterPrompt::Never
                                               : platform::outside::ParameterPrompt::WhenWindowAvailable);
    buildSheet(run, report, grid);
}

void PreviewStatisticsReport(StatisticsRun& run, DataReportRun& report, platform::grid::Sheet& grid)
{
    MarginsToTwips(run, report.definition());
    ComputePageMetrics(run, report.definition());
    GetRptTextAndPictureData(run, report);
    buildSheet(run, report, grid);
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

void UnloadStatPictures(StatisticsRun& run)
{
    run.StatPictures.clear();
}

} // namespace engine
