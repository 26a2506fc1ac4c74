#include "output/DataReportOutput.h"

#include "engine/BuildProgress.h"
#include "engine/DataReportBuilder.h"
#include "engine/EngineState.h"
#include "engine/PagePipeline.h"
#include "platform/outside/SharedObjects.h"
#include "platform/outside/StatExpressionObject.h"
#include "store/ReportState.h"

#include <QProgressBar>

namespace output
{

namespace
{

// The window's progress bar as the builder moves it.
class ProgressBarProgress : public engine::BuildProgress
{
public:
    explicit ProgressBarProgress(QProgressBar& bar)
        : bar_(bar)
    {
    }
    double value() const override { return bar_.value(); }
    void setValue(double value) override { bar_.setValue(int(value)); }
    double maximum() const override { return bar_.maximum(); }

private:
    QProgressBar& bar_;
};

} // namespace

// The report's parameters are asked once, when the window loads; never in silent web mode.
bool DataReportOutput::Prepare()
{
    const store::ReportState& state = store::reportState();
    const auto parameters = platform::outside::sharedStatExpression();
    parameters->setConnection(state.Connection);
    parameters->setReportId(state.ReportId);
    parameters->initialise(state.WebPrintMode ? platform::outside::ParameterPrompt::Never
                                              : platform::outside::ParameterPrompt::WhenWindowAvailable);
    if (!engine::CanPrintDataReport(run_))
        return false;
    engine::PrepareReportData(run_);
    return true;
}

void DataReportOutput::BuildBatch(platform::grid::Sheet& working, int pages, QProgressBar& progress)
{
    ProgressBarProgress bar(progress);
    engine::CreateDataReport(run_, working, pages, &bar);
}

bool DataReportOutput::HasData() const
{
    return run_.ReportHasData;
}

bool DataReportOutput::Finished() const
{
    return run_.ReportFinished;
}

int DataReportOutput::PageCount() const
{
    return int(run_.PageRowRanges.size());
}

void DataReportOutput::Release()
{
    engine::ClearReportData(run_);
}

} // namespace output
