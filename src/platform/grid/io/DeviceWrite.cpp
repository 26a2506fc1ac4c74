#include "DeviceWrite.h"

#include "platform/Error.h"

#include <cerrno>
#include <QFileDevice>

namespace platform::grid::io
{

void throwFileError(const QString& description)
{
    throw Error(errors::FileError, QStringLiteral("SheetFile"), description);
}

QString failureReason(const QIODevice& out, int systemError)
{
    if (systemError != 0)
        return qt_error_string(systemError);
    const auto* file = qobject_cast<const QFileDevice*>(&out);
    if (file && file->error() != QFileDevice::NoError)
        return file->errorString();
    return QStringLiteral("写入不完整（磁盘可能已满）");
}

void writeAll(QIODevice& out, const char* data, qint64 size)
{
    if (size == 0)
        return;
    errno = 0;
    if (out.write(data, size) == size)
        return;
    const int systemError = errno;
    throwFileError(failureReason(out, systemError));
}

} // namespace platform::grid::io
