#pragma once

#include "output/BatchLoop.h"

// Printing a data report without preview: the report is built ten pages at a time into one working
// sheet, and each batch is printed before the next is built, so that a long report never stands in the
// sheet whole. Between batches the window lets its messages run once, so that a click on its cancel
// button is seen; a cancel lets the batch under way finish and builds no further one.
namespace output
{

constexpr int PagesPerPrintBatch = 10;

// The progress bar runs from 0 to 50: preparation takes it to 10, the batches share the other 40.
constexpr int PrintProgressMaximum = 50;
constexpr int PrintProgressPrepared = 10;

// How many batches a report of that many pages takes (the last one may be short).
int printBatchCount(long long totalPages);

// The progress of the batches: three equal steps per batch (built, set up, printed), never past the
// maximum, also when the report gives more batches than its page count promised.
class BatchProgress
{
public:
    explicit BatchProgress(long long totalPages);
    void stepDone();
    int value() const;

private:
    double step_;
    double value_ = PrintProgressPrepared;
};

// The steps of one print run: the batch loop's, with the batch set up and printed as it is taken.
class BatchPrinting
{
public:
    virtual ~BatchPrinting() = default;
    virtual void letMessagesRun() = 0;
    virtual bool cancelRequested() const = 0;
    // Builds the next batch into the working sheet and returns its page count.
    virtual int buildNextBatch() = 0;
    virtual bool reportFinished() const = 0;
    virtual void setUpPages() = 0;
    virtual void printBatch() = 0;
    virtual void showProgress(int value) = 0;
};

// Builds and prints batch after batch until the report is finished or the user cancels, with the
// progress of `totalPages` pages. Throws platform::Error when a build makes no page although the data
// has not ended (see runBatches).
BatchRun printInBatches(BatchPrinting& steps, long long totalPages);

} // namespace output
