#pragma once

// Building a report batch by batch into one working sheet, so that a long report never stands in it
// whole: the print window, printing without preview and the web export run this one loop, and each does
// its own with a batch once it is built (shows, prints or writes it).
namespace output
{

class BatchSteps
{
public:
    virtual ~BatchSteps() = default;
    // Runs once before every batch, so that a click on a window's cancel button is seen between batches.
    virtual void letMessagesRun() { }
    virtual bool cancelRequested() const { return false; }
    // Builds the next batch into the working sheet, in place of the previous one; returns its pages.
    virtual int buildNextBatch() = 0;
    // False when the build found no data at all (the user has been told).
    virtual bool reportHasData() const { return true; }
    // True when every page has been built.
    virtual bool reportFinished() const = 0;
    // Does what the caller wants with the batch just built; false when no further batch follows now.
    virtual bool takeBatch(int pages) = 0;
};

enum class BatchEnd {
    Finished, // every page was built and taken
    Cancelled, // the user cancelled between two batches
    Paused, // the caller took a batch and wants no further one now
    NoData, // the report has no data
};

struct BatchRun {
    BatchEnd end = BatchEnd::Finished;
    int batches = 0; // batches taken
};

// Builds and takes batch after batch until the report is finished, the caller pauses or the user
// cancels. Throws platform::Error when a build makes no page although the data has not ended: building
// again would not change that, and the report would never end.
BatchRun runBatches(BatchSteps& steps);

} // namespace output
