#include "output/WebExport.h"

#include "output/ReportOutput.h"
#include "platform/Error.h"
#include "platform/grid/io/SheetFile.h"
#include "platform/grid/io/XlsWriter.h"
#include "platform/grid/Sheet.h"
#include "platform/outside/IdGeneratorObject.h"
#include "platform/outside/SettingsObject.h"

#include <deque>
#include <future>
#include <memory>
#include <QDir>

namespace output
{

namespace
{

// The workbook takes each batch on a thread of its own while the next batch is built, one batch after
// the other. The batch's cells go with it, taken from the working sheet rather than copied: the next
// batch starts by clearing the sheet anyway, and after the last one nothing shows it. Two batches may
// wait for the workbook, so that one that takes it longer (a worksheet filled and put aside) does not
// hold the build up.
class BackgroundAppend
{
public:
    explicit BackgroundAppend(platform::grid::io::XlsWorkbook& workbook)
        : workbook_(workbook)
    {
    }
    void append(platform::grid::Sheet& batch)
    {
        while (pending_.size() >= 2)
            takeFirst();
        auto copy = std::make_unique<const platform::grid::Sheet>(batch.copyTakingCells());
        std::shared_future<void> before
            = pending_.empty() ? std::shared_future<void>() : pending_.back().appended;
        std::promise<void> appended;
        std::shared_future<void> appendedFuture = appended.get_future().share();
        // The copy is let go on the batch's thread once written, while the next batch goes into the
        // workbook: letting go of its cells takes a tenth of the time of appending them.
        auto done = std::async(std::launch::async,
            [this, copy = std::move(copy), before, appended = std::move(appended)]() mutable {
                try {
                    if (before.valid())
                        before.get();
                    workbook_.append(*copy);
                    appended.set_value();
                } catch (...) {
                    appended.set_exception(std::current_exception());
                }
                copy.reset();
            });
        pending_.push_back({ std::move(appendedFuture), std::move(done) });
    }

    // Waits for the batches on their way into the workbook; throws what appending one threw.
    void finish()
    {
        while (!pending_.empty())
            takeFirst();
    }

private:
    struct Batch {
        std::shared_future<void> appended; // what the next batch waits for
        std::future<void> done; // appended and let go; destroying it waits for the batch's thread
    };

    void takeFirst()
    {
        Batch first = std::move(pending_.front());
        pending_.pop_front();
        first.done.wait();
        first.appended.get();
    }

    platform::grid::io::XlsWorkbook& workbook_;
    std::deque<Batch> pending_;
};

} // namespace

QString webExportFolder()
{
    const QString fromEnvironment = qEnvironmentVariable("ORV_WEB_EXPORT_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString fromSettings
        = platform::outside::SettingsObject().read(QStringLiteral("PrintSetup"), WebExportFolderKey);
    if (!fromSettings.isEmpty())
        return fromSettings;
    return QDir::temp().filePath(QStringLiteral("retportTemp"));
}

QString WriteWebExport(ReportOutput& report, platform::grid::Sheet& working, QProgressBar& progress)
{
    const QString folder = webExportFolder();
    if (!QDir().mkpath(folder))
        throw platform::Error(platform::errors::FileError, QStringLiteral("WebExport"),
            QStringLiteral("无法创建导出文件夹 %1").arg(QDir::toNativeSeparators(folder)));
    platform::grid::io::XlsWorkbook workbook;
    BackgroundAppend appender(workbook);
    OutputBatches batches(report, working, WebExportBatchPages, progress, [&](int) {
        appender.append(working);
        return true;
    });
    const BatchEnd end = runBatches(batches).end;
    appender.finish();
    if (end == BatchEnd::NoData)
        return {};
    const QString path
        = QDir(folder).filePath(platform::outside::IdGeneratorObject().newId() + QStringLiteral(".XLS"));
    // The workbook is written on a thread of its own while the report lets its data go: freeing a large
    // record set takes about as long as writing the file.
    auto written = std::async(std::launch::async,
        [&] { platform::grid::io::writeFile(path, [&workbook](QIODevice& file) { workbook.write(file); }); });
    try {
        report.Release();
    } catch (const std::exception&) {
        // Letting the data go is tried again when the window closes; the workbook stands either way.
    }
    written.get();
    return path;
}

} // namespace output
