#include "engine/FitScale.h"

#include "engine/EngineState.h"
#include "engine/PaperSizes.h"
#include "engine/StoredSizes.h"
#include "engine/WholeNumbers.h"
#include "store/ReportDefinition.h"

namespace engine
{

namespace
{

constexpr double TwipsPerInch = 1440.0;
// Kept free below the detail blocks and beside the columns, so that rounding never pushes a row or a
// column onto the next sheet of paper.
constexpr int HeightReserveTwips = 10;
constexpr int WidthReserveTwips = 5;

} // namespace

void CalcPrintScale()
{
    DataEngineState& engine = dataEngine();
    if (!reportDefinition().page.SelfFit) {
        engine.ScaleY = 1.0;
        engine.ScaleX = 1.0;
    } else {
        engine.ScaleY = ratio(engine.PrinterPaperHeight, engine.DesignPaperHeight);
        engine.ScaleX = ratio(engine.PrinterPaperWidth, engine.DesignPaperWidth);
    }
    CalcHeightScale();
    CalcWidthScale();
}

void CalcHeightScale()
{
    const store::PageSettings& page = reportDefinition().page;
    DataEngineState& engine = dataEngine();
    if (!page.SelfFit) {
        engine.DetailScale = 1.0;
        return;
    }
    if (page.DataRows == store::keywords::DataRowsFixMode) {
        engine.DetailScale = engine.ScaleY;
        return;
    }
    const int fixed = roundInt16((page.TopMarge + page.BottomMarge) * TwipsPerInch + LoadRowHeights());
    const int detailBlocks = fitInt32(static_cast<long long>(engine.RecordsPerPage) * GetRowsHeight());
    try {
        const int usable = roundInt32(printerPageInReportOrientation().height() - fixed - HeightReserveTwips);
        engine.DetailScale = ratio(usable, detailBlocks);
    } catch (const std::exception&) {
        const int usable
            = fitInt16(static_cast<long long>(engine.DesignPaperHeight) - fixed - HeightReserveTwips);
        engine.DetailScale = ratio(usable, detailBlocks);
    }
}

void CalcWidthScale()
{
    const store::PageSettings& page = reportDefinition().page;
    DataEngineState& engine = dataEngine();
    if (!page.SelfFit) {
        engine.ScaleX = 1.0;
        return;
    }
    const int usable = roundInt16(
        engine.PrinterPaperWidth - (page.RightMarge + page.LeftMarge) * TwipsPerInch - WidthReserveTwips);
    engine.ScaleX = ratio(usable, fitInt16(LoadColWidths()));
}

} // namespace engine
