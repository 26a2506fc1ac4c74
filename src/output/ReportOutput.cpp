#include "output/ReportOutput.h"

#include "engine/EngineState.h"
#include "engine/PageSheet.h"
#include "output/DataReportOutput.h"
#include "output/StatisticsReportOutput.h"
#include "platform/grid/Sheet.h"
#include "store/ReportDefinition.h"

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

std::unique_ptr<ReportOutput> reportOutputForCurrentReport()
{
    if (engine::reportDefinition().isDataReport())
        return std::make_unique<DataReportOutput>();
    return std::make_unique<StatisticsReportOutput>();
}

} // namespace output
