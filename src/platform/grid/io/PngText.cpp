#include "PngText.h"

#include <QBuffer>

namespace platform::grid::io
{

QByteArray pngBytes(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

QString pngBase64(const QImage& image)
{
    return QString::fromLatin1(pngBytes(image).toBase64());
}

QImage imageFromPngBase64(const QString& text)
{
    return QImage::fromData(QByteArray::fromBase64(text.toLatin1()), "PNG");
}

} // namespace platform::grid::io
