#include "platform/outside/HandOverFolder.h"

#include "platform/Error.h"
#include "platform/ui/TemporaryFolder.h"

#include <optional>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::outside
{

namespace
{

bool statWithoutFollowing(const QString& path, struct stat& info)
{
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

// Whether only this user or the system can rename or replace what the folder holds: it belongs to one
// of them, and others cannot write to it or the sticky bit keeps them to their own entries.
bool keepsOthersOut(const struct stat& info)
{
    const bool othersWrite = (info.st_mode & (S_IWGRP | S_IWOTH)) != 0;
    return S_ISDIR(info.st_mode) && (info.st_uid == ::geteuid() || info.st_uid == 0)
        && (!othersWrite || (info.st_mode & S_ISVTX) != 0);
}

// The folder's path without links, when neither it nor any folder above it lets another account rename
// or replace an entry.
std::optional<QString> keptFromOthers(const QString& folder)
{
    const QString real = QFileInfo(folder).canonicalFilePath();
    if (real.isEmpty())
        return std::nullopt;
    for (QString path = real;; path = QFileInfo(path).path()) {
        struct stat info {
        };
        if (!statWithoutFollowing(path, info) || !keepsOthersOut(info))
            return std::nullopt;
        if (path == QLatin1String("/"))
            return real;
    }
}

// The user's runtime folder when it is a real folder of this user's that nobody else may enter.
std::optional<QString> runtimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    struct stat info {
    };
    if (!QDir::isAbsolutePath(runtime) || !statWithoutFollowing(runtime, info) || !S_ISDIR(info.st_mode)
        || info.st_uid != ::geteuid() || (info.st_mode & 077) != 0)
        return std::nullopt;
    return keptFromOthers(runtime);
}

} // namespace

QString handOverFolder()
{
    if (const auto runtime = runtimeFolder())
        return QDir(*runtime).filePath(QStringLiteral("OrvReport"));
    const QString temporary = ui::temporaryFolder();
    const auto kept = keptFromOthers(temporary);
    if (!kept)
        throw Error(errors::FileError, QStringLiteral("TemporaryFolder"),
            QStringLiteral(
                "不能使用临时文件夹 %1：其他用户可以改名或替换其中的文件夹（可以写入而没有粘滞位），"
                "交给其他程序的文件可能被换掉")
                .arg(QDir::toNativeSeparators(temporary)));
    return QDir(*kept).filePath(QStringLiteral("OrvReport-%1").arg(::geteuid()));
}

} // namespace platform::outside
