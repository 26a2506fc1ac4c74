#pragma once

#include <QImage>
#include <QString>

// Pictures written into text files (the sheet file, web pages) as base-64 PNG data.
namespace platform::grid::io
{

QString pngBase64(const QImage& image);

// A null image when the text holds no readable PNG.
QImage imageFromPngBase64(const QString& text);

} // namespace platform::grid::io
