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
#include "platform/db/ReadOnlyReads.h"
#include "platform/db/Recordset.h"
#include "platform/grid/Sheet.h"
#include "store/ReportDefinition.h"
#include "store/ReportState.h"
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

    void pageBuilt(const DataReportRun& run, int pages) const
    {
        if (!bar_)
            return;
        const long long expected = pageLimit_ != AllRemainingPages
            ? pageLimit_
            : std::max<long long>({ run.TotalPages, pages, 1 });
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
bool refusesPageCount(DataReportRun& run, int targetPages)
{
    if (targetPages >= 1)
        return false;
    store::NoticeUser(NoPageCountText);
    run.ReportFinished = true;
    return true;
}

// A page that ends in a filler row, or one fitted to the paper, keeps its height when rows of it are
// hidden: every page is as tall as the paper and shows at the size of the last one, which shows them.
void keepPageHeight(const DataReportRun& run, platform::grid::Sheet& grid, int page, int hiddenHeight)
{
    if (!(run.FillerRowHeight || run.definition().page.SelfFit) || hiddenHeight == 0)
        return;
    const int lastRow = run.PageRowRanges[page].lastRow;
    grid.setRowHeight(lastRow, grid.rowHeight(lastRow) + hiddenHeight);
}

void buildPage(DataReportRun& run, platform::grid::Sheet& grid, int page)
{
    const platform::db::Recordset& data = *run.ReportDataRs;
    const int firstRow = page == 0 ? 1 : run.PageRowRanges[page - 1].lastRow + 1;
    run.PageRowRanges.append({ firstRow, firstRow + run.PageSheetRows - 1 });
    // A batch starts on an empty grid: the previous batch's pages, or anything a rebuild finds there.
    const bool gridHoldsPages = !run.FirstBuild || grid.lastUsedRow() > 0 || !grid.objectIds().isEmpty();
    if (page == 0 && gridHoldsPages) {
        ClearBatchSheet(grid);
        PasteFormat(run, 0);
    }
    InitPageSheet(run, grid);
    if (page == 0)
        LoadRptPictures(run);
    SetMarginRowHeights(run, grid, page + 1);
    SetRptRowHeight(run, grid, page + 1);
    CountPageNumber(run);
    // Under "AUTO" a page grows record by record and has no fixed last row to fill; both builders lay out
    // the same pages.
    if (run.FirstBuild && !run.definition().page.SelfFit && !IsAutoRows(run))
        SetFillerRowHeight(run, grid);
    FillPageData(run, grid, page);
    const bool reportLastPage = data.eof();
    HandleRptHeadTail(run, grid, page, run.FirstBuild, reportLastPage);
    if (!reportLastPage)
        keepPageHeight(run, grid, page, HideTotalRows(run, grid, page));
    run.CurrentPage = page + 1;
    run.FirstBuild = false;
}

// Builds pages until the data ends or `pageLimit` pages are built, the batch's reads in one read-only
// transaction.
void buildBatch(DataReportRun& run, platform::grid::Sheet& grid, int pageLimit, const PageProgress& progress)
{
    platform::db::ReadOnlyReads reads(store::reportState().Connection.get());
    const platform::db::Recordset& data = *run.ReportDataRs;
    run.PageRowRanges.clear();
    while (!data.eof()) {
        buildPage(run, grid, run.CurrentPage);
        progress.pageBuilt(run, run.CurrentPage);
        if (data.eof() || run.CurrentPage == pageLimit)
            break;
        PasteFormat(run, run.CurrentPage);
    }
    if (!run.PageRowRanges.isEmpty())
        grid.setMaxRow(run.PageRowRanges.last().lastRow);
    SetPagePrintArea(run, grid);
    if (data.eof()) {
        if (!run.TotalCells.isEmpty())
            FillTotalRow(run, grid);
        run.ReportFinished = true;
        progress.finished();
    }
    reads.finish();
}

void closeData(const DataReportRun& run)
{
    if (run.ReportDataRsIsOwned && run.ReportDataRs->isOpen())
        run.ReportDataRs->close();
}

} // namespace

void CreateDataReport(
    DataReportRun& run, platform::grid::Sheet& grid, int targetPages, BuildProgress* progress)
{
    if (!run.ReportDataRs)
        return;
    const PageProgress pageProgress(progress, targetPages);
    run.ReportFinished = false;
    run.ReportHasData = false;
    run.CurrentPage = 0;
    if (refusesPageCount(run, targetPages))
        return;
    if (run.FirstBuild && run.DataRecordCount <= 0) {
        closeData(run);
        store::NoticeUser(NoDataText);
        // Finished: a caller that asks for batches until the report is finished would otherwise ask, and
        // be told, without end.
        run.ReportFinished = true;
        return;
    }
    run.ReportHasData = true;
    if (!run.ReportDataRs->isOpen()) {
        run.ReportFinished = true;
        return;
    }
    buildBatch(run, grid, targetPages, pageProgress);
}

void CreateAllPages(DataReportRun& run, platform::grid::Sheet& grid, int targetPages)
{
    run.ReportFinished = false;
    run.CurrentPage = 0;
    if (!run.ReportDataRs || !run.ReportDataRs->isOpen()) {
        run.ReportFinished = true;
        return;
    }
    if (refusesPageCount(run, targetPages))
        return;
    buildBatch(run, grid, targetPages, PageProgress(nullptr, targetPages));
}

} // namespace engine
