#include "SheetFile.h"

#include "DeviceWrite.h"
#include "HtmlWriter.h"
#include "platform/Error.h"
#include "platform/grid/Sheet.h"
#include "TextWriter.h"
#include "VtsDocument.h"
#include "XlsWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <unistd.h>

namespace platform::grid::io
{

namespace
{

const QString kSource = QStringLiteral("SheetFile");

[[noreturn]] void cannotWrite(const QString& path, const QString& reason)
{
    throw Error(errors::FileError, kSource, QStringLiteral("无法写入文件“%1”：%2").arg(path, reason));
}

} // namespace

std::optional<FileType> fileTypeForExtension(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("vts"))
        return FileType::Vts;
    if (suffix == QLatin1String("xls"))
        return FileType::Xls;
    if (suffix == QLatin1String("htm") || suffix == QLatin1String("html"))
        return FileType::Html;
    if (suffix == QLatin1String("txt"))
        return FileType::Text;
    return std::nullopt;
}

void writeInto(QFileDevice& file, const QString& path, const std::function<void(QIODevice&)>& write)
{
    try {
        write(file);
    } catch (const Error& error) {
        if (error.number() == errors::FileError)
            cannotWrite(path, error.description());
        throw;
    }
    // The last buffered bytes, and what the disk takes only when asked to keep it, can fail as well.
    const auto kept
        = [&] { return file.flush() && file.error() == QFileDevice::NoError && ::fsync(file.handle()) == 0; };
    if (const auto reason = failureOf(file, kept))
        cannotWrite(path, *reason);
}

void writeFile(const QString& path, const std::function<void(QIODevice&)>& write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        cannotWrite(path, file.errorString());
    try {
        writeInto(file, path, write);
    } catch (...) {
        file.cancelWriting();
        throw;
    }
    // The file takes its name only when all of it is kept.
    if (const auto reason = failureOf(file, [&] { return file.commit(); }))
        cannotWrite(path, *reason);
}

void writeSheet(const Sheet& sheet, const QString& path, FileType type)
{
    writeFile(path, [&](QIODevice& file) {
        switch (type) {
        case FileType::Vts:
            writeAll(file, vtsDocument(sheet));
            break;
        case FileType::Xls:
            writeXls(sheet, file);
            break;
        case FileType::Html:
            writeHtml(sheet, file, QFileInfo(path).completeBaseName());
            break;
        case FileType::Text:
            writeText(sheet, file);
            break;
        }
    });
}

Sheet readVts(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error(
            errors::FileError, kSource, QStringLiteral("无法打开文件“%1”：%2").arg(path, file.errorString()));
    }
    return sheetFromVts(file.readAll(), path);
}

} // namespace platform::grid::io
