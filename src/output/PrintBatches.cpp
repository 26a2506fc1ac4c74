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

BatchRun printInBatches(BatchPrinting& steps, long long totalPages)
{
    BatchRun run;
    BatchProgress progress(totalPages);
    auto stepDone = [&] {
        progress.stepDone();
        steps.showProgress(progress.value());
    };
    while (!steps.reportFinished()) {
        steps.letMessagesRun();
        if (steps.cancelRequested()) {
            run.end = BatchEnd::Cancelled;
            return run;
        }
        const int pages = steps.buildNextBatch();
        stepDone();
        if (pages == 0) {
            // The data ended exactly at the previous batch, or the build could not lay out a page: either
            // way there is nothing to print, and building again would not change that.
            run.end = steps.reportFinished() ? BatchEnd::Finished : BatchEnd::Stalled;
            break;
        }
        steps.setUpPages();
        stepDone();
        run.pagesPrinted += steps.printBatch();
        ++run.batches;
        stepDone();
    }
    if (run.end == BatchEnd::Finished)
        steps.showProgress(PrintProgressMaximum);
    return run;
}

} // namespace output
