#pragma once

#include <functional>
#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace platform::grid::io
{

// Writes an OLE2 compound file (version 3, 512-byte sectors) whose root storage holds one stream.
// The stream always lies in regular sectors: a stream shorter than the 4096-byte mini-stream cutoff
// is padded with zeros up to it, so no mini stream is ever needed. Files whose allocation table
// outgrows the 109 entries of the header get DIFAT sectors. A failed or short write throws
// platform::Error (FileError).
void writeCompoundFile(QIODevice& out, const QString& streamName, const QByteArray& stream);

// The same for a stream too large to hold in memory: `writeStream` writes its `streamSize` bytes to
// the device it is given, in order, at the place where the stream lies.
void writeCompoundFile(QIODevice& out, const QString& streamName, qint64 streamSize,
    const std::function<void(QIODevice&)>& writeStream);

} // namespace platform::grid::io
