#include "output/PrintBatches.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace output;

namespace
{

// A report of some pages built ten at a time; a cancel click arrives while a chosen batch is built and
// is seen when the messages next run.
class FakeReport : public BatchPrinting
{
public:
    explicit FakeReport(int pages, int clickCancelDuringBatch = 0)
        : remaining(pages)
        , clickDuring(clickCancelDuringBatch)
    {
    }

    void letMessagesRun() override
    {
        ++pumps;
        if (clickPending)
            cancelled = true;
    }
    bool cancelRequested() const override { return cancelled; }
    int buildNextBatch() override
    {
        ++builds;
        const int pages = std::min(remaining, PagesPerPrintBatch);
        remaining -= pages;
        lastBuilt = pages;
        finished = remaining == 0;
        if (builds == clickDuring)
            clickPending = true;
        if (stallAfter && builds > stallAfter)
            return 0;
        return pages;
    }
    bool reportFinished() const override { return finished; }
    void setUpPages() override { ++setUps; }
    int printBatch() override
    {
        printed.push_back(builds);
        return lastBuilt;
    }
    void showProgress(int value) override { progress.push_back(value); }

    int remaining;
    int lastBuilt = 0;
    int clickDuring;
    int stallAfter = 0;
    bool clickPending = false;
    bool cancelled = false;
    bool finished = false;
    int pumps = 0;
    int builds = 0;
    int setUps = 0;
    std::vector<int> printed;
    std::vector<int> progress;
};

TEST(PrintBatches, BatchCountIsTheCeilingOfTenths)
{
    const std::pair<long long, int> cases[]
        = { { 0, 0 }, { 1, 1 }, { 10, 1 }, { 11, 2 }, { 25, 3 }, { 100, 10 }, { 101, 11 } };
    for (const auto& [pages, batches] : cases)
        EXPECT_EQ(printBatchCount(pages), batches) << pages;
}

struct RunCase {
    int pages;
    int batches;
    int pagesPrinted;
};

TEST(PrintBatches, EveryPageIsPrintedBatchByBatch)
{
    const RunCase cases[] = { { 25, 3, 25 }, { 10, 1, 10 }, { 11, 2, 11 }, { 1, 1, 1 } };
    for (const RunCase& c : cases) {
        FakeReport report(c.pages);
        const BatchRun run = printInBatches(report, c.pages);
        EXPECT_EQ(run.end, BatchEnd::Finished) << c.pages;
        EXPECT_EQ(run.batches, c.batches) << c.pages;
        EXPECT_EQ(run.pagesPrinted, c.pagesPrinted) << c.pages;
        EXPECT_EQ(report.setUps, c.batches) << c.pages;
        // The messages run once before every batch, so a cancel click is seen between batches.
        EXPECT_EQ(report.pumps, c.batches) << c.pages;
        EXPECT_EQ(report.progress.back(), PrintProgressMaximum) << c.pages;
    }
}

TEST(PrintBatches, ProgressClimbsFromTenToFiftyInThreeStepsPerBatch)
{
    FakeReport report(25);
    printInBatches(report, 25);
    // 40 / 9 per step: 14.4, 18.9, 23.3, 27.8, 32.2, 36.7, 41.1, 45.6, 50, then the end.
    EXPECT_EQ(report.progress, (std::vector<int> { 14, 19, 23, 28, 32, 37, 41, 46, 50, 50 }));
}

TEST(PrintBatches, MoreBatchesThanPromisedNeverPassTheMaximum)
{
    FakeReport report(35);
    printInBatches(report, 12); // counted 12 pages, built 35
    for (int value : report.progress)
        EXPECT_LE(value, PrintProgressMaximum);
    EXPECT_EQ(report.builds, 4);
}

TEST(PrintBatches, CancelDuringTheSecondBatchPrintsItAndBuildsNoThird)
{
    FakeReport report(35, 2);
    const BatchRun run = printInBatches(report, 35);
    EXPECT_EQ(run.end, BatchEnd::Cancelled);
    EXPECT_EQ(report.builds, 2);
    EXPECT_EQ(report.printed, (std::vector<int> { 1, 2 }));
    EXPECT_EQ(run.pagesPrinted, 20);
    EXPECT_LT(report.progress.back(), PrintProgressMaximum);
}

TEST(PrintBatches, ABuildWithoutPagesEndsTheRunInsteadOfLoopingForever)
{
    FakeReport report(35);
    report.stallAfter = 1;
    const BatchRun run = printInBatches(report, 35);
    EXPECT_EQ(run.end, BatchEnd::Stalled);
    EXPECT_EQ(report.builds, 2);
    EXPECT_EQ(report.printed, (std::vector<int> { 1 }));
}

} // namespace
