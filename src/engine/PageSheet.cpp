#include "engine/PageSheet.h"

#include "engine/EngineState.h"
#include "engine/PageBuilder.h"
#include "engine/PageLayout.h"
#include "engine/PageMargins.h"
#include "engine/PageRowHeights.h"
#include "engine/ReportPageSetup.h"
#include "engine/TemplateCells.h"
#include "engine/TemplateFormats.h"
#include "platform/grid/Sheet.h"
#include "store/ReportDefinition.h"

namespace engine
{

namespace
{

// The twips of a centimetre in the custom paper sizes the reports store.
constexpr double StoredTwipsPerCm = 560.0;

// A layout step whose failure leaves its part of the page out: the page is still laid out.
template <class F> void passOver(F&& step)
{
    try {
        step();
    } catch (const std::exception&) {
        // the other steps lay out the rest of the page
    }
}

platform::grid::PageSetup reportPaper()
{
    const store::PageSettings& page = reportDefinition().page;
    const DataEngineState& engine = dataEngine();
    platform::grid::PageSetup setup;
    setup.paperSize = page.PageSize;
    setup.landscape = page.PageLandscape;
    if (page.PageSize == store::keywords::CustomPaperSize) {
        const int portraitWidth = page.PageLandscape ? engine.DesignPaperHeight : engine.DesignPaperWidth;
        const int portraitHeight = page.PageLandscape ? engine.DesignPaperWidth : engine.DesignPaperHeight;
        setup.customWidthCm = portraitWidth / StoredTwipsPerCm;
        setup.customHeightCm = portraitHeight / StoredTwipsPerCm;
    }
    ClearHeaderAndFooter(setup);
    setup.scalePercent = 100;
    setup.fitPagesWide = 1;
    return setup;
}

// Steps of the layout that both page layouts share, at the top of the sheet or below PageFirstRow.
void layOutTemplate(platform::grid::Sheet& grid, bool atSheetTop)
{
    // The stored margins size the first page's margin rows and the margin columns; a page further down
    // has its margin rows set with its row heights, and would only undo the first page's filler row.
    if (atSheetTop || dataEngine().PageFirstRow == 0)
        passOver([&] { LoadPageMargins(grid); });
    passOver([&] { LoadColWidthFormat(grid); });
    passOver([&] { LoadOuterFormats(grid, atSheetTop); });
    passOver([&] { LoadRegionFormats(grid, atSheetTop); });
    if (!reportDefinition().page.SelfFit)
        passOver([&] { SetFillerColWidth(grid); });
    passOver([&] { FillRptFixedText(grid, atSheetTop); });
}

void setColumnCount(platform::grid::Sheet& grid)
{
    const int cols = dataEngine().PageSheetCols;
    if (grid.maxCol() != cols)
        grid.setMaxCol(cols);
}

} // namespace

void SetGridPageSetup(platform::grid::Sheet& grid)
{
    platform::grid::PageSetup setup = reportPaper();
    setup.topMargin = 0;
    setup.bottomMargin = 0;
    setup.leftMargin = 0;
    setup.rightMargin = 0;
    grid.setPageSetup(setup);
}

void SetGridPrintSetup(platform::grid::Sheet& grid)
{
    platform::grid::PageSetup setup = reportPaper();
    SetReportMargins(setup);
    grid.setPageSetup(setup);
}

void InitPageSheet(platform::grid::Sheet& grid)
{
    SetGridPageSetup(grid);
    setColumnCount(grid);
    DataEngineState& engine = dataEngine();
    if (engine.PageLayout) {
        passOver([&] { grid.paste(*engine.PageLayout, engine.PageFirstRow + 1, 1); });
        return;
    }
    layOutTemplate(grid, false);
    if (engine.PageFirstRow == 0) {
        engine.PageLayout = std::make_shared<const platform::grid::SheetClip>(
            grid.copy({ 1, 1, engine.PageSheetRows, engine.PageSheetCols }));
    }
}

void InitWholeReportSheet(platform::grid::Sheet& grid, int page)
{
    const DataEngineState& engine = dataEngine();
    SetGridPageSetup(grid);
    setColumnCount(grid);
    grid.clearRange({ 1, 1, engine.PageSheetRows, engine.PageSheetCols }, platform::grid::ClearWhat::All);
    layOutTemplate(grid, true);
    const int firstBuiltPage = engine.AbsolutePage - engine.CurrentPage + 1;
    const long long shownPage = firstBuiltPage + page - 1;
    SetMarginRows(grid, 1, engine.PageSheetRows);
    // A page fitted to the paper gets its leftover height in the last row here; an unfitted one has it
    // from the build, whose filler height the margin rows take.
    if (reportDefinition().page.SelfFit && !IsAutoRows())
        grid.setRowHeight(engine.PageSheetRows, FillerHeightLeft(grid));
    ClearTemplateHeadTail(grid, shownPage <= 1, engine.ReportFinished && page >= engine.CurrentPage);
}

} // namespace engine
