#include "PngText.h"

#include <QBuffer>

namespace platform::grid::io
{

QString pngBase64(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QString::fromLatin1(png.toBase64());
}

QImage imageFromPngBase64(const QString& text)
{
    return QImage::fromData(QByteArray::fromBase64(text.toLatin1()), "PNG");
}

} // namespace platform::grid::io
