#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace platform::grid::io
{

// Throws platform::Error (FileError) from the sheet files' writers, with the description given.
[[noreturn]] void throwFileError(const QString& description);

// Writes every byte or throws platform::Error (FileError) with the device's reason: a full disk or a
// file-size limit takes only part of a write, and a writer that went on would leave a file that looks
// whole but is cut.
void writeAll(QIODevice& out, const char* data, qint64 size);
inline void writeAll(QIODevice& out, QByteArrayView bytes)
{
    writeAll(out, bytes.constData(), bytes.size());
}

} // namespace platform::grid::io
