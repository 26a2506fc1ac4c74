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

ReportOutput::ReportOutput(std::shared_ptr<const store::ReportDefinition> definition)
    : run_(std::move(definition))
{
}

PageRowMap ReportOutput::Pages(const platform::grid::Sheet& working) const
{
    return currentPageRows(run_, StatPageStarts(), working.maxRow());
}

// Both kinds of report lay their margins out as rows and columns of the sheet.
void ReportOutput::SetUpPrinting(platform::grid::Sheet& working) const
{
    engine::SetGridPageSetup(run_, working);
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

std::unique_ptr<ReportOutput> reportOutputFor(std::shared_ptr<const store::ReportDefinition> definition)
{
    if (definition->isDataReport())
        return std::make_unique<DataReportOutput>(std::move(definition));
    return std::make_unique<StatisticsReportOutput>(std::move(definition));
}

} // namespace output
