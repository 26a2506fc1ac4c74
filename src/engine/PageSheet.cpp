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

platform::grid::PageSetup reportPaper(const DataReportRun& run)
{
    const store::PageSettings& page = run.definition().page;
    platform::grid::PageSetup setup;
    setup.paperSize = page.PageSize;
    setup.landscape = page.PageLandscape;
    if (page.PageSize == store::keywords::CustomPaperSize) {
        const int portraitWidth = page.PageLandscape ? run.DesignPaperHeight : run.DesignPaperWidth;
        const int portraitHeight = page.PageLandscape ? run.DesignPaperWidth : run.DesignPaperHeight;
        setup.customWidthCm = portraitWidth / StoredTwipsPerCm;
        setup.customHeightCm = portraitHeight / StoredTwipsPerCm;
    }
    ClearHeaderAndFooter(setup);
    setup.scalePercent = 100;
    setup.fitPagesWide = 1;
    return setup;
}

// Steps of the layout that both page layouts share, at the top of the sheet or below PageFirstRow.
void layOutTemplate(DataReportRun& run, platform::grid::Sheet& grid, bool atSheetTop)
{
    // The stored margins size the first page's margin rows and the margin columns; a page further down
    // has its margin rows set with its row heights, and would only undo the first page's filler row.
    if (atSheetTop || run.PageFirstRow == 0)
        passOver([&] { LoadPageMargins(run, grid); });
    passOver([&] { LoadColWidthFormat(run, grid); });
    passOver([&] { LoadOuterFormats(run, grid, atSheetTop); });
    passOver([&] { LoadRegionFormats(run, grid, atSheetTop); });
    if (!run.definition().page.SelfFit)
        passOver([&] { SetFillerColWidth(run, grid); });
    passOver([&] { FillRptFixedText(run, grid, atSheetTop); });
}

void setColumnCount(const DataReportRun& run, platform::grid::Sheet& grid)
{
    const int cols = run.PageSheetCols;
    if (grid.maxCol() != cols)
        grid.setMaxCol(cols);
}

} // namespace

void SetGridPageSetup(const DataReportRun& run, platform::grid::Sheet& grid)
{
    platform::grid::PageSetup setup = reportPaper(run);
    setup.topMargin = 0;
    setup.bottomMargin = 0;
    setup.leftMargin = 0;
    setup.rightMargin = 0;
    grid.setPageSetup(setup);
}

void SetGridPrintSetup(const DataReportRun& run, platform::grid::Sheet& grid)
{
    platform::grid::PageSetup setup = reportPaper(run);
    SetReportMargins(run.definition(), setup);
    grid.setPageSetup(setup);
}

void InitPageSheet(DataReportRun& run, platform::grid::Sheet& grid)
{
    SetGridPageSetup(run, grid);
    setColumnCount(run, grid);
    if (run.PageLayout) {
        passOver([&] { grid.paste(*run.PageLayout, run.PageFirstRow + 1, 1); });
        return;
    }
    layOutTemplate(run, grid, false);
    if (run.PageFirstRow == 0) {
        run.PageLayout = std::make_shared<const platform::grid::SheetClip>(
            grid.copy({ 1, 1, run.PageSheetRows, run.PageSheetCols }));
    }
}

void InitWholeReportSheet(DataReportRun& run, platform::grid::Sheet& grid, int page)
{
    SetGridPageSetup(run, grid);
    setColumnCount(run, grid);
    grid.clearRange({ 1, 1, run.PageSheetRows, run.PageSheetCols }, platform::grid::ClearWhat::All);
    layOutTemplate(run, grid, true);
    const int firstBuiltPage = run.AbsolutePage - run.CurrentPage + 1;
    const long long shownPage = firstBuiltPage + page - 1;
    SetMarginRows(run, grid, 1, run.PageSheetRows);
    // A page fitted to the paper gets its leftover height in the last row here; an unfitted one has it
    // from the build, whose filler height the margin rows take.
    if (run.definition().page.SelfFit && !IsAutoRows(run))
        grid.setRowHeight(run.PageSheetRows, FillerHeightLeft(run, grid));
    ClearTemplateHeadTail(run, grid, shownPage <= 1, run.ReportFinished && page >= run.CurrentPage);
}

} // namespace engine
