#include "output/StatisticsReportOutput.h"

#include "engine/StatisticsReport.h"

namespace output
{

bool StatisticsReportOutput::Prepare()
{
    if (!engine::CanPrintReport(run_))
        return false;
    engine::PrepareStatisticsPrint(run_);
    return true;
}

void StatisticsReportOutput::BuildBatch(platform::grid::Sheet& working, int, QProgressBar&)
{
    engine::CreateStatisticsReport(run_, working);
}

int StatisticsReportOutput::PageCount() const
{
    return run_.StatPageCount;
}

QVector<int> StatisticsReportOutput::StatPageStarts() const
{
    return run_.PageStartArray;
}

void StatisticsReportOutput::Release()
{
    engine::UnloadStatPictures(run_);
}

} // namespace output
