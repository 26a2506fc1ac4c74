#pragma once

#include <QImage>
#include <QString>

// Pictures written as PNG: into binary files as they are, into text files (the sheet file, web pages)
// as base-64 data.
namespace platform::grid::io
{

QByteArray pngBytes(const QImage& image);
QString pngBase64(const QImage& image);

// A null image when the text holds no readable PNG.
QImage imageFromPngBase64(const QString& text);

} // namespace platform::grid::io
