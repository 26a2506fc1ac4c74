#include "output/PrintBatches.h"
#include "platform/Error.h"

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
    void printBatch() override
    {
        printed.push_back(builds);
        pagesPrinted += lastBuilt;
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
    int pagesPrinted = 0;
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
        EXPECT_EQ(report.pagesPrinted, c.pagesPrinted) << c.pages;
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
    EXPECT_EQ(report.pagesPrinted, 20);
    EXPECT_LT(report.progress.back(), PrintProgressMaximum);
}

TEST(PrintBatches, ABuildWithoutPagesIsAFailureInsteadOfAnEndlessLoop)
{
    FakeReport report(35);
    report.stallAfter = 1;
    EXPECT_THROW(printInBatches(report, 35), platform::Error);
    EXPECT_EQ(report.builds, 2);
    EXPECT_EQ(report.printed, (std::vector<int> { 1 }));
}

// The batch loop as the print window and the web export run it: a build without data ends it at once,
// the data ending exactly with a batch ends it after an empty build, and a caller may stop after a batch.
struct LoopCase {
    const char* name;
    std::vector<int> builds; // the pages of each build; the last one ends the data
    bool hasData;
    int takeUntil; // takeBatch asks for more up to this batch
    BatchEnd end;
    int batches;
    int buildsRun;
};

class ScriptedBatches : public BatchSteps
{
public:
    explicit ScriptedBatches(const LoopCase& c)
        : c_(c)
    {
    }
    int buildNextBatch() override { return c_.builds[size_t(built_++)]; }
    bool reportHasData() const override { return c_.hasData; }
    bool reportFinished() const override { return built_ == int(c_.builds.size()); }
    bool takeBatch(int pages) override
    {
        taken.push_back(pages);
        return int(taken.size()) < c_.takeUntil;
    }

    const LoopCase& c_;
    int built_ = 0;
    std::vector<int> taken;
};

TEST(BatchLoop, EndsAsTheDataAndTheCallerSay)
{
    const LoopCase cases[] = {
        { "three batches", { 500, 500, 20 }, true, 99, BatchEnd::Finished, 3, 3 },
        { "data ends with a batch", { 500, 500, 0 }, true, 99, BatchEnd::Finished, 2, 3 },
        { "no data", { 0 }, false, 99, BatchEnd::NoData, 0, 1 },
        { "paused after one", { 20, 20, 5 }, true, 1, BatchEnd::Paused, 1, 1 },
        { "paused at the end", { 20 }, true, 1, BatchEnd::Finished, 1, 1 },
    };
    for (const LoopCase& c : cases) {
        ScriptedBatches steps(c);
        const BatchRun run = runBatches(steps);
        EXPECT_EQ(run.end, c.end) << c.name;
        EXPECT_EQ(run.batches, c.batches) << c.name;
        EXPECT_EQ(steps.built_, c.buildsRun) << c.name;
        EXPECT_EQ(int(steps.taken.size()), c.batches) << c.name;
    }
}

} // namespace
