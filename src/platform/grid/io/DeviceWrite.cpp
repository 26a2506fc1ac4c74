#include "DeviceWrite.h"

#include "platform/Error.h"

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
    if (const auto reason = failureOf(out, [&] { return out.write(data, size) == size; }))
        throwFileError(*reason);
}

} // namespace platform::grid::io
