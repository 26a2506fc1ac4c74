#pragma once

#include "engine/StatisticsRun.h"
#include "output/PrintBatches.h"
#include "platform/grid/Sheet.h"

#include <functional>
#include <memory>

namespace engine
{
struct DataReportRun;
class OutputForm;
}
namespace platform::grid
{
class PrintRun;
}

// Printing the current report without a preview, as the print-progress window runs it: the report is
// checked and built into a working sheet of the job and printed on the default printer. A data report
// goes batch by batch (a blank form when it has no data and the host asked for one), a statistics report
// in one piece after the printer dialog. The job is told how to show its progress and how to let the
// window's messages run, so that it needs no window and a window needs no more than these two.
namespace output
{

class ReportPrintJob : private BatchPrinting
{
public:
    struct Hooks {
        std::function<void(int)> showProgress; // 0 to PrintProgressMaximum
        std::function<void()> letMessagesRun;
        engine::OutputForm* output = nullptr; // told of a statistics report's pictures when they are read
    };

    explicit ReportPrintJob(Hooks hooks);
    ~ReportPrintJob() override;

    // Runs the job for the state's ReportType (data or statistics report; any other type prints nothing),
    // on a run of its own that stays until the next job.
    void run();

    // A cancel lets the batch under way finish and builds no further one; the job then puts "报表打印已取消"
    // into the state's ErrorMessage, and on a printer that writes a file it leaves none. A statistics
    // report's printer dialog cancelled tells the host the same.
    void requestCancel() { cancelRequested_ = true; }
    bool cancelRequested() const override { return cancelRequested_; }

    bool running() const { return running_; }
    const platform::grid::Sheet& sheet() const { return fbkReport_; }
    // The run of the last job; none before the first or when its report could not be read.
    const engine::DataReportRun* report() const { return report_.get(); }
    // The last statistics build's pages and pictures.
    const engine::StatisticsRun& statistics() const { return statistics_; }

private:
    void letMessagesRun() override;
    int buildNextBatch() override;
    bool reportFinished() const override;
    void setUpPages() override;
    void printBatch() override;
    void showProgress(int value) override;

    void PrintDataReport();
    void PrintStatistics();
    void printBlankForm();
    // Returns the pages printed: none when the printer dialog was cancelled.
    int print(bool withDialog);
    void tellCancelled();
    void countPrinted(int pages);

    Hooks hooks_;
    std::unique_ptr<engine::DataReportRun> report_;
    platform::grid::Sheet fbkReport_;
    engine::StatisticsRun statistics_;
    std::unique_ptr<platform::grid::PrintRun> oneDocument_; // the batches' document, on a file printer
    int documentPages_ = 0; // in it so far
    bool cancelRequested_ = false;
    bool running_ = false;
    bool logged_ = false;
};

} // namespace output
