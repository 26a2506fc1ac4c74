#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace platform::grid::io
{

// Writes an OLE2 compound file (version 3, 512-byte sectors) whose root storage holds one stream.
// The stream always lies in regular sectors: a stream shorter than the 4096-byte mini-stream cutoff
// is padded with zeros up to it, so no mini stream is ever needed. Files whose allocation table
// outgrows the 109 entries of the header get DIFAT sectors. Write failures are left to the device
// (a QSaveFile refuses to commit after one).
void writeCompoundFile(QIODevice& out, const QString& streamName, const QByteArray& stream);

} // namespace platform::grid::io
