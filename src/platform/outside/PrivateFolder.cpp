#include "platform/outside/PrivateFolder.h"

#include "platform/Error.h"

#include <cerrno>
#include <cstring>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::outside
{

void makePrivateFolder(const QString& path)
{
    const auto fail = [&](const QString& why) {
        throw Error(errors::FileError, QStringLiteral("PrivateFolder"),
            QStringLiteral("不能使用文件夹 %1：%2").arg(path, why));
    };
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QByteArray name = QFile::encodeName(path);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        fail(QString::fromLocal8Bit(std::strerror(errno)));
    // In a shared folder such as /tmp another user may have made the folder first, or a link by its name;
    // the sticky bit of such a folder keeps anyone else from swapping the folder once it is checked.
    struct stat info {
    };
    if (::lstat(name.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
        fail(QStringLiteral("它不是当前用户的文件夹"));
    if ((info.st_mode & 07777) != 0700 && ::chmod(name.constData(), 0700) != 0)
        fail(QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace platform::outside
