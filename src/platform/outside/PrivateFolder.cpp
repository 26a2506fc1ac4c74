#include "platform/outside/PrivateFolder.h"

#include "platform/Error.h"

#include <cerrno>
#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::outside
{

namespace
{

[[noreturn]] void failFile(const QString& description)
{
    throw Error(errors::FileError, QStringLiteral("PrivateFolder"), description);
}

} // namespace

PrivateFolder::PrivateFolder(const QString& path)
    : path_(path)
{
    const auto fail = [&](const QString& why) {
        failFile(QStringLiteral("不能使用文件夹 %1：%2").arg(QDir::toNativeSeparators(path), why));
    };
    const QString notOwn = QStringLiteral("它不是当前用户的文件夹");
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QByteArray name = QFile::encodeName(path);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        fail(qt_error_string(errno));
    // Whatever is found by the name (another user may have made it first, or put a link there) is
    // checked through the descriptor that every file is then made with.
    descriptor_ = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor_ < 0)
        fail(errno == ELOOP || errno == ENOTDIR ? notOwn : qt_error_string(errno));
    struct stat info {
    };
    if (::fstat(descriptor_, &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid()) {
        ::close(descriptor_);
        fail(notOwn);
    }
    if ((info.st_mode & 07777) != 0700 && ::fchmod(descriptor_, 0700) != 0) {
        const int error = errno;
        ::close(descriptor_);
        fail(qt_error_string(error));
    }
}

PrivateFolder::~PrivateFolder()
{
    ::close(descriptor_);
}

PrivateFile::PrivateFile(const PrivateFolder& folder, const QString& name)
    : folder_(folder)
    , path_(QDir(folder.path()).filePath(name))
    , name_(QFile::encodeName(name))
    , temporaryName_(
          QFile::encodeName(QStringLiteral(".%1.%2").arg(name, QUuid::createUuid().toString(QUuid::Id128))))
{
    descriptor_ = ::openat(folder.descriptor(), temporaryName_.constData(),
        O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (descriptor_ < 0)
        failFile(QStringLiteral("不能创建文件 %1：%2")
                     .arg(QDir::toNativeSeparators(path_), qt_error_string(errno)));
}

PrivateFile::~PrivateFile()
{
    discard();
}

void PrivateFile::discard()
{
    if (descriptor_ < 0)
        return;
    ::close(descriptor_);
    descriptor_ = -1;
    ::unlinkat(folder_.descriptor(), temporaryName_.constData(), 0);
}

void PrivateFile::fail(int systemError) const
{
    failFile(QStringLiteral("不能写入文件 %1：%2")
                 .arg(QDir::toNativeSeparators(path_),
                     systemError != 0 ? qt_error_string(systemError)
                                      : QStringLiteral("写入不完整（磁盘可能已满）")));
}

void PrivateFile::write(const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(descriptor_, data, std::size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            fail(written < 0 ? errno : 0);
        data += written;
        size -= written;
    }
}

void PrivateFile::keep()
{
    if (::fsync(descriptor_) != 0
        || ::renameat(
               folder_.descriptor(), temporaryName_.constData(), folder_.descriptor(), name_.constData())
            != 0) {
        const int error = errno;
        fail(error);
    }
    ::close(descriptor_);
    descriptor_ = -1;
}

} // namespace platform::outside
