#include "output/StatisticsReportOutput.h"

#include "engine/StatisticsReport.h"

namespace output
{

bool StatisticsReportOutput::Prepare()
{
    if (!engine::CanPrintReport(statistics_, run_))
        return false;
    engine::PrepareStatisticsPrint(statistics_, run_);
    return true;
}

void StatisticsReportOutput::BuildBatch(platform::grid::Sheet& working, int, QProgressBar&)
{
    engine::CreateStatisticsReport(statistics_, run_, working);
}

int StatisticsReportOutput::PageCount() const
{
    return statistics_.StatPageCount;
}

QVector<int> StatisticsReportOutput::StatPageStarts() const
{
    return statistics_.PageStartArray;
}

void StatisticsReportOutput::Release()
{
    engine::UnloadStatPictures(statistics_);
}

} // namespace output
