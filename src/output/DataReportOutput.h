#pragma once

#include "output/ReportOutput.h"

namespace output
{

// A data report: checked and prepared when the window loads, built in batches of pages from its
// records, its pages lying where the last batch built them.
class DataReportOutput : public ReportOutput
{
public:
    using ReportOutput::ReportOutput;
    bool Prepare() override;
    void BuildBatch(platform::grid::Sheet& working, int pages, QProgressBar& progress) override;
    bool HasData() const override;
    bool Finished() const override;
    int PageCount() const override;
    QVector<int> StatPageStarts() const override { return {}; }
    void Release() override;
};

} // namespace output
