#include "output/WebExport.h"

#include "output/ReportOutput.h"
#include "platform/db/ReadOnlyReads.h"
#include "platform/Error.h"
#include "platform/grid/io/SheetFile.h"
#include "platform/grid/io/XlsWriter.h"
#include "platform/grid/Sheet.h"
#include "platform/outside/IdGeneratorObject.h"
#include "platform/outside/PrivateFolder.h"
#include "platform/outside/SettingsObject.h"
#include "platform/ui/TemporaryFolder.h"
#include "store/ReportState.h"

#include <cerrno>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <QDir>
#include <QFile>
#include <unistd.h>

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

// The folder the host or an administrator names: the variable, else the setting; none when neither is.
std::optional<QString> namedFolder()
{
    const QString fromEnvironment = qEnvironmentVariable("ORV_WEB_EXPORT_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString fromSettings
        = platform::outside::SettingsObject().read(QStringLiteral("PrintSetup"), WebExportFolderKey);
    if (!fromSettings.isEmpty())
        return fromSettings;
    return std::nullopt;
}

QString defaultFolder()
{
    return QDir(platform::ui::temporaryFolder()).filePath(QStringLiteral("retportTemp"));
}

// The default folder as the user's own. The temporary folder is one for the whole machine: when another
// account made "retportTemp" first, or put a link or a file by its name, the user's exports go into a
// folder of the user's own beside it, and nothing into the other one.
void openDefaultFolder(std::optional<platform::outside::PrivateFolder>& own)
{
    try {
        own.emplace(defaultFolder());
    } catch (const platform::Error&) {
        own.emplace(defaultFolder() + QStringLiteral("-%1").arg(::geteuid()));
    }
}

using WriteContent = std::function<void(QIODevice&)>;

// Writes the file `name` of the user's own folder through the folder's descriptor, readable by its
// owner only.
void writePrivately(
    const platform::outside::PrivateFolder& folder, const QString& name, const WriteContent& write)
{
    platform::outside::PrivateFile file(folder, name);
    QFile device;
    if (!device.open(file.descriptor(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
        file.fail(errno);
    platform::grid::io::writeInto(device, file.path(), write);
    file.keep();
}

} // namespace

QString webExportFolder()
{
    return namedFolder().value_or(defaultFolder());
}

QString WriteWebExport(ReportOutput& report, platform::grid::Sheet& working, QProgressBar& progress)
{
    // A folder that is named is used as it was set up. The default one lies in the temporary folder,
    // where another user may have made it first or put a link by its name: it is used only as the
    // user's own (else the user's folder beside it), and its workbooks are readable by their owner only.
    const std::optional<QString> named = namedFolder();
    std::optional<platform::outside::PrivateFolder> own;
    if (!named)
        openDefaultFolder(own);
    else if (!QDir().mkpath(*named))
        throw platform::Error(platform::errors::FileError, QStringLiteral("WebExport"),
            QStringLiteral("无法创建导出文件夹 %1").arg(QDir::toNativeSeparators(*named)));
    platform::grid::io::XlsWorkbook workbook;
    BackgroundAppend appender(workbook);
    OutputBatches batches(report, working, WebExportBatchPages, progress, [&](int) {
        appender.append(working);
        return true;
    });
    // The export's batches read in one read-only transaction, checked before the workbook is written.
    platform::db::ReadOnlyReads reads(store::reportState().Connection.get());
    const BatchEnd end = runBatches(batches).end;
    reads.finish();
    appender.finish();
    if (end == BatchEnd::NoData)
        return {};
    const QString name = platform::outside::IdGeneratorObject().newId() + QStringLiteral(".XLS");
    const QString path = QDir(named ? *named : own->path()).filePath(name);
    const WriteContent write = [&workbook](QIODevice& file) { workbook.write(file); };
    // The workbook is written on a thread of its own while the report lets its data go: freeing a large
    // record set takes about as long as writing the file.
    auto written = std::async(std::launch::async, [&] {
        if (own)
            writePrivately(*own, name, write);
        else
            platform::grid::io::writeFile(path, write);
    });
    try {
        report.Release();
    } catch (const std::exception&) {
        // Letting the data go is tried again when the window closes; the workbook stands either way.
    }
    written.get();
    return path;
}

} // namespace output
