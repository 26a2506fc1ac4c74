#pragma once

#include <QImage>
#include <QString>

namespace platform::grid
{

// The picture in a file: the formats Qt reads (PNG, JPEG, BMP, GIF) and Windows metafiles. A missing
// file or one that no reader understands throws platform::Error (errors::FileError).
QImage readPictureFile(const QString& path);

} // namespace platform::grid
