#include "output/PrintBatches.h"

#include <algorithm>
#include <cmath>

namespace output
{

int printBatchCount(long long totalPages)
{
    if (totalPages <= 0)
        return 0;
    return int((totalPages + PagesPerPrintBatch - 1) / PagesPerPrintBatch);
}

BatchProgress::BatchProgress(long long totalPages)
    : step_(double(PrintProgressMaximum - PrintProgressPrepared)
        / (3.0 * std::max(1, printBatchCount(totalPages))))
{
}

void BatchProgress::stepDone()
{
    value_ = std::min<double>(value_ + step_, PrintProgressMaximum);
}

int BatchProgress::value() const
{
    return int(std::lround(value_));
}

namespace
{

// The print run as the batch loop's steps: three progress steps per batch (built, set up, printed).
class PrintingSteps : public BatchSteps
{
public:
    PrintingSteps(BatchPrinting& printing, long long totalPages)
        : printing_(printing)
        , progress_(totalPages)
    {
    }
    void letMessagesRun() override { printing_.letMessagesRun(); }
    bool cancelRequested() const override { return printing_.cancelRequested(); }
    int buildNextBatch() override
    {
        const int pages = printing_.buildNextBatch();
        stepDone();
        return pages;
    }
    bool reportFinished() const override { return printing_.reportFinished(); }
    bool takeBatch(int) override
    {
        printing_.setUpPages();
        stepDone();
        printing_.printBatch();
        stepDone();
        return true;
    }

private:
    void stepDone()
    {
        progress_.stepDone();
        printing_.showProgress(progress_.value());
    }

    BatchPrinting& printing_;
    BatchProgress progress_;
};

} // namespace

BatchRun printInBatches(BatchPrinting& steps, long long totalPages)
{
    PrintingSteps printing(steps, totalPages);
    const BatchRun run = runBatches(printing);
    if (run.end == BatchEnd::Finished)
        steps.showProgress(PrintProgressMaximum);
    return run;
}

} // namespace output
