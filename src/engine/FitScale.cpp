#include "engine/FitScale.h"

#include "engine/EngineState.h"
#include "engine/MarginTwips.h"
#include "engine/PaperSizes.h"
#include "engine/StoredSizes.h"
#include "engine/WholeNumbers.h"
#include "store/ReportDefinition.h"

#include <functional>

namespace engine
{

namespace
{

// Kept free below the detail blocks and beside the columns, as the stored reports were fitted.
constexpr int HeightReserveTwips = 10;
constexpr int WidthReserveTwips = 5;

// wanted / designed, or the largest scale below it at which the sizes that `laidOut` lays out, each
// rounded to whole twips, fit `room`: however they round, a fitted page stays on its sheet of paper.
double fittingScale(int wanted, int room, int designed, const std::function<long long(double)>& laidOut)
{
    for (int fitted = wanted;; --fitted) {
        const double scale = ratio(fitted, designed);
        if (laidOut(scale) <= room)
            return scale;
    }
}

double detailScale(
    const store::ReportDefinition& definition, const FitPapers& papers, int recordsPerPage, double scaleY)
{
    const store::PageSettings& page = definition.page;
    const int fixed = fitInt16(static_cast<long long>(marginTwips(page.TopMarge))
        + marginTwips(page.BottomMarge) + LoadRowHeights(definition, scaleY));
    const int detailBlocks = fitInt32(static_cast<long long>(recordsPerPage) * GetRowsHeight(definition));
    const auto fill = [&](int room) {
        return fittingScale(room - HeightReserveTwips, room, detailBlocks, [&](double scale) {
            return static_cast<long long>(recordsPerPage) * GetRowsHeight(definition, scale);
        });
    };
    if (papers.printerPageHeight) {
        try {
            return fill(*papers.printerPageHeight - fixed);
        } catch (const std::exception&) {
            // The designed paper serves instead.
        }
    }
    return fill(fitInt16(static_cast<long long>(papers.design.height()) - fixed));
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
    factors.detailScale = fillsPrinterPage(page)
        ? detailScale(definition, papers, recordsPerPage, factors.scaleY)
        : factors.scaleY;
    const int room = fitInt16(static_cast<long long>(papers.printer.width()) - marginTwips(page.LeftMarge)
        - marginTwips(page.RightMarge));
    factors.scaleX = fittingScale(room - WidthReserveTwips, room, fitInt16(LoadColWidths(definition)),
        [&](double scale) { return LoadColWidths(definition, scale); });
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
