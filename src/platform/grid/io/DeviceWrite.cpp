#include "DeviceWrite.h"

#include "platform/Error.h"

namespace platform::grid::io
{

void throwFileError(const QString& description)
{
    throw Error(errors::FileError, QStringLiteral("SheetFile"), description);
}

void writeAll(QIODevice& out, const char* data, qint64 size)
{
    if (size == 0 || out.write(data, size) == size)
        return;
    const QString reason = out.errorString();
    throwFileError(reason.isEmpty() ? QStringLiteral("写入不完整（磁盘可能已满）") : reason);
}

} // namespace platform::grid::io
