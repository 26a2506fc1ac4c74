#include "engine/FitScale.h"

#include "engine/EngineState.h"
#include "engine/PaperSizes.h"
#include "engine/StoredSizes.h"
#include "engine/WholeNumbers.h"
#include "platform/grid/GridTypes.h"
#include "store/ReportDefinition.h"

namespace engine
{

namespace
{

using platform::grid::kTwipsPerInch;
// Kept free below the detail blocks and beside the columns, so that rounding never pushes a row or a
// column onto the next sheet of paper.
constexpr int HeightReserveTwips = 10;
constexpr int WidthReserveTwips = 5;

double detailScale(const store::ReportDefinition& definition, const FitPapers& papers, int recordsPerPage)
{
    const store::PageSettings& page = definition.page;
    const int fixed
        = roundInt16((page.TopMarge + page.BottomMarge) * kTwipsPerInch + LoadRowHeights(definition));
    const int detailBlocks = fitInt32(static_cast<long long>(recordsPerPage) * GetRowsHeight(definition));
    if (papers.printerPageHeight) {
        try {
            return ratio(roundInt32(*papers.printerPageHeight - fixed - HeightReserveTwips), detailBlocks);
        } catch (const std::exception&) {
            // The designed paper serves instead.
        }
    }
    const int usable = fitInt16(static_cast<long long>(papers.design.height()) - fixed - HeightReserveTwips);
    return ratio(usable, detailBlocks);
}

std::optional<int> printerPageHeightNow(const DataReportRun& run)
{
    try {
        return printerPageInReportOrientation(run.definition()).height();
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace

bool fillsPrinterPage(const store::PageSettings& page)
{
    return page.SelfFit && page.DataRows != store::keywords::DataRowsFixMode;
}

FitFactors fitFactors(const store::ReportDefinition& definition, const FitPapers& papers, int recordsPerPage)
{
    const store::PageSettings& page = definition.page;
    if (!page.SelfFit)
        return {};
    FitFactors factors;
    factors.scaleY = ratio(papers.printer.height(), papers.design.height());
    // A designed paper of no width leaves nothing to fit the columns to.
    ratio(papers.printer.width(), papers.design.width());
    factors.detailScale
        = fillsPrinterPage(page) ? detailScale(definition, papers, recordsPerPage) : factors.scaleY;
    const int usable = roundInt16(
        papers.printer.width() - (page.RightMarge + page.LeftMarge) * kTwipsPerInch - WidthReserveTwips);
    factors.scaleX = ratio(usable, fitInt16(LoadColWidths(definition)));
    return factors;
}

void CalcPrintScale(DataReportRun& run)
{
    const store::ReportDefinition& definition = run.definition();
    const FitPapers papers { QSize(run.DesignPaperWidth, run.DesignPaperHeight),
        QSize(run.PrinterPaperWidth, run.PrinterPaperHeight),
        fillsPrinterPage(definition.page) ? printerPageHeightNow(run) : std::nullopt };
    const FitFactors factors = fitFactors(definition, papers, run.RecordsPerPage);
    run.ScaleX = factors.scaleX;
    run.ScaleY = factors.scaleY;
    run.DetailScale = factors.detailScale;
}

} // namespace engine
