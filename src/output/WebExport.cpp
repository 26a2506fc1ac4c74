#include "output/WebExport.h"

#include "output/ReportOutput.h"
#include "platform/Error.h"
#include "platform/grid/io/SheetFile.h"
#include "platform/grid/io/XlsWriter.h"
#include "platform/outside/IdGeneratorObject.h"
#include "platform/outside/SettingsObject.h"

#include <QDir>

namespace output
{

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
    OutputBatches batches(report, working, WebExportBatchPages, progress, [&](int) {
        workbook.append(working);
        return true;
    });
    if (runBatches(batches).end == BatchEnd::NoData)
        return {};
    const QString path
        = QDir(folder).filePath(platform::outside::IdGeneratorObject().newId() + QStringLiteral(".XLS"));
    platform::grid::io::writeFile(path, [&workbook](QIODevice& file) { workbook.write(file); });
    return path;
}

} // namespace output
