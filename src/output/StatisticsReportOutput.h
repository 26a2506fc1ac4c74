#pragma once

#include "engine/StatisticsRun.h"
#include "output/ReportOutput.h"

namespace output
{

// A statistics report: checked and prepared when the window loads, built whole at once, its pages
// starting at the rows the pagination gave. The output owns the statistics run of its builds.
class StatisticsReportOutput : public ReportOutput
{
public:
    using ReportOutput::ReportOutput;
    bool Prepare() override;
    void BuildBatch(platform::grid::Sheet& working, int pages, QProgressBar& progress) override;
    bool HasData() const override { return true; }
    bool Finished() const override { return true; }
    int PageCount() const override;
    QVector<int> StatPageStarts() const override;
    void Release() override;

private:
    engine::StatisticsRun statistics_;
};

} // namespace output
