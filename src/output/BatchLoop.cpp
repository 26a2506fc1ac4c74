#include "output/BatchLoop.h"

#include "platform/Error.h"

namespace output
{

BatchRun runBatches(BatchSteps& steps)
{
    BatchRun run;
    for (;;) {
        steps.letMessagesRun();
        if (steps.cancelRequested()) {
            run.end = BatchEnd::Cancelled;
            return run;
        }
        const int pages = steps.buildNextBatch();
        if (!steps.reportHasData()) {
            run.end = BatchEnd::NoData;
            return run;
        }
        if (pages == 0) {
            // The data ended exactly with the previous batch, or the build could not lay out a page.
            if (steps.reportFinished())
                return run;
            throw platform::Error(platform::errors::InvalidArgument, QStringLiteral("BatchLoop"),
                QStringLiteral("第%1批报表页一页也没有生成，而数据尚未结束。").arg(run.batches + 1));
        }
        const bool wantsMore = steps.takeBatch(pages);
        ++run.batches;
        if (steps.reportFinished())
            return run;
        if (!wantsMore) {
            run.end = BatchEnd::Paused;
            return run;
        }
    }
}

} // namespace output
