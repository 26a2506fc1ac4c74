#pragma once

#include <QByteArray>
#include <QString>

namespace orvtest
{

// A placeable Windows metafile of 200 x 100 units at 96 units an inch: the left half filled red, the
// right half blue, without outlines.
QByteArray redBlueMetafile();

// Writes it to `path`; false when the file cannot be written.
bool writeRedBlueMetafile(const QString& path);

} // namespace orvtest
