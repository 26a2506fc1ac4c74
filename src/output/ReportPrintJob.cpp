#include "output/ReportPrintJob.h"

#include "engine/BlankReport.h"
#include "engine/DataReportBuilder.h"
#include "engine/EngineState.h"
#include "engine/PagePipeline.h"
#include "engine/PageSheet.h"
#include "engine/StatisticsReport.h"
#include "output/ReportPrinter.h"
#include "platform/grid/print/PrintRun.h"
#include "platform/outside/FailureLog.h"
#include "store/DefinitionReader.h"
#include "store/ReportDefinition.h"
#include "store/ReportLog.h"
#include "store/ReportState.h"
#include "store/UserNotice.h"

#include <utility>

namespace output
{

namespace
{

const QString NoDataMessage = QStringLiteral("报表没有数据，不能生成报表！");
const QString CancelledMessage = QStringLiteral("报表打印已取消");

// Runs a step of the job whose failure is logged; the user and the host are also told, since nothing else
// shows that the report did not reach the printer.
template <class F> void runTellingFailure(const char* procedure, F&& step)
{
    if (!platform::outside::runLogged(procedure, std::forward<F>(step)))
        store::NoticeUser(QStringLiteral("打印报表时出错！"));
}

// Progress of a data report once its data is open (PrintProgressPrepared once its page sheet is laid out).
constexpr int ProgressDataOpened = 5;

// The statistics report's progress after preparing, building and setting up its pages.
constexpr int ProgressStatPrepared = 20;
constexpr int ProgressStatBuilt = 30;
constexpr int ProgressStatSetUp = 40;

// Clears the running flag however the job ends.
struct RunningScope {
    explicit RunningScope(bool& running)
        : running_(running)
    {
        running_ = true;
    }
    ~RunningScope() { running_ = false; }
    bool& running_;
};

} // namespace

ReportPrintJob::ReportPrintJob(Hooks hooks)
    : hooks_(std::move(hooks))
{
}

ReportPrintJob::~ReportPrintJob() = default;

void ReportPrintJob::run()
{
    const RunningScope running(running_);
    cancelRequested_ = false;
    report_.reset();
    std::shared_ptr<const store::ReportDefinition> definition;
    runTellingFailure("ReadReportDefinition", [&] { definition = store::ReadCurrentReportDefinition(); });
    if (!definition)
        return;
    report_ = std::make_unique<engine::DataReportRun>(definition);
    report_->Output = hooks_.output;
    switch (definition->type) {
    case store::DataReport:
        runTellingFailure("PrintDataReport", [this] { PrintDataReport(); });
        // The report's data is not needed once it is printed.
        platform::outside::runLogged("ClearReportData", [this] { engine::ClearReportData(*report_); });
        break;
    default:
        // Any other type meets the statistics report's check, which refuses it by name.
        runTellingFailure("PrintStatistics", [this] { PrintStatistics(); });
        break;
    }
}

void ReportPrintJob::PrintDataReport()
{
    engine::DataReportRun& report = *report_;
    if (!engine::CanPrintDataReport(report))
        return;
    letMessagesRun();
    if (cancelRequested_) {
        tellCancelled();
        return;
    }
    engine::PrepareReportData(report);
    showProgress(ProgressDataOpened);
    engine::InitPageSheet(report, fbkReport_);
    showProgress(PrintProgressPrepared);
    TurnPrinterToReport(report_->definition());
    const long long totalPages = report.TotalPages;
    if (totalPages == 0) {
        if (store::reportState().IsPrintBlankReport)
            printBlankForm();
        else
            store::NoticeUser(NoDataMessage, platform::ui::Icon::Information);
        return;
    }
    oneDocument_ = OneDocumentRun();
    const BatchEnd end = printInBatches(*this, totalPages).end;
    // A document cut short by a cancel goes unfinished, and with it its file.
    const std::unique_ptr<platform::grid::PrintRun> run = std::move(oneDocument_);
    if (end == BatchEnd::Cancelled) {
        tellCancelled();
        return;
    }
    if (run) {
        run->finish();
        countPrinted(documentPages_);
    }
}

void ReportPrintJob::printBlankForm()
{
    if (!engine::CanPreviewDataReport(*report_))
        return;
    fbkReport_ = platform::grid::Sheet {};
    engine::CreateBlankReport(*report_, fbkReport_);
    showProgress(PrintProgressMaximum);
    SetBlankFormPrintSetup(*report_, fbkReport_);
    print(false);
}

void ReportPrintJob::PrintStatistics()
{
    statistics_ = engine::StatisticsRun {};
    statistics_.Output = hooks_.output;
    if (!engine::CanPrintReport(statistics_, *report_))
        return;
    showProgress(PrintProgressPrepared);
    letMessagesRun();
    TurnPrinterToReport(report_->definition());
    if (cancelRequested_) {
        tellCancelled();
        return;
    }
    engine::PrepareStatisticsPrint(statistics_, *report_);
    showProgress(ProgressStatPrepared);
    engine::CreateStatisticsReport(statistics_, *report_, fbkReport_);
    showProgress(ProgressStatBuilt);
    SetStatisticsPrintSetup(*report_, fbkReport_, statistics_.PageStartArray);
    showProgress(ProgressStatSetUp);
    // A printer dialog cancelled prints nothing and shows nothing, but the host learns that the report
    // was not printed; a printer that fails is told.
    runTellingFailure("PrintStatistics", [this] {
        if (print(true) == 0)
            tellCancelled();
    });
    showProgress(PrintProgressMaximum);
}

void ReportPrintJob::letMessagesRun()
{
    if (hooks_.letMessagesRun)
        hooks_.letMessagesRun();
}

int ReportPrintJob::buildNextBatch()
{
    engine::CreateAllPages(*report_, fbkReport_, PagesPerPrintBatch);
    return report_->CurrentPage;
}

bool ReportPrintJob::reportFinished() const
{
    return report_->ReportFinished;
}

void ReportPrintJob::setUpPages()
{
    // The build has given the sheet one piece of print area per page, so each page prints on its own.
    engine::SetGridPageSetup(*report_, fbkReport_);
}

void ReportPrintJob::printBatch()
{
    if (oneDocument_)
        documentPages_ += oneDocument_->add(fbkReport_);
    else
        print(false);
}

void ReportPrintJob::showProgress(int value)
{
    if (hooks_.showProgress)
        hooks_.showProgress(value);
}

int ReportPrintJob::print(bool withDialog)
{
    const int pages = PrintOnDefaultPrinter(fbkReport_, withDialog);
    countPrinted(pages);
    return pages;
}

// The host learns that the report was not printed whole; the clerk, who cancelled, needs no box.
void ReportPrintJob::tellCancelled()
{
    store::reportState().ErrorMessage = CancelledMessage;
}

// The use log gets one row for the job, once something has gone to the printer (for a document of
// several batches, once it is finished).
void ReportPrintJob::countPrinted(int pages)
{
    if (pages > 0 && !logged_) {
        logged_ = true;
        store::WriteReportLog(store::LogWordPrint);
    }
}

} // namespace output
