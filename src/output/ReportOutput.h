#pragma once

#include "engine/EngineState.h"
#include "output/BatchLoop.h"
#include "output/PrintRange.h"

#include <functional>
#include <memory>
#include <QVector>

class QProgressBar;

namespace platform::grid
{
class Sheet;
}

// What the print window does with a report that depends on its type: a data report is built batch
// by batch from its records, a statistics report at once; their pages lie in the working sheet by
// different rules.
namespace output
{

class ReportOutput
{
public:
    explicit ReportOutput(std::shared_ptr<const store::ReportDefinition> definition);
    virtual ~ReportOutput() = default;

    // The build's own state, on the report's definition.
    const engine::DataReportRun& Run() const { return run_; }

    // Checks that the report can be built and prepares the build; false (the user told, or in silent
    // web mode the message in ErrorMessage) when it cannot.
    virtual bool Prepare() = 0;
    // Builds the next batch of at most `pages` pages into the working sheet, in place of the previous
    // one; a report that is built at once builds all of it.
    virtual void BuildBatch(platform::grid::Sheet& working, int pages, QProgressBar& progress) = 0;
    // False when the last build found no data (the user has been told).
    virtual bool HasData() const = 0;
    // True when every page has been built: no further batch follows.
    virtual bool Finished() const = 0;

    // The pages of the last build in the working sheet and their number.
    virtual int PageCount() const = 0;
    virtual QVector<int> StatPageStarts() const = 0; // a statistics report's page starts, else none
    PageRowMap Pages(const platform::grid::Sheet& working) const;

    // The working sheet's page setup for printing the built pages: the report's paper and orientation,
    // no margins of the paper's own (the pages carry theirs).
    void SetUpPrinting(platform::grid::Sheet& working) const;

    // Releases what the build holds when the window closes.
    virtual void Release() = 0;

protected:
    engine::DataReportRun run_;
};

// The batch loop's steps for a report output: each batch of at most `pagesPerBatch` pages is built
// into the working sheet, the progress bar starting from 0, and handed to `take` (which returns whether
// a further batch follows now).
class OutputBatches : public BatchSteps
{
public:
    using Take = std::function<bool(int pages)>;
    OutputBatches(ReportOutput& report, platform::grid::Sheet& working, int pagesPerBatch,
        QProgressBar& progress, Take take);

    int buildNextBatch() override;
    bool reportHasData() const override;
    bool reportFinished() const override;
    bool takeBatch(int pages) override;

private:
    ReportOutput& report_;
    platform::grid::Sheet& working_;
    int pagesPerBatch_;
    QProgressBar& progress_;
    Take take_;
};

// The output of the definition's report type (a statistics report, or a data report).
std::unique_ptr<ReportOutput> reportOutputFor(std::shared_ptr<const store::ReportDefinition> definition);

} // namespace output
