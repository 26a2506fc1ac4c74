#include "engine/DataReportBuilder.h"

#include "engine/BuildProgress.h"
#include "engine/ColumnTotals.h"
#include "engine/EngineState.h"
#include "engine/PageBuilder.h"
#include "engine/PageLayout.h"
#include "engine/PageNumbers.h"
#include "engine/PageRowHeights.h"
#include "engine/PageSheet.h"
#include "engine/TemplatePictures.h"
#include "platform/db/Recordset.h"
#include "platform/grid/Sheet.h"
#include "store/ReportDefinition.h"
#include "store/UserNotice.h"

#include <algorithm>
#include <limits>

namespace engine
{

namespace
{

const QString NoDataText = QStringLiteral("报表没有数据，不能生成报表！打印空白页请到报表打印界面打印！");
const QString NoPageCountText = QStringLiteral("每次生成的报表页数必须大于0，不能生成报表！");

// The progress bar of one call: from the value it had at the start towards 50 at the last page.
class PageProgress
{
public:
    PageProgress(BuildProgress* bar, int pageLimit)
        : bar_(bar)
        , start_(bar ? int(bar->value()) : 0)
        , pageLimit_(pageLimit)
    {
    }

    void pageBuilt(int pages) const
    {
        if (!bar_)
            return;
        const long long expected = pageLimit_ != AllRemainingPages
            ? pageLimit_
            : std::max<long long>({ dataEngine().TotalPages, pages, 1 });
        bar_->setValue(float(start_ + (50.0 - start_) * pages / double(expected)));
    }

    void finished() const
    {
        if (bar_)
            bar_->setValue(bar_->maximum());
    }

private:
    BuildProgress* bar_;
    int start_;
    int pageLimit_;
};

// A page count below 1 would build nothing and never reach the end of the data.
bool refusesPageCount(int targetPages)
{
    if (targetPages >= 1)
        return false;
    store::NoticeUser(NoPageCountText);
    dataEngine().ReportFinished = true;
    return true;
}

// A page that ends in a filler row stays as tall as the paper when rows of it are hidden.
void keepPageHeight(platform::grid::Sheet& grid, int page, int hiddenHeight)
{
    const DataEngineState& engine = dataEngine();
    if (!engine.FillerRowHeight || hiddenHeight == 0)
        return;
    const int lastRow = engine.PageRowRanges[page].lastRow;
    grid.setRowHeight(lastRow, grid.rowHeight(lastRow) + hiddenHeight);
}

void buildPage(platform::grid::Sheet& grid, int page)
{
    DataEngineState& engine = dataEngine();
    const platform::db::Recordset& data = *engine.ReportDataRs;
    const int firstRow = page == 0 ? 1 : engine.PageRowRanges[page - 1].lastRow + 1;
    engine.PageRowRanges.append({ firstRow, firstRow + engine.PageSheetRows - 1 });
    // A batch starts on an empty grid: the previous batch's pages, or anything a rebuild finds there.
    const bool gridHoldsPages = !engine.FirstBuild || grid.lastUsedRow() > 0 || !grid.objectIds().isEmpty();
    if (page == 0 && gridHoldsPages) {
        ClearBatchSheet(grid);
        PasteFormat(0);
    }
    InitPageSheet(grid);
    if (page == 0)
        LoadRptPictures();
    SetMarginRowHeights(grid, page + 1);
    SetRptRowHeight(grid, page + 1);
    CountPageNumber(engine.GroupIndex);
    // Under "AUTO" a page grows record by record and has no fixed last row to fill; both builders lay out
    // the same pages.
    if (engine.FirstBuild && !reportDefinition().page.SelfFit && !IsAutoRows())
        SetFillerRowHeight(grid);
    FillPageData(grid, page);
    const bool reportLastPage = data.eof();
    HandleRptHeadTail(grid, page, engine.FirstBuild, reportLastPage);
    if (!reportLastPage)
        keepPageHeight(grid, page, HideTotalRows(grid, page));
    engine.CurrentPage = page + 1;
    engine.FirstBuild = false;
}

// Builds pages until the data ends or `pageLimit` pages are built.
void buildBatch(platform::grid::Sheet& grid, int pageLimit, const PageProgress& progress)
{
    DataEngineState& engine = dataEngine();
    const platform::db::Recordset& data = *engine.ReportDataRs;
    engine.PageRowRanges.clear();
    while (!data.eof()) {
        buildPage(grid, engine.CurrentPage);
        progress.pageBuilt(engine.CurrentPage);
        if (data.eof() || engine.CurrentPage == pageLimit)
            break;
        PasteFormat(engine.CurrentPage);
    }
    if (!engine.PageRowRanges.isEmpty())
        grid.setMaxRow(engine.PageRowRanges.last().lastRow);
    SetPagePrintArea(grid);
    if (data.eof()) {
        if (!engine.TotalCells.isEmpty())
            FillTotalRow(grid);
        engine.ReportFinished = true;
        progress.finished();
    }
}

void closeData()
{
    DataEngineState& engine = dataEngine();
    if (engine.ReportDataRsIsOwned && engine.ReportDataRs->isOpen())
        engine.ReportDataRs->close();
}

} // namespace

void CreateDataReport(platform::grid::Sheet& grid, int targetPages, BuildProgress* progress)
{
    DataEngineState& engine = dataEngine();
    if (!engine.ReportDataRs)
        return;
    const PageProgress pageProgress(progress, targetPages);
    engine.ReportFinished = false;
    engine.ReportHasData = false;
    engine.CurrentPage = 0;
    if (refusesPageCount(targetPages))
        return;
    if (engine.FirstBuild && engine.DataRecordCount <= 0) {
        closeData();
        store::NoticeUser(NoDataText);
        // Finished: a caller that asks for batches until the report is finished would otherwise ask, and
        // be told, without end.
        engine.ReportFinished = true;
        return;
    }
    engine.ReportHasData = true;
    if (!engine.ReportDataRs->isOpen()) {
        engine.ReportFinished = true;
        return;
    }
    buildBatch(grid, targetPages, pageProgress);
}

void CreateAllPages(platform::grid::Sheet& grid, int targetPages)
{
    DataEngineState& engine = dataEngine();
    engine.ReportFinished = false;
    engine.CurrentPage = 0;
    if (!engine.ReportDataRs || !engine.ReportDataRs->isOpen()) {
        engine.ReportFinished = true;
        return;
    }
    if (refusesPageCount(targetPages))
        return;
    buildBatch(grid, targetPages, PageProgress(nullptr, targetPages));
}

} // namespace engine
