#include "output/ReportOutput.h"

#include "engine/EngineState.h"
#include "engine/PageSheet.h"
#include "output/DataReportOutput.h"
#include "output/StatisticsReportOutput.h"
#include "platform/grid/Sheet.h"
#include "store/ReportDefinition.h"

#include <QProgressBar>

namespace output
{

PageRowMap ReportOutput::Pages(const platform::grid::Sheet& working) const
{
    return currentPageRows(StatPageStarts(), working.maxRow());
}

// Both kinds of report lay their margins out as rows and columns of the sheet.
void ReportOutput::SetUpPrinting(platform::grid::Sheet& working) const
{
    engine::SetGridPageSetup(working);
}

OutputBatches::OutputBatches(ReportOutput& report, platform::grid::Sheet& working, int pagesPerBatch,
    QProgressBar& progress, Take take)
    : report_(report)
    , working_(working)
    , pagesPerBatch_(pagesPerBatch)
    , progress_(progress)
    , take_(std::move(take))
{
}

int OutputBatches::buildNextBatch()
{
    progress_.setValue(0);
    report_.BuildBatch(working_, pagesPerBatch_, progress_);
    return report_.PageCount();
}

bool OutputBatches::reportHasData() const
{
    return report_.HasData();
}

bool OutputBatches::reportFinished() const
{
    return report_.Finished();
}

bool OutputBatches::takeBatch(int pages)
{
    return take_(pages);
}

std::unique_ptr<ReportOutput> reportOutputForCurrentReport()
{
    if (engine::reportDefinition().isDataReport())
        return std::make_unique<DataReportOutput>();
    return std::make_unique<StatisticsReportOutput>();
}

} // namespace output
